#include "interfaces/pictures/PictureFilters.h"

#include "foundation/text/TextException.h"
#include "interfaces/pictures/PictureEntries.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFName.h"
#include "platform/CrtShims.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

bool HasOnlyFilter(const CPictureFilterList& filters, const char* name)
{
    return filters.size() == 1 && filters[0]->GetName() == name;
}

}  // namespace

CPictureFilterList ReadFilters(const CPDFDictionary& dictionary)
{
    CPictureFilterList filters;
    const CPDFObjectPtr value = OptionalEntry(dictionary, "/Filter");
    if (!value)
        return filters;
    if (value->GetType() == ptName) {
        filters.push_back(boost::static_pointer_cast<CPDFName>(value));
        return filters;
    }
    if (value->GetType() != ptArray)
        ThrowTextException("Unsupported filter PDF object type!");
    for (const CPDFObjectPtr& element : static_cast<const CPDFArray*>(value.get())->GetElements())
        if (element && element->GetType() == ptName)
            filters.push_back(boost::static_pointer_cast<CPDFName>(element));
    return filters;
}

bool HasOnlyDctFilter(const CPictureFilterList& filters)
{
    return HasOnlyFilter(filters, "/DCTDecode");
}

bool HasOnlyJpxFilter(const CPictureFilterList& filters)
{
    return HasOnlyFilter(filters, "/JPXDecode");
}

bool IsFilterNamed(const CPDFName& filter, const char* name)
{
    return _stricmp(filter.GetName().c_str(), name) == 0;
}

bool IsFlateFilter(const CPDFName& filter)
{
    return IsFilterNamed(filter, "/FlateDecode") || IsFilterNamed(filter, "/Flate");
}

}  // namespace ZAV
