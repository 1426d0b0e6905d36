// What the symbol path's two ways of building symbols share: the page, the
// dictionaries, the sorted components and the instances made so far.
#pragma once

#include <cstdint>

#include "jbig2codec/compress/JB2StripeEncoder.h"
#include "jbig2codec/match/JB2Components.h"
#include "jbig2codec/symbol/JB2SymbolDictionary.h"
#include "jbig2codec/symbol/JB2SymbolInstances.h"

namespace ZAV {

// Most symbols one page codes: the text region's symbol codes, and the
// refinement dictionary's, then need at most 15 bits, the longest a decoder
// reads without reaching the contexts of other procedures.
constexpr uint32_t kJB2MaxPageSymbols = 1u << 15;

struct JB2SymbolCoding {
    JB2StripeEncoder* encoder;
    JB2Memory* memory;
    JB2Message* message;
    JB2SymbolDictionary* plain;    // new symbols of their own
    JB2SymbolDictionary* refined;  // refined symbols (matching mode 1 only)
    JB2ComponentArray* components;
    JB2SymbolInstanceArray* instances;
    uint32_t symbols;  // new symbols made, against kJB2MaxPageSymbols
};

// A component left for the generic region.
inline void JB2LeaveOnPage(JB2SymbolCoding* s)
{
    s->encoder->pageCoded = 0;
}

// Whether one more symbol may be made; when not, the component stays on the page.
bool JB2SymbolRoomLeft(JB2SymbolCoding* s);

// An instance of the symbol at the component's place; a refined one codes
// the component's own pixels against the symbol.
JB2_Error JB2AddComponentInstance(JB2SymbolCoding* s, JB2Symbol* symbol, JB2Component* component, uint8_t refine);

// A new symbol made of the component, with its instance: a plain symbol, or
// with a reference a refined one of the refinement dictionary. When no more
// symbols may be made, nothing is added and the component stays on the page.
JB2_Error JB2AddComponentSymbol(JB2SymbolCoding* s, JB2Component* component, JB2Symbol* reference);

// Matching mode 1: classes of look-alikes per height, each a tree of refinements.
JB2_Error JB2SymbolCodeClasses(JB2SymbolCoding* s);
// Matching mode 2: each component against the symbols made before it.
JB2_Error JB2SymbolCodeDirect(JB2SymbolCoding* s);

}  // namespace ZAV
