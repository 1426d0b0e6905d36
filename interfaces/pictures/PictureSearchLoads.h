// The objects one picture search reads from the file, let go of when the
// page's pictures are made: a run over many pages then holds one page's
// objects (its image streams' coded bytes above all) rather than those of
// every page searched so far. The objects are unchanged; a later use reads
// them from the file again.
#pragma once

#include <vector>

#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {
class CPDFDocument;
class CPDFRef;
}  // namespace ZAVPDF

namespace ZAV {

class CPictureSearchLoads {
public:
    explicit CPictureSearchLoads(ZAVPDF::CPDFDocument& document) : m_document(document) {}
    ~CPictureSearchLoads();
    CPictureSearchLoads(const CPictureSearchLoads&) = delete;
    CPictureSearchLoads& operator=(const CPictureSearchLoads&) = delete;

    // The object reference names, noting the reference when it had no
    // target yet and the object when this read it from the file.
    boost::shared_ptr<ZAVPDF::CPDFObject> Resolve(ZAVPDF::CPDFRef& reference);

private:
    ZAVPDF::CPDFDocument& m_document;
    std::vector<ZAVPDF::CPDFRef*> m_references;
    // Every target resolved, so that each noted reference (held inside one
    // of them or by the page) lives until it has let go.
    std::vector<boost::shared_ptr<ZAVPDF::CPDFObject>> m_targets;
    std::vector<boost::shared_ptr<ZAVPDF::CPDFObject>> m_loaded;
};

}  // namespace ZAV
