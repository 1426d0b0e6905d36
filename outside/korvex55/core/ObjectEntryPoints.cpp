// Entry points of the processing objects: make, free, the error text and the
// three text queries.
#include <algorithm>
#include <cstring>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/EntryPoint.h"
#include "outside/korvex55/core/Limits.h"
#include "outside/korvex55/core/ProcessorInfo.h"
#include "outside/korvex55/core/Registry.h"

using namespace KORVEX55;

namespace {

void CopyErrorText(const std::string& text, char* buffer)
{
    const size_t length = std::min(text.size(), static_cast<size_t>(kErrorTextBytes - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

KORV_Status AnswerText(KORV_Handle handle, const char* operation, const char** text, const char* answer)
{
    return RunOperation(handle, operation, [&](Processor&) {
        RequirePointer(text, "text");
        *text = answer;
    });
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
    Processor* self = FindProcessor(handle);
    if (!self) {
        const KORV_Status status = RecordUnknownHandle(handle, "GetError");
        if (buffer)
            CopyErrorText(OrphanErrorText(), buffer);
        return status;
    }
    if (!buffer)
        return RecordFailure(self, "GetError", Failure{kStatusNullPointer, "the buffer pointer is null!"});
    CopyErrorText(self->ErrorText(), buffer);
    return kStatusOk;
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
