#include "pdf/objects/PDFArray.h"

#include <cctype>

#include "foundation/text/TextException.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAVPDF {

CPDFArray::CPDFArray(CPDFDocument* document) : CPDFObjectBase(ptArray, document)
{
}

CPDFArray::~CPDFArray() = default;

void CPDFArray::Add(const CPDFObjectPtr& object)
{
    if (!object)
        ThrowTextException("Null Object!");
    object->SetParent(this);
    m_elements.push_back(object);
    SetModified(true);
}

CPDFObjectPtr CPDFArray::Get(int index) const
{
    if (index < 0 || index >= GetCount())
        ThrowTextException("PDF Array index out of bounds!");
    return m_elements[static_cast<size_t>(index)];
}

CPDFObjectPtr CPDFArray::GetTyped(int index, int type) const
{
    CPDFObjectPtr element = Get(index);
    if (!element)
        ThrowTextException("No object has been found");
    if (element->GetType() != type)
        ThrowTextException("Required object has different type");
    return element;
}

bool PDFTextEqualsNoCase(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

bool CPDFArray::Contains(const CPDFObjectPtr& object) const
{
    if (!object)
        return false;
    const std::string text = object->ToPDFString();
    for (const CPDFObjectPtr& element : m_elements)
        if (element && element->GetType() == object->GetType() && PDFTextEqualsNoCase(element->ToPDFString(), text))
            return true;
    return false;
}

void CPDFArray::CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys)
{
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& element : m_elements)
        if (element)
            element->CollectReferences(map, visitedKeys);
}

bool CPDFArray::HasModifiedContent() const
{
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& element : m_elements)
        if (element && (element->IsModified() || element->HasModifiedContent()))
            return true;
    return false;
}

void CPDFArray::FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                                 CPDFKeySet& visitedKeys)
{
    CPDFWalkGuard guard;
    for (const CPDFObjectPtr& element : m_elements)
        if (element)
            element->FindDictionaries(filter, result, visitedKeys);
}

CPDFObjectPtr CPDFArray::Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                               CPDFKeySet& keySet, bool addToDocument)
{
    CPDFWalkGuard guard;
    boost::shared_ptr<CPDFArray> copy(new CPDFArray(targetDocument));
    for (const CPDFObjectPtr& element : m_elements) {
        if (!element)
            continue;
        copy->Add(TransferredOrCloned(element, sourceDocument, targetDocument, referenceMap, keySet, addToDocument));
    }
    return copy;
}

std::string CPDFArray::ToPDFString() const
{
    CPDFWalkGuard guard;
    std::string text = "[";
    bool first = true;
    for (const CPDFObjectPtr& element : m_elements) {
        if (!element)
            continue;
        if (!first)
            text += ' ';
        text += element->ToPDFString();
        first = false;
    }
    text += ']';
    return text;
}

}  // namespace ZAVPDF
