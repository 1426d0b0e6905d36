#include "pdf/objects/PDFObjectBase.h"

#include <charconv>
#include <cstdio>

#include "foundation/text/TextException.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFKeyTexts.h"

namespace ZAVPDF {

CPDFObjectBase::CPDFObjectBase(int type, CPDFDocument* document)
    : m_document(document), m_documentKey(CPDFDocument::KeyTextOf(document)), m_type(type)
{
    if (!document)
        ThrowTextException("No document assigned!");
}

CPDFObjectBase::~CPDFObjectBase() = default;

int CPDFObjectBase::GetObjectNumber() const
{
    return 0;
}

int CPDFObjectBase::GetGenerationNumber() const
{
    return 0;
}

void CPDFObjectBase::CollectReferences(CPDFObjectMap&, CPDFKeySet&)
{
}

bool CPDFObjectBase::IsModified() const
{
    return m_modified;
}

bool CPDFObjectBase::HasModifiedContent() const
{
    return false;
}

void CPDFObjectBase::FindDictionaries(const boost::shared_ptr<CPDFDictionary>&, std::vector<CPDFDictionary*>&,
                                      CPDFKeySet&)
{
}

void CPDFObjectBase::WriteTo(std::ostream& stream)
{
    stream << ToPDFString();
}

void CPDFObjectBase::SetDocumentKey(CPDFDocument* document)
{
    if (!document)
        ThrowTextException("No document assigned!");
    m_document = document;
    m_documentKey = CPDFDocument::KeyTextOf(document);
}

void CPDFObjectBase::SetDocumentKeyText(const std::string& keyText)
{
    m_documentKey = InternKeyText(keyText);
}

std::string CPDFObjectBase::GetObjectKey() const
{
    return MakeObjectKey(GetObjectNumber(), *m_documentKey);
}

CPDFParser* CPDFObjectBase::GetParser() const
{
    return m_document ? m_document->GetParser().get() : nullptr;
}

std::string MakeObjectKey(int objectNumber, const std::string& documentKeyText)
{
    // Made for every lookup of a reference: one allocation, no formatting.
    char number[16];
    const std::to_chars_result written = std::to_chars(number, number + sizeof number, objectNumber);
    std::string key;
    key.reserve(static_cast<size_t>(written.ptr - number) + 1 + documentKeyText.size());
    key.append(number, written.ptr);
    key += '-';
    key += documentKeyText;
    return key;
}

}  // namespace ZAVPDF
