// The document's side of reading a file; the parser does the reading.
#include "pdf/PDFDocument.h"

#include "pdf/PDFObject.h"

namespace ZAVPDF {

boost::shared_ptr<CPDFObject> CPDFDocument::LoadObject(CPDFRef*, bool)
{
    // No parser can be attached yet: objects come only from the map.
    return boost::shared_ptr<CPDFObject>();
}

}  // namespace ZAVPDF
