// Matching mode 2: each component, in order of height and width, is matched
// against the symbols made so far from components of its height; without a
// close enough one it becomes a new symbol. Shapes that occur once are
// finally left to the generic region.
#include <algorithm>

#include "jbig2codec/compress/JB2SymbolCoding.h"
#include "jbig2codec/match/JB2ComponentMatch.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"

namespace ZAV {

namespace {

struct Direct {
    JB2SymbolCoding* s;
    JB2Component** origin;  // per new symbol of the dictionary, the component it was made from
};

// The closest symbol below the search threshold f, searched from the
// newest back while the symbols are of the component's height; among equal
// distances the older symbol wins. *index is -1 when none is below f.
int64_t Closest(const Direct& d, const JB2Component* c, uint32_t f, uint32_t* distance)
{
    const JB2SymbolArray* symbols = d.s->plain->symbols;
    int64_t found = -1;
    uint32_t best = f;
    for (uint32_t i = symbols ? symbols->count : 0; i-- > 0;) {
        const JB2Symbol* symbol = symbols->items[i];
        if (symbol->height < c->height)
            break;
        const JB2BitmapView view = JB2SymbolView(symbol);
        const int32_t measure = JB2ComponentPlainMeasure(c, &view, d.origin[i]->pixels, best);
        if (measure >= 0 && uint32_t(measure) <= best) {
            best = uint32_t(measure);
            found = i;
        }
    }
    *distance = best;
    return best < f ? found : -1;
}

JB2_Error NewSymbol(Direct& d, JB2Component* c)
{
    // Mode 2 has the plain dictionary only: a new symbol's index there is
    // the count of symbols made before it.
    const uint32_t index = d.s->symbols;
    JB2_Error status = JB2AddComponentSymbol(d.s, c, nullptr);
    if (d.s->symbols > index)
        d.origin[index] = c;
    return status;
}

// A close symbol is taken as it is in lossy coding when the hole counts
// agree; otherwise its instance refines it to the component.
JB2_Error TakeSymbol(Direct& d, JB2Component* c, uint32_t index, uint32_t distance, uint32_t g)
{
    JB2SymbolCoding* s = d.s;
    uint8_t refine = 1;
    if (distance < g && !s->encoder->lossless) {
        uint32_t own = 0, theirs = 0;
        JB2_Error status = JB2ComponentHoleCount(c, s->memory, &own);
        if (status == cJB2_Error_OK)
            status = JB2ComponentHoleCount(d.origin[index], s->memory, &theirs);
        if (status != cJB2_Error_OK)
            return JB2Fail(s->message, status, "Failure matching symbols for text region!");
        refine = own != theirs;
    }
    JB2LeaveOnPage(s);
    return JB2AddComponentInstance(s, s->plain->symbols->items[index], c, refine);
}

JB2_Error CodeComponent(Direct& d, JB2Component* c)
{
    const uint32_t f = std::max(c->pixels * 20 / 100, 2u);
    const uint32_t g = std::max((c->height * c->width * 7 + 50) / 100, 2u);
    uint32_t distance = 0;
    const int64_t index = Closest(d, c, f, &distance);
    if (index < 0)
        return NewSymbol(d, c);
    return TakeSymbol(d, c, uint32_t(index), distance, g);
}

}  // namespace

JB2_Error JB2SymbolCodeDirect(JB2SymbolCoding* s)
{
    Direct d = {s, JB2MemoryAllocArray<JB2Component*>(s->memory, uint64_t(s->components->count) + 1)};
    if (!d.origin)
        return JB2Fail(s->message, cJB2_Error_Allocation_Failure, "Failure matching symbols for text region!");
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; status == cJB2_Error_OK && i < s->components->count; ++i)
        status = CodeComponent(d, JB2ComponentArrayGet(s->components, i));
    JB2MemoryFree(s->memory, &d.origin);
    if (status != cJB2_Error_OK)
        return status;
    const uint32_t before = s->instances->count;
    status = JB2SymbolInstanceArrayPrune(s->instances);
    if (status == cJB2_Error_OK && s->instances->count != before)
        JB2LeaveOnPage(s);
    return status;
}

}  // namespace ZAV
