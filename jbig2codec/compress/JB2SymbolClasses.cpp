// Matching mode 1: the components of each height fall into classes of
// look-alikes; each class's spanning tree is walked from its root, which
// becomes a plain symbol, and every other member is coded against its
// parent's symbol: the same symbol when identical (or unified in lossy
// coding), a refinement of it at a leaf, a refined symbol of its own where
// children follow.
#include <algorithm>

#include "jbig2codec/compress/JB2SymbolCoding.h"
#include "jbig2codec/match/JB2ComponentGroup.h"
#include "jbig2codec/match/JB2SymbolUnify.h"

namespace ZAV {

namespace {

// The group's n x n measures bound a chunk of one height.
constexpr uint32_t kChunk = 2000;
// So many components of at most this height are dots and dashes of a
// picture rather than text: they stay for the generic region.
constexpr uint32_t kDotRun = 20000;
constexpr uint32_t kDotHeight = 8;

// Lossy coding: the component, off the page, is edited towards the symbol
// and put back as it now is. *same tells whether it now equals the symbol.
JB2_Error Unify(JB2SymbolCoding* s, JB2Component* c, JB2Symbol* symbol, bool* same)
{
    *same = false;
    JB2_Error status = JB2StripeEncoderRemoveComponent(s->encoder, c);
    uint8_t outcome = 1;
    if (status == cJB2_Error_OK)
        status = JB2SymbolUnify(symbol, c, s->encoder->quality, s->memory, s->message, &outcome);
    if (status != cJB2_Error_OK)
        return JB2Fail(s->message, status, "Failure unifying symbols for text region!");
    status = JB2StripeEncoderRemoveComponent(s->encoder, c);
    *same = outcome == 0;
    return status;
}

// One member of a class after its parent.
JB2_Error CodeMember(JB2SymbolCoding* s, JB2Component* c, JB2Component* parent, uint32_t degree, int32_t weight)
{
    JB2Symbol* symbol = parent->symbol;
    if (!symbol) {
        // The parent stayed on the page, and its subtree with it.
        JB2LeaveOnPage(s);
        return cJB2_Error_OK;
    }
    if (weight == 0)
        return JB2AddComponentInstance(s, symbol, c, 0);
    if (!s->encoder->lossless) {
        bool same = false;
        JB2_Error status = Unify(s, c, symbol, &same);
        if (status != cJB2_Error_OK || same)
            return status == cJB2_Error_OK ? JB2AddComponentInstance(s, symbol, c, 0) : status;
    }
    if (degree <= 1)
        return JB2AddComponentInstance(s, symbol, c, 1);
    return JB2AddComponentSymbol(s, c, symbol);
}

JB2_Error CodeClass(JB2SymbolCoding* s, const JB2ComponentGroup* group, const JB2ComponentClass* cls)
{
    if (cls->members < 2) {
        JB2LeaveOnPage(s);
        return cJB2_Error_OK;
    }
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; status == cJB2_Error_OK && i < cls->members; ++i) {
        uint32_t member = 0, parent = 0, degree = 0;
        int32_t weight = 0;
        status = JB2ComponentClassEntry(cls, i, &member, &parent, &degree, &weight);
        if (status != cJB2_Error_OK)
            break;
        JB2Component* c = group->components[member];
        status =
            i == 0 ? JB2AddComponentSymbol(s, c, nullptr) : CodeMember(s, c, group->components[parent], degree, weight);
    }
    return status;
}

// Components [first, first + count) of one height.
JB2_Error CodeChunk(JB2SymbolCoding* s, uint32_t first, uint32_t count)
{
    JB2Component* head = JB2ComponentArrayGet(s->components, first);
    JB2ComponentGroup* group = nullptr;
    JB2_Error status = JB2ComponentGroupCreate(&group, s->memory, count, head->height, s->message);
    for (uint32_t i = 0; status == cJB2_Error_OK && i < count; ++i)
        status = JB2ComponentGroupAdd(group, JB2ComponentArrayGet(s->components, first + i));
    uint32_t classes = 0;
    if (status == cJB2_Error_OK)
        status = JB2ComponentGroupBuildClasses(group, s->memory, &classes, s->message);
    for (uint32_t k = 0; status == cJB2_Error_OK && k < classes; ++k)
        status = CodeClass(s, group, JB2ComponentGroupClass(group, k));
    if (group)
        JB2ComponentGroupFree(&group, s->memory);
    return status;
}

}  // namespace

JB2_Error JB2SymbolCodeClasses(JB2SymbolCoding* s)
{
    const uint32_t count = s->components->count;
    uint32_t first = 0;
    JB2_Error status = cJB2_Error_OK;
    while (status == cJB2_Error_OK && first < count) {
        const uint32_t height = JB2ComponentArrayGet(s->components, first)->height;
        uint32_t end = first;
        while (end < count && JB2ComponentArrayGet(s->components, end)->height == height)
            ++end;
        if (end - first >= kDotRun && height <= kDotHeight) {
            JB2LeaveOnPage(s);
        } else {
            for (uint32_t chunk = first; status == cJB2_Error_OK && chunk < end; chunk += kChunk)
                status = CodeChunk(s, chunk, std::min(kChunk, end - chunk));
        }
        first = end;
    }
    return status;
}

}  // namespace ZAV
