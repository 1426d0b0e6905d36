#include "outside/korvex55/core/EntryPoint.h"

#include "outside/korvex55/core/Registry.h"

namespace KORVEX55 {

namespace {

std::string HandleText(KORV_Handle handle)
{
    return Format("the handle %#llx names no processing object!", static_cast<unsigned long long>(handle));
}

}  // namespace

KORV_Status RecordFailure(Processor* self, const char* operation, const Failure& failure) noexcept
{
    try {
        std::string text = std::string(operation) + ": " + failure.text;
        if (self)
            self->SetErrorText(std::move(text));
        else
            SetOrphanErrorText(std::move(text));
    } catch (...) {
        // Without memory for the text the status alone must tell.
    }
    return failure.status;
}

KORV_Status RecordUnknownHandle(KORV_Handle handle, const char* operation) noexcept
{
    try {
        return RecordFailure(nullptr, operation, Failure{kStatusUnknownHandle, HandleText(handle)});
    } catch (...) {
        return kStatusUnknownHandle;
    }
}

Processor& Operand(KORV_Handle handle)
{
    Processor* operand = FindProcessor(handle);
    if (!operand)
        Fail(kStatusUnknownHandle, "operand: " + HandleText(handle));
    return *operand;
}

void RequirePointer(const void* pointer, const char* what)
{
    if (!pointer)
        Fail(kStatusNullPointer, Format("the %s pointer is null!", what));
}

}  // namespace KORVEX55
