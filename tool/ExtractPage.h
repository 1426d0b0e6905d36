// The extractpage command and the page-number check it shares with the
// picture extraction.
#pragma once

#include "interfaces/ZAVPdfInterfaces.h"

namespace ZAV {

// Refuses page 0 and pages beyond the last; negative numbers pass (the
// callers give them their meaning).
void CheckPage(IZAVPdfDocumentSp* document, int page);

}  // namespace ZAV
