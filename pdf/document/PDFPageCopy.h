// Taking a page over from another document: the page alone, never the page
// tree of its document, with the attributes it inherits from that tree.
#pragma once

#include <boost/shared_ptr.hpp>

namespace ZAVPDF {

class CPDFDocument;
class CPDFObject;

// Copies the page object of another document into target and returns the
// copy. /Parent is not followed: it would take every page of the source along.
// /Resources, /MediaBox, /CropBox and /Rotate that the page takes from its
// ancestors go with the copy. References back to the page lead to its one
// copy; references to the source's other pages, its page tree and catalog
// become null. The form fields of the page's widgets go into the target's
// form, with the source form's /DA, /DR and /NeedAppearances where that form
// has none: a new form for a new document, the file's own form for an
// update (a document read whole from a file that has a form keeps it as it
// is). The source is left as it was. addToDocument is the adding flag of
// the copy (set for an update).
boost::shared_ptr<CPDFObject> CopyPageFromOtherDocument(CPDFDocument& target, const boost::shared_ptr<CPDFObject>& page,
                                                        bool addToDocument);

}  // namespace ZAVPDF
