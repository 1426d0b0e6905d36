// Symbols (bitmaps of a symbol dictionary) and the array that owns them.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

struct JB2Symbol {
    uint32_t height;
    uint32_t width;
    uint32_t stride;  // (width + 7) / 8 + 2: two spare bytes per row for row combination
    uint8_t* bitmap;  // height x stride bytes
    uint8_t bitmapValid;
    uint32_t ordinal;
    uint32_t useCount;
    JB2Symbol* reference;  // the symbol this one refines, not owned
};

// A bitmap the codec reads but does not own: packed rows, most significant
// bit first.
struct JB2BitmapView {
    const uint8_t* rows;
    uint32_t width;
    uint32_t height;
    uint32_t stride;  // bytes per row, at least (width + 7) / 8
};

struct JB2SymbolArray {
    JB2Symbol** items;
    uint32_t capacity;
    uint32_t count;
};

// Width and height must not be 0; a change invalidates the bitmap.
JB2_Error JB2SymbolSetWidth(JB2Symbol* symbol, uint32_t width);
JB2_Error JB2SymbolSetHeight(JB2Symbol* symbol, uint32_t height);
// A zeroed bitmap for the current size (the old one freed); -5 on failure.
JB2_Error JB2SymbolAllocateBitmap(JB2Symbol* symbol, JB2Memory* memory);
// Row y of a valid bitmap, else null.
uint8_t* JB2SymbolRow(const JB2Symbol* symbol, uint32_t y);

// Takes the size of the bitmap and a copy of its pixels (bits past the width cleared).
JB2_Error JB2SymbolCopyBitmap(JB2Symbol* symbol, JB2Memory* memory, const JB2BitmapView* bitmap);
// The symbol's bitmap as a view.
JB2BitmapView JB2SymbolView(const JB2Symbol* symbol);
// Uses by text region instances and refined symbols: adding is refused
// (-500) at 0xFFFFFFFF, removing at 0.
JB2_Error JB2SymbolAddUse(JB2Symbol* symbol);
JB2_Error JB2SymbolRemoveUse(JB2Symbol* symbol);

JB2_Error JB2SymbolArrayCreate(JB2SymbolArray** out, JB2Memory* memory, JB2Message* message);
// Appends a new empty symbol (ordinal 0xFFFFFFFF) and gives it out.
JB2_Error JB2SymbolArrayAdd(JB2SymbolArray* array, JB2Memory* memory, JB2Symbol** symbol, JB2Message* message);
JB2_Error JB2SymbolArrayGet(const JB2SymbolArray* array, uint32_t index, JB2Symbol** symbol);
// Removes a symbol no one uses (else -500): the last symbol moves into its place.
JB2_Error JB2SymbolArrayRemove(JB2SymbolArray* array, uint32_t index, JB2Memory* memory);
// Sorts by ordinal, ascending.
void JB2SymbolArraySortByOrdinal(JB2SymbolArray* array);
JB2_Error JB2SymbolArrayFree(JB2SymbolArray** array, JB2Memory* memory);

}  // namespace ZAV
