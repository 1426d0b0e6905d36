#include "interfaces/pictures/PictureDecodeParms.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/pictures/PictureEntries.h"
#include "interfaces/pictures/PictureFilters.h"
#include "interfaces/pictures/PictureInflate.h"
#include "interfaces/pictures/PictureLimits.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

// A real number is truncated toward zero; other kinds keep the value.
void ReadInteger(const CPDFDictionary& dictionary, const char* key, int32_t& value)
{
    const CPDFObjectPtr entry = DirectValue(OptionalEntry(dictionary, key));
    if (!entry)
        return;
    if (entry->GetType() == ptInteger || entry->GetType() == ptReal) {
        const double number = static_cast<const CPDFNumber*>(entry.get())->GetReal();
        if (number >= INT32_MIN && number <= INT32_MAX)
            value = static_cast<int32_t>(number);
    }
}

// The keys of one /DecodeParms dictionary but /JBIG2Globals.
void ReadCodingKeys(const CPDFDictionary& dictionary, CPictureDecodeParms& parms)
{
    ReadInteger(dictionary, "/Columns", parms.columns);
    ReadInteger(dictionary, "/Rows", parms.rows);
    ReadInteger(dictionary, "/K", parms.k);
    ReadInteger(dictionary, "/Predictor", parms.predictor);
    ReadInteger(dictionary, "/Colors", parms.colors);
    const CPDFObjectPtr blackIs1 = DirectValue(OptionalEntry(dictionary, "/BlackIs1"));
    if (blackIs1 && blackIs1->GetType() == ptBool)
        parms.blackIs1 = static_cast<const CPDFBool*>(blackIs1.get())->GetValue() ? 1 : 0;
}

const CPDFDictionary* DirectDictionary(const CPDFObjectPtr& entry)
{
    const CPDFObjectPtr value = DirectValue(entry);
    return value && value->GetType() == ptDictionary ? static_cast<const CPDFDictionary*>(value.get()) : nullptr;
}

// The /DecodeParms entry of filter i: the element i of an array, else the
// one value for every filter (ISO 32000-1, 7.3.8.2).
CPDFObjectPtr ParmsOfFilter(const CPDFObjectPtr& decodeParms, size_t i)
{
    if (!decodeParms || decodeParms->GetType() != ptArray)
        return decodeParms;
    const CPDFArray* array = static_cast<const CPDFArray*>(decodeParms.get());
    return i < static_cast<size_t>(array->GetCount()) ? array->Get(static_cast<int>(i)) : CPDFObjectPtr();
}

// Only Flate without predictor is served for globals: their data is JBIG2
// segments, which no other filter of the picture path hands back as bytes.
void CheckGlobalsFilter(const CPDFName& filter, const CPictureDecodeParms& parms)
{
    String text;
    if (!IsFlateFilter(filter)) {
        text.Format("Unsupported filter '%s' of JBIG2 globals!", filter.GetName().c_str());
        ThrowTextException(text.GetText());
    }
    if (parms.predictor > 1) {
        text.Format("Unsupported predictor value %d!", parms.predictor);
        ThrowTextException(text.GetText());
    }
}

// The globals stream's data with its own filters undone: OCR tools write it
// Flate coded.
CPDFByteArray GlobalsData(const CPDFObject& stream)
{
    CPDFByteArray data = stream.GetStreamData();
    const CPDFDictionary* dictionary = DirectDictionary(stream.GetInnerObject());
    if (!dictionary)
        return data;
    const CPictureFilterList filters = ReadFilters(*dictionary);
    const CPDFObjectPtr decodeParms = DirectValue(OptionalEntry(*dictionary, "/DecodeParms"));
    for (size_t i = 0; i < filters.size(); ++i) {
        CPictureDecodeParms parms;
        if (const CPDFDictionary* keys = DirectDictionary(ParmsOfFilter(decodeParms, i)))
            ReadCodingKeys(*keys, parms);
        CheckGlobalsFilter(*filters[i], parms);
        if (data.GetSize() <= 0)
            break;
        data = InflateAtMost(data.GetData(), static_cast<size_t>(data.GetSize()), kMaxJbig2GlobalsBytes);
    }
    return data;
}

void ReadGlobals(const CPDFDictionary& dictionary, CPDFByteArray& globals)
{
    const CPDFObjectPtr entry = ResolvePDFReference(OptionalEntry(dictionary, "/JBIG2Globals"));
    if (!entry || entry->GetType() != ptObject)
        return;
    const CPDFObject* stream = static_cast<const CPDFObject*>(entry.get());
    if (stream->GetStreamSize() > 0)
        globals = GlobalsData(*stream);
}

}  // namespace

void ReadDecodeParmsEntry(const CPDFObjectPtr& entry, CPictureDecodeParms& parms)
{
    const CPDFDictionary* dictionary = DirectDictionary(entry);
    if (!dictionary)
        return;
    ReadGlobals(*dictionary, parms.globals);
    ReadCodingKeys(*dictionary, parms);
}

std::vector<CPictureDecodeParms> ReadDecodeParms(const CPDFDictionary& dictionary, size_t filterCount)
{
    std::vector<CPictureDecodeParms> parms(filterCount > 0 ? filterCount : 1);
    const CPDFObjectPtr value = DirectValue(OptionalEntry(dictionary, "/DecodeParms"));
    // Only the last filter decodes the picture and takes globals: the ones
    // before it are Flate steps. Reading globals for each would inflate and
    // copy one stream as often as the /Filter list names a filter.
    const size_t last = parms.size() - 1;
    for (size_t i = 0; i < last; ++i)
        if (const CPDFDictionary* keys = DirectDictionary(ParmsOfFilter(value, i)))
            ReadCodingKeys(*keys, parms[i]);
    ReadDecodeParmsEntry(ParmsOfFilter(value, last), parms[last]);
    return parms;
}

}  // namespace ZAV
