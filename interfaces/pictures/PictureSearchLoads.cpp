#include "interfaces/pictures/PictureSearchLoads.h"

#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFRef.h"

namespace ZAV {

using namespace ZAVPDF;

boost::shared_ptr<CPDFObject> CPictureSearchLoads::Resolve(CPDFRef& reference)
{
    if (reference.HasCachedObject())
        return reference.GetCachedObject();
    // What the reference finds in the map it takes from there; anything
    // else it reads and enters anew (an entry already there is refused).
    const bool inMap =
        static_cast<bool>(m_document.FindObjectByKeyText(reference.GetObjectNumber(), reference.GetDocumentKey()));
    boost::shared_ptr<CPDFObject> target = reference.GetReferencedObject();
    m_references.push_back(&reference);
    m_targets.push_back(target);
    if (!inMap && target && m_document.FindObject(target->GetObjectKey()) == target)
        m_loaded.push_back(target);
    return target;
}

CPictureSearchLoads::~CPictureSearchLoads()
{
    try {
        // The references first: none may keep an object the map lets go of.
        for (CPDFRef* reference : m_references)
            reference->ReleaseCachedObject();
        for (const boost::shared_ptr<CPDFObject>& object : m_loaded)
            m_document.UnloadFileObject(object);
    } catch (...) {
        // What is not let go of stays loaded, as it would without this.
    }
}

}  // namespace ZAV
