// The frame of every entry point that names a processing object:
//
//   KORV_Status KORV_Invert(KORV_Handle handle)
//   {
//       return RunOperation(handle, "Invert", [&](Processor& self) { ... });
//   }
//
// The handle is looked up (an unknown one is refused), the work runs, and a
// Failure, a lack of memory or any other exception becomes a status and the
// text "<operation>: <detail>" that KORV_GetError gives afterwards.
#pragma once

#include <new>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Failure.h"
#include "outside/korvex55/core/Processor.h"
#include "outside/korvex55/core/Registry.h"

namespace KORVEX55 {

// Stores the failure's text (in the object, or for an unknown handle in the
// library-wide text) and gives its status.
KORV_Status RecordFailure(Processor* self, const char* operation, const Failure& failure) noexcept;
KORV_Status RecordUnknownHandle(KORV_Handle handle, const char* operation) noexcept;

// The operand named by a handle; an unknown one fails the operation.
Processor& Operand(KORV_Handle handle);
// Fails with a null-pointer status naming what is missing.
void RequirePointer(const void* pointer, const char* what);

template <typename Work>
KORV_Status RunOperation(KORV_Handle handle, const char* operation, Work&& work) noexcept
{
    Processor* self = FindProcessor(handle);
    if (!self)
        return RecordUnknownHandle(handle, operation);
    try {
        work(*self);
        return kStatusOk;
    } catch (const Failure& failure) {
        return RecordFailure(self, operation, failure);
    } catch (const std::bad_alloc&) {
        return RecordFailure(self, operation, Failure{kStatusOutOfMemory, "not enough memory!"});
    } catch (...) {
        return RecordFailure(self, operation, Failure{kStatusInternal, "an unexpected error occurred!"});
    }
}

}  // namespace KORVEX55
