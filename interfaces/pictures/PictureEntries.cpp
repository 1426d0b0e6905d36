#include "interfaces/pictures/PictureEntries.h"

#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"

namespace ZAV {

using namespace ZAVPDF;

CPDFObjectPtr OptionalEntry(const CPDFDictionary& dictionary, const std::string& key)
{
    return dictionary.HasKey(key) ? dictionary.Get(key) : CPDFObjectPtr();
}

CPDFObjectPtr DirectValue(const CPDFObjectPtr& value)
{
    CPDFObjectPtr resolved = ResolvePDFReference(value);
    if (resolved && resolved->GetType() == ptObject)
        return static_cast<const CPDFObject*>(resolved.get())->GetInnerObject();
    return resolved;
}

}  // namespace ZAV
