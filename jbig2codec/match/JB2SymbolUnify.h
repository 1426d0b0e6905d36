// Shape unification for lossy coding: a component that differs from a
// symbol in a few small, isolated places is edited to equal the symbol, so
// that it can be coded as a plain instance of it. A change is taken only
// when it is small against the component's size and the matching quality,
// and when it keeps the shape's holes and its single black part.
#pragma once

#include <cstdint>

#include "jbig2codec/match/JB2Components.h"

namespace ZAV {

// Values of the difference map.
enum : uint8_t {
    cJB2_Unify_Same = 0,
    cJB2_Unify_Extra_Black = 1,  // black in the component, white in the symbol or outside it
    cJB2_Unify_Missing_Black = 2,
    cJB2_Unify_Handled = 3,
};

struct JB2SymbolUnifier {
    JB2Component* component;
    uint32_t whiteRegions;        // white-frame count at creation (the cached hole count)
    uint32_t framedWhiteRegions;  // black-frame count at creation: the holes proper
    uint32_t width;
    uint32_t height;
    uint32_t stride;
    uint32_t threshold;  // largest region that may be changed
    uint8_t* map;        // width x height bytes
    uint32_t* stack;     // positions still to visit
    uint32_t* filled;    // positions of the region being filled
    uint32_t filledCount;
    JB2ShapeCounts now;  // the component's regions as it is now
};

// The largest region changed for a component of `pixels` black pixels at a
// quality (0 to 10): pixels x (12 - quality) / 100, within 2 and 12 - quality.
uint32_t JB2UnifyThreshold(uint32_t pixels, uint32_t quality);

// -500 for a component without bitmap or of size 0, or a quality above 10.
JB2_Error JB2SymbolUnifierCreate(JB2SymbolUnifier** out, JB2Component* component, uint32_t quality, JB2Memory* memory,
                                 JB2Message* message);
JB2_Error JB2SymbolUnifierRelease(JB2SymbolUnifier** holder, JB2Memory* memory);

// Changes every small difference region of the component that passes the
// shape checks. *outcome becomes 0 when every difference was changed and
// the widths are equal (the caller compares shapes of one height), else 1.
// -500 for a quality above 10 or a null symbol or outcome.
JB2_Error JB2SymbolUnify(const JB2Symbol* symbol, JB2Component* component, uint32_t quality, JB2Memory* memory,
                         JB2Message* message, uint8_t* outcome);

}  // namespace ZAV
