// The page record a page object wraps: the page and what keeps it readable.
#pragma once

#include <boost/shared_ptr.hpp>

#include <memory>

#include "foundation/datasource/DataSource.h"
#include "foundation/objects/ZAVArrayObjectSp.h"
#include "foundation/objects/ZAVPtr.h"
#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {
class CPDFDocument;
class CPDFPage;
}  // namespace ZAVPDF

namespace ZAV {

class CZAVPdfDocument;

class CZAVPdfPage {
public:
    // The page's objects point to their document and read through its data
    // source, so the record holds both: a page stays readable even when its
    // document object loads another file.
    CZAVPdfPage(CZAVPdfDocument* owner, const boost::shared_ptr<ZAVPDF::CPDFDocument>& document,
                const std::shared_ptr<CDataSource>& dataSource, const boost::shared_ptr<ZAVPDF::CPDFPage>& page)
        : m_owner(owner), m_document(document), m_dataSource(dataSource), m_page(page)
    {
    }

    // Not counted: the page object must not outlive its document object.
    CZAVPdfDocument* GetOwner() const { return m_owner; }
    const boost::shared_ptr<ZAVPDF::CPDFDocument>& GetDocument() const { return m_document; }
    const std::shared_ptr<CDataSource>& GetDataSource() const { return m_dataSource; }
    const boost::shared_ptr<ZAVPDF::CPDFPage>& GetPage() const { return m_page; }

    // The bytes of the page's content stream (the first stream when
    // /Contents is an array; nothing without one), inflated when decode is
    // set and the stream is Flate-coded.
    ZAVPDF::CPDFByteArray GetContentData(bool decode) const;

    // The page's pictures: element 2i the information of picture i (a
    // name/value set with "Name", and "Type" and "Extension" for stored
    // bytes), element 2i + 1 the picture. With rawJpeg set, a picture whose
    // only filter is /DCTDecode or /JPXDecode comes as its stored bytes;
    // every other one is decoded into an image-edit object. A picture that
    // fails is logged to the document's log and left out.
    CZAVPtr<IZAVArrayObjectSp> GetPictures(int rawJpeg) const;

private:
    CZAVPdfDocument* m_owner;
    boost::shared_ptr<ZAVPDF::CPDFDocument> m_document;
    std::shared_ptr<CDataSource> m_dataSource;
    boost::shared_ptr<ZAVPDF::CPDFPage> m_page;
};

}  // namespace ZAV
