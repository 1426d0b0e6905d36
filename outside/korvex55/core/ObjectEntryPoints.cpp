// Entry points of the processing objects: make, free, the error text and the
// three text queries.
#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/EntryPoint.h"
#include "outside/korvex55/core/ErrorText.h"
#include "outside/korvex55/core/ProcessorInfo.h"
#include "outside/korvex55/core/Registry.h"

using namespace KORVEX55;

namespace {

KORV_Status AnswerText(KORV_Handle handle, const char* operation, const char** text, const char* answer)
{
    return RunOperation(handle, operation, [&](Processor&) {
        RequirePointer(text, "text");
        *text = answer;
    });
}

// For an unknown handle: the text of the last call that named an unknown handle.
KORV_Status WriteErrorText(KORV_Handle handle, char* buffer)
{
    Processor* self = FindProcessor(handle);
    if (!self) {
        std::string text = OrphanErrorText();
        if (text.empty()) {
            RecordUnknownHandle(handle, "GetError");
            text = OrphanErrorText();
        }
        if (buffer)
            CopyErrorText(text, buffer);
        return kStatusUnknownHandle;
    }
    if (!buffer)
        return RecordFailure(self, "GetError", Failure{kStatusNullPointer, "the buffer pointer is null!"});
    CopyErrorText(self->ErrorText(), buffer);
    return kStatusOk;
}

}  // namespace

extern "C" {

KORV_API KORV_Handle KORV_CreateCZAVAdvancedImgProc(void)
{
    return RegisterProcessor();
}

KORV_API KORV_Status KORV_FreeCZAVAdvancedImgProc(KORV_Handle handle)
{
    if (!UnregisterProcessor(handle))
        return RecordUnknownHandle(handle, "FreeCZAVAdvancedImgProc");
    return kStatusOk;
}

KORV_API KORV_Status KORV_GetError(KORV_Handle handle, char* buffer)
{
    try {
        return WriteErrorText(handle, buffer);
    } catch (...) {
        return kStatusOutOfMemory;
    }
}

KORV_API KORV_Status KORV_GetVersion(KORV_Handle handle, const char** text)
{
    return AnswerText(handle, "GetVersion", text, LibraryVersion());
}

KORV_API KORV_Status KORV_GetProcessorDetected(KORV_Handle handle, const char** text)
{
    return AnswerText(handle, "GetProcessorDetected", text, ProcessorDetected());
}

KORV_API KORV_Status KORV_GetProcessorCodeUsed(KORV_Handle handle, const char** text)
{
    return AnswerText(handle, "GetProcessorCodeUsed", text, ProcessorCodeUsed());
}

}  // extern "C"
