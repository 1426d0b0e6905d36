// Symbol instances: where a symbol is placed on a page, kept in an array
// that a text region encoder codes in order, with the pruning of symbols
// used once and the order of the instances on the page.
#pragma once

#include <cstdint>

#include "jbig2codec/symbol/JB2Symbol.h"

namespace ZAV {

struct JB2SymbolInstance {
    int32_t x;  // top-left corner of the shape in the region
    int32_t y;
    uint8_t refine;       // coded as a refinement of its symbol
    int32_t dx;           // where the symbol lies in the shape when refined
    int32_t dy;           // (reference pixel (c, r) at (c + dx, r + dy))
    JB2BitmapView shape;  // the pixels found on the page, not owned
    JB2Symbol* symbol;    // link
};

struct JB2SymbolInstanceArray {
    uint32_t count;
    uint32_t capacity;
    JB2SymbolInstance* entries;
};

JB2_Error JB2SymbolInstanceArrayCreate(JB2SymbolInstanceArray** out, JB2Memory* memory, JB2Message* message);
JB2_Error JB2SymbolInstanceArrayFree(JB2SymbolInstanceArray** array, JB2Memory* memory);
// Entry index, null out of range.
JB2SymbolInstance* JB2SymbolInstanceArrayGet(const JB2SymbolInstanceArray* array, uint32_t index);
// Appends an instance of the symbol showing shape at (x, y); the symbol gains a use.
JB2_Error JB2SymbolInstanceArrayAdd(JB2SymbolInstanceArray* array, JB2Symbol* symbol, const JB2BitmapView* shape,
                                    int32_t x, int32_t y, uint8_t refine, JB2Memory* memory, JB2Message* message);
// Width and height of an instance: its shape's when refined, else its symbol's.
uint32_t JB2SymbolInstanceWidth(const JB2SymbolInstance* instance);
uint32_t JB2SymbolInstanceHeight(const JB2SymbolInstance* instance);

// A symbol used once is not worth coding: its instance becomes a refinement
// of the symbol it refines, or, without one, leaves the array (the caller
// codes its pixels otherwise). The symbols so dropped keep no uses.
JB2_Error JB2SymbolInstanceArrayPrune(JB2SymbolInstanceArray* array);
// Sorts by y rounded down to a multiple of 8, then x, then y: the order of
// strips of 8 rows in which a text region codes them.
void JB2SymbolInstanceArraySort(JB2SymbolInstanceArray* array);

}  // namespace ZAV
