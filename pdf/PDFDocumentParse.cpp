// The document's side of reading a file; the parser does the reading.
#include "pdf/PDFDocument.h"

#include <boost/make_shared.hpp>

#include <string>

#include "foundation/TextException.h"
#include "pdf/PDFObject.h"
#include "pdf/PDFParser.h"

namespace ZAVPDF {

void CPDFDocument::Parse()
{
    if (!m_dataSource)
        ThrowTextException("There is no datasource assigned!");
    m_parser = boost::make_shared<CPDFParser>(m_dataSource, this);
    try {
        m_parser->ParseFile();
    } catch (const CTextException& e) {
        ThrowTextException((std::string("Can't parse PDF file! ") + e.GetText()).c_str());
    }
}

boost::shared_ptr<CPDFObject> CPDFDocument::LoadObject(CPDFRef* reference, bool addToDocument)
{
    if (!m_parser)
        return boost::shared_ptr<CPDFObject>();
    boost::shared_ptr<CPDFObject> object = m_parser->LoadObject(reference);
    if (addToDocument && IsUpdateable())
        return AddUpdateObject(object);
    return AddObject(object);
}

}  // namespace ZAVPDF
