// The document's side of reading a file; the parser does the reading.
#include "pdf/document/PDFDocument.h"

#include <boost/make_shared.hpp>

#include <string>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/parse/PDFParser.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVPDF {

void CPDFDocument::Parse()
{
    if (!m_dataSource)
        ThrowTextException("There is no datasource assigned!");
    m_parser = boost::make_shared<CPDFParser>(m_dataSource, this);
    try {
        m_parser->ParseFile();
        ReadFileInfo();
    } catch (const CTextException& e) {
        ThrowTextException((std::string("Can't parse PDF file! ") + e.GetText()).c_str());
    }
}

void CPDFDocument::ReadFileInfo()
{
    CPDFObjectPtr info = GetTrailerInfo();
    if (!info)
        return;
    CPDFDictionary* dictionary = nullptr;
    try {
        dictionary = GetPDFDictionary(ResolvePDFReference(info), false);
    } catch (const CTextException&) {
        // The document opens without its information, as it would without /Info.
    }
    if (dictionary)
        m_info.TakeFileEntries(*dictionary);
}

boost::shared_ptr<CPDFObject> CPDFDocument::LoadObject(CPDFRef* reference)
{
    if (!m_parser)
        return boost::shared_ptr<CPDFObject>();
    boost::shared_ptr<CPDFObject> object = m_parser->LoadObject(reference);
    // The empty stand-in for a free or missing object is the reference's
    // alone: its number may be one this document gives to a new object.
    if (reference->GetSkip())
        return object;
    return AddFileObject(object);
}

bool CPDFDocument::IsFileObjectNumber(int number) const
{
    return m_fileTableSize == 0 || (number >= 0 && number < m_fileTableSize);
}

boost::shared_ptr<CPDFObject> CPDFDocument::AddFileObject(const boost::shared_ptr<CPDFObject>& object)
{
    if (!object)
        ThrowTextException("Null pointer provided for object");
    object->SetDocumentKey(this);
    const std::string key = object->GetObjectKey();
    if (m_objects.Contains(key))
        ThrowTextException("Object already present in object map");
    m_objects.Set(key, object);
    return object;
}

}  // namespace ZAVPDF
