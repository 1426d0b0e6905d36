// The regions of a component after the flip of one small difference region,
// worked out from the pixels around the region: a flip joins the regions of
// the new colour that touch it and may split the region of the old colour
// it belonged to, and whether the pixels it touches are joined can often be
// seen close by. Where they are joined near the flip (or there are none),
// the counts follow exactly; otherwise the caller counts anew.
#pragma once

#include "jbig2codec/match/JB2SymbolUnify.h"

namespace ZAV {

// The counts after the flip of the unifier's filled region, whose pixels
// were black when `wasBlack`, from the counts before it (u->now); false
// when the neighbourhood does not settle them.
bool JB2UnifyLocalCounts(const JB2SymbolUnifier* u, bool wasBlack, JB2ShapeCounts* after);

}  // namespace ZAV
