#include "jbig2codec/compress/JB2SymbolPath.h"

#include <initializer_list>

#include "jbig2codec/compress/JB2SymbolCoding.h"
#include "jbig2codec/document/JB2PageSymbolSegments.h"
#include "jbig2codec/match/JB2Runs.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"
#include "jbig2codec/text/JB2TextRegionEncoder.h"

namespace ZAV {

namespace {

// Text region flags: arithmetic, refinement on, strips of 8 lines, top-left
// reference corner, not transposed, XOR, refinement template 0 (T.88 7.4.3.1.1).
constexpr uint16_t kTextRegionFlags = 0x011E;
constexpr uint32_t kPage = 1;

struct Segments {
    JB2SegmentHeader* plain = nullptr;
    JB2SegmentHeader* refined = nullptr;
    JB2SegmentHeader* text = nullptr;
};

JB2_Error NewPlainDictionary(JB2SymbolCoding* s, JB2File* file, uint32_t textTemplate, Segments* segments)
{
    JB2Message* message = s->message;
    JB2_Error status = JB2PageNewSymbolDictionary(file, kPage, nullptr, 0, &segments->plain, &s->plain, message);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure getting new symbol dictionary!");
    status = JB2SymbolDictionarySetTemplate(s->plain, textTemplate);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure setting template for new symbol dictionary!");
    return cJB2_Error_OK;
}

// The refinement dictionary refers to the plain one: its symbols refine
// those, or its own earlier ones.
JB2_Error NewRefinedDictionary(JB2SymbolCoding* s, JB2File* file, uint32_t textTemplate, Segments* segments)
{
    JB2Message* message = s->message;
    JB2_Error status =
        JB2PageNewSymbolDictionary(file, kPage, &segments->plain, 1, &segments->refined, &s->refined, message);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure getting new symbol dictionary!");
    status = JB2SymbolDictionarySetRefAgg(s->refined, 1);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure setting refinement flag for new symbol dictionary!");
    status = JB2SymbolDictionarySetTemplate(s->refined, textTemplate);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure setting template for new symbol dictionary!");
    status = JB2SymbolDictionarySetRefinementTemplate(s->refined, 0);
    if (status != cJB2_Error_OK)
        return JB2Fail(message, status, "Failure setting refinement template for new symbol dictionary!");
    return cJB2_Error_OK;
}

// The fit components, sorted by height, then width; the page counts as
// coded by the symbols only when none was unfit.
JB2_Error Extract(JB2SymbolCoding* s)
{
    JB2StripeEncoder* e = s->encoder;
    JB2RunArray* runs = nullptr;
    JB2_Error status = JB2RunArrayCreate(&runs, s->memory, 0, s->message);
    for (uint32_t y = 0; status == cJB2_Error_OK && y < e->height; ++y)
        status = JB2RunArrayAddLine(runs, s->memory, JB2StripeEncoderRow(e, y), e->width, y, s->message);
    if (status == cJB2_Error_OK)
        status = JB2RunArrayConnect(runs, s->message);
    if (status == cJB2_Error_OK)
        status = JB2ComponentArrayCreate(&s->components, s->memory, runs, true, s->message);
    if (runs)
        JB2RunArrayFree(&runs, s->memory);
    uint32_t removed = 0;
    if (status == cJB2_Error_OK)
        status = JB2ComponentArrayCompact(s->components, s->memory, &removed);
    if (status == cJB2_Error_OK)
        status = JB2StripeEncoderSetPageCoded(e, removed == 0 ? 1 : 0);
    return status;
}

JB2_Error EncodeText(JB2SymbolCoding* s, JB2SegmentHeader* segment)
{
    JB2TextRegionEncoder* encoder = nullptr;
    JB2_Error status = Text_Region_Encoder_Start(&encoder, s->memory, segment, s->message);
    if (status == cJB2_Error_OK)
        status = Text_Region_Encode(encoder, s->memory, s->instances, s->message);
    if (encoder) {
        JB2_Error end = Text_Region_Encoder_End(&encoder, s->memory);
        if (status == cJB2_Error_OK)
            status = end;
    }
    return status;
}

// One text region over the whole page, XORed onto it, naming the symbols
// of the last dictionary.
JB2_Error AddTextRegion(JB2SymbolCoding* s, JB2File* file, Segments* segments)
{
    JB2TextRegionPlacement placement = {};
    placement.page = kPage;
    placement.width = s->encoder->width;
    placement.height = s->encoder->height;
    placement.combination = 2;
    placement.flags = kTextRegionFlags;
    JB2SegmentHeader* dictionary = segments->refined ? segments->refined : segments->plain;
    JB2_Error status = JB2PageNewTextRegion(file, &placement, &dictionary, 1, &segments->text, s->message);
    return status == cJB2_Error_OK ? EncodeText(s, segments->text) : status;
}

// Takes off the page what the text region reproduces, in the order the
// region codes it: a refined instance reproduces its component exactly, a
// plain one its symbol.
JB2_Error RemoveInstances(JB2SymbolCoding* s)
{
    JB2SymbolInstanceArraySort(s->instances);
    JB2_Error status = cJB2_Error_OK;
    for (uint32_t i = 0; status == cJB2_Error_OK && i < s->instances->count; ++i) {
        const JB2SymbolInstance* in = &s->instances->entries[i];
        const JB2BitmapView shown = in->refine ? in->shape : JB2SymbolView(in->symbol);
        status = JB2StripeEncoderRemoveBitmap(s->encoder, &shown, in->x, in->y);
    }
    return status;
}

JB2_Error BuildSymbols(JB2SymbolCoding* s, uint32_t mode)
{
    JB2_Error status = Extract(s);
    if (status == cJB2_Error_OK)
        status = JB2SymbolInstanceArrayCreate(&s->instances, s->memory, s->message);
    if (status == cJB2_Error_OK)
        status = mode == 1 ? JB2SymbolCodeClasses(s) : JB2SymbolCodeDirect(s);
    if (status == cJB2_Error_OK)
        status = JB2SymbolDictionaryFinish(s->plain, s->memory, s->message);
    if (status == cJB2_Error_OK && s->refined)
        status = JB2SymbolDictionaryFinish(s->refined, s->memory, s->message);
    return status;
}

JB2_Error Run(JB2SymbolCoding* s, JB2File* file, uint32_t mode, uint32_t textTemplate, Segments* segments)
{
    JB2_Error status = NewPlainDictionary(s, file, textTemplate, segments);
    if (status == cJB2_Error_OK && mode == 1)
        status = NewRefinedDictionary(s, file, textTemplate, segments);
    if (status == cJB2_Error_OK)
        status = BuildSymbols(s, mode);
    if (status == cJB2_Error_OK && s->instances->count) {
        // The residual comes from the instances in coding order, which the
        // region takes as given: sort them first.
        status = RemoveInstances(s);
        if (status == cJB2_Error_OK)
            status = AddTextRegion(s, file, segments);
    }
    return status;
}

}  // namespace

bool JB2SymbolRoomLeft(JB2SymbolCoding* s)
{
    if (s->symbols < kJB2MaxPageSymbols)
        return true;
    JB2LeaveOnPage(s);
    return false;
}

JB2_Error JB2AddComponentInstance(JB2SymbolCoding* s, JB2Symbol* symbol, JB2Component* c, uint8_t refine)
{
    const JB2BitmapView shape = JB2ComponentView(c);
    JB2_Error status = JB2SymbolInstanceArrayAdd(s->instances, symbol, &shape, int32_t(c->left), int32_t(c->top),
                                                 refine, s->memory, s->message);
    if (status != cJB2_Error_OK)
        return JB2Fail(s->message, status, "Failure creating symbol instance for text region!");
    c->symbol = symbol;
    return cJB2_Error_OK;
}

JB2_Error JB2AddComponentSymbol(JB2SymbolCoding* s, JB2Component* c, JB2Symbol* reference)
{
    if (!JB2SymbolRoomLeft(s))
        return cJB2_Error_OK;
    const JB2BitmapView shape = JB2ComponentView(c);
    JB2Symbol* symbol = nullptr;
    JB2_Error status =
        reference ? JB2SymbolDictionaryAddRefinedSymbol(s->refined, &shape, reference, s->memory, s->message, &symbol)
                  : JB2SymbolDictionaryAddSymbol(s->plain, &shape, s->memory, s->message, &symbol);
    if (status != cJB2_Error_OK)
        return status;
    ++s->symbols;
    return JB2AddComponentInstance(s, symbol, c, 0);
}

JB2_Error JB2StripeEncoderSymbolPath(JB2StripeEncoder* encoder, JB2Memory* memory, JB2File* file, uint32_t mode,
                                     uint32_t textTemplate, JB2Message* message)
{
    if ((mode != 1 && mode != 2) || textTemplate > 3 || !file)
        return cJB2_Error_Internal;
    JB2_Error status = JB2StripeEncoderComplete(encoder);
    if (status != cJB2_Error_OK)
        return status;
    JB2SymbolCoding s = {};
    s.encoder = encoder;
    s.memory = memory;
    s.message = message;
    Segments segments;
    status = Run(&s, file, mode, textTemplate, &segments);
    if (s.instances)
        JB2SymbolInstanceArrayFree(&s.instances, memory);
    if (s.components)
        JB2ComponentArrayFree(&s.components, memory);
    for (JB2SegmentHeader* segment : {segments.plain, segments.refined, segments.text})
        if (segment)
            JB2SegmentRelease(&segment);
    return status;
}

}  // namespace ZAV
