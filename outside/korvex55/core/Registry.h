// The live processing objects by handle. A handle is a number the registry
// hands out, never an address: a stale or made-up handle finds no object (or,
// the handles being spread over 64 bits, most unlikely another live one).
#pragma once

#include <string>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Processor.h"

namespace KORVEX55 {

// 0 when the object could not be made.
KORV_Handle RegisterProcessor();
// False when the handle names no live object.
bool UnregisterProcessor(KORV_Handle handle);
// Null when the handle names no live object.
Processor* FindProcessor(KORV_Handle handle);

// The text of the last call whose handle named no object: KORV_GetError gives
// it for such a handle.
void SetOrphanErrorText(std::string text);
std::string OrphanErrorText();

}  // namespace KORVEX55
