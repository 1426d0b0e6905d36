#include "interfaces/pictures/PictureDecodeParms.h"

#include "interfaces/pictures/PictureEntries.h"
#include "pdf/PDFArray.h"
#include "pdf/PDFBool.h"
#include "pdf/PDFDictionary.h"
#include "pdf/PDFFactories.h"
#include "pdf/PDFNumber.h"

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

void ReadGlobals(const CPDFDictionary& dictionary, CPDFByteArray& globals)
{
    const CPDFObjectPtr entry = ResolvePDFReference(OptionalEntry(dictionary, "/JBIG2Globals"));
    if (!entry || entry->GetType() != ptObject)
        return;
    const CPDFObject* stream = static_cast<const CPDFObject*>(entry.get());
    if (stream->GetStreamSize() > 0)
        globals = stream->GetStreamData();
}

}  // namespace

void ReadDecodeParmsEntry(const CPDFObjectPtr& entry, CPictureDecodeParms& parms)
{
    const CPDFObjectPtr value = DirectValue(entry);
    if (!value || value->GetType() != ptDictionary)
        return;
    const CPDFDictionary& dictionary = *static_cast<const CPDFDictionary*>(value.get());
    ReadGlobals(dictionary, parms.globals);
    ReadInteger(dictionary, "/Columns", parms.columns);
    ReadInteger(dictionary, "/Rows", parms.rows);
    ReadInteger(dictionary, "/K", parms.k);
    ReadInteger(dictionary, "/Predictor", parms.predictor);
    ReadInteger(dictionary, "/Colors", parms.colors);
    const CPDFObjectPtr blackIs1 = DirectValue(OptionalEntry(dictionary, "/BlackIs1"));
    if (blackIs1 && blackIs1->GetType() == ptBool)
        parms.blackIs1 = static_cast<const CPDFBool*>(blackIs1.get())->GetValue() ? 1 : 0;
}

std::vector<CPictureDecodeParms> ReadDecodeParms(const CPDFDictionary& dictionary, size_t filterCount)
{
    std::vector<CPictureDecodeParms> parms(filterCount > 0 ? filterCount : 1);
    const CPDFObjectPtr value = DirectValue(OptionalEntry(dictionary, "/DecodeParms"));
    if (!value)
        return parms;
    if (value->GetType() != ptArray) {
        for (CPictureDecodeParms& one : parms)
            ReadDecodeParmsEntry(value, one);
        return parms;
    }
    const CPDFArray* array = static_cast<const CPDFArray*>(value.get());
    for (size_t i = 0; i < parms.size() && i < static_cast<size_t>(array->GetCount()); ++i)
        ReadDecodeParmsEntry(array->Get(static_cast<int>(i)), parms[i]);
    return parms;
}

}  // namespace ZAV
