// Connected components of a page: their boxes, pixel counts and own
// bitmaps, the fitness to become symbols, and hole counts (white regions
// counted 4-connected).
#pragma once

#include <cstdint>

#include "jbig2codec/match/JB2Runs.h"
#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

// The regions of a component's box, 4-connected: white regions with a
// white frame around the box (the outside and what touches it count as one,
// so a ring gives 2), white regions with a black frame (each white region
// of the box, the holes proper and the bays that reach the edge), and the
// black parts.
struct JB2ShapeCounts {
    uint32_t whiteRegions;
    uint32_t holesProper;
    uint32_t blackParts;
};

struct JB2Component {
    uint32_t left;
    uint32_t right;
    uint32_t top;
    uint32_t bottom;
    uint32_t pixels;
    uint32_t holes;  // cached white-frame count, 0 until computed
    uint32_t height;
    uint32_t width;
    uint8_t* bitmap;       // height rows of stride bytes, null when unfit for symbols
    uint32_t stride;       // (width + 7) / 8 + 2
    JB2Symbol* symbol;     // the symbol the component is coded with, not owned
    uint64_t* words;       // the bitmap's rows as 64-bit words, first pixel in the top bit, made on first use
    uint32_t wordStride;   // words per row: (width + 1 + 63) / 64, room for a column more
    JB2ShapeCounts shape;  // the regions as counted for the hole count, while shapeKnown
    uint8_t shapeKnown;
};

struct JB2ComponentArray {
    JB2Component* items;
    uint32_t count;
};

// One component per label of a connected run array; with `fitness` only the
// components of sides 1 to 500 and 4 to 1000 pixels get a bitmap.
JB2_Error JB2ComponentArrayCreate(JB2ComponentArray** out, JB2Memory* memory, const JB2RunArray* runs, bool fitness,
                                  JB2Message* message);
// Drops the components without bitmap (*removed is their number) and sorts
// the rest by height, then width.
JB2_Error JB2ComponentArrayCompact(JB2ComponentArray* array, JB2Memory* memory, uint32_t* removed);
JB2Component* JB2ComponentArrayGet(const JB2ComponentArray* array, uint32_t index);  // null out of range
JB2_Error JB2ComponentArrayFree(JB2ComponentArray** array, JB2Memory* memory);

JB2BitmapView JB2ComponentView(const JB2Component* component);
inline const uint8_t* JB2ComponentRow(const JB2Component* c, uint32_t y)
{
    return c->bitmap && y < c->height ? c->bitmap + uint64_t(y) * c->stride : nullptr;
}

// The rows as words (made once; a change of the bitmap must drop them).
JB2_Error JB2ComponentWords(JB2Component* component, JB2Memory* memory);
void JB2ComponentDropWords(JB2Component* component, JB2Memory* memory);
// Before the bitmap changes: drops the words and the kept region counts.
void JB2ComponentBitmapChanging(JB2Component* component, JB2Memory* memory);
// The region counts, kept from the hole count while the bitmap is unchanged.
JB2_Error JB2ComponentKnownShapeCounts(JB2Component* component, JB2Memory* memory, JB2ShapeCounts* counts);

JB2_Error JB2ComponentShapeCounts(const JB2Component* component, JB2Memory* memory, JB2ShapeCounts* counts);

// White regions with a white frame, the outside included (a ring gives 2),
// cached; recounting ignores the cache.
JB2_Error JB2ComponentHoleCount(JB2Component* component, JB2Memory* memory, uint32_t* holes);
JB2_Error JB2ComponentRecountHoles(JB2Component* component, JB2Memory* memory, uint32_t* holes);
// White regions with a black frame: the holes proper.
JB2_Error JB2ComponentHolesProper(JB2Component* component, JB2Memory* memory, uint32_t* holes);
// 4-connected black parts.
JB2_Error JB2ComponentBlackParts(JB2Component* component, JB2Memory* memory, uint32_t* parts);

}  // namespace ZAV
