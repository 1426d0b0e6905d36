// Building a symbol dictionary for writing: its coding choices, the symbols
// added to it, and finishing it (the exported symbols chosen, the header
// written and the symbols encoded into its segment).
#pragma once

#include <cstdint>

#include "jbig2codec/symbol/JB2SymbolDictionary.h"

namespace ZAV {

// A new empty dictionary kept by a symbol dictionary segment that has none
// yet. It is arithmetically coded, with template 0 until set otherwise.
JB2_Error JB2SymbolDictionaryNew(JB2SegmentHeader* segment, JB2Memory* memory, JB2Message* message,
                                 JB2SymbolDictionary** out);
// SDTEMPLATE 0 to 3 with its nominal AT pixels.
JB2_Error JB2SymbolDictionarySetTemplate(JB2SymbolDictionary* dictionary, uint32_t sdTemplate);
// SDREFAGG 0 or 1.
JB2_Error JB2SymbolDictionarySetRefAgg(JB2SymbolDictionary* dictionary, uint32_t refAgg);
// SDRTEMPLATE 0 or 1 with its nominal refinement AT pixels.
JB2_Error JB2SymbolDictionarySetRefinementTemplate(JB2SymbolDictionary* dictionary, uint32_t sdrTemplate);

// A new symbol with the pixels of shape. New symbols come in order of
// non-decreasing height (a lower one is refused with -500), as height
// classes are coded. A dictionary with SDREFAGG 1 takes none of its own:
// the first of its referred dictionaries that takes the symbol gets it.
JB2_Error JB2SymbolDictionaryAddSymbol(JB2SymbolDictionary* dictionary, const JB2BitmapView* shape, JB2Memory* memory,
                                       JB2Message* message, JB2Symbol** symbol);
// A new symbol with the pixels of shape, coded as a refinement of
// reference, which gains a use.
JB2_Error JB2SymbolDictionaryAddRefinedSymbol(JB2SymbolDictionary* dictionary, const JB2BitmapView* shape,
                                              JB2Symbol* reference, JB2Memory* memory, JB2Message* message,
                                              JB2Symbol** symbol);

// Writes the header fields into the segment data. Context reuse or
// retention is refused with -22.
JB2_Error JB2SymbolDictionaryWriteHeader(JB2SymbolDictionary* dictionary, JB2Message* message);
// Once: drops the new symbols no one uses, exports every used symbol, and
// writes and encodes the dictionary into its segment. The dictionary's
// exported symbols are then known, as after decoding.
JB2_Error JB2SymbolDictionaryFinish(JB2SymbolDictionary* dictionary, JB2Memory* memory, JB2Message* message);

}  // namespace ZAV
