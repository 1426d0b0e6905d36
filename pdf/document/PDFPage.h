// One page of a document: the indirect object holding its page dictionary.
// A page listed from a file's page tree may hold only the reference to that
// object and read it from the file when it is first asked for.
#pragma once

#include <boost/shared_ptr.hpp>

#include <string>

namespace ZAVPDF {

class CPDFObject;
class CPDFRef;

class CPDFPage {
public:
    // Reading a page object that is only referenced may fail as any read
    // from the file does.
    const boost::shared_ptr<CPDFObject>& GetPageObject() const;
    // The page object as far as it was read, without reading it.
    const boost::shared_ptr<CPDFObject>& GetLoadedPageObject() const { return m_pageObject; }
    // The key of the page object, without reading it; "" for no page object.
    std::string GetPageObjectKey() const;
    void SetPageObject(const boost::shared_ptr<CPDFObject>& pageObject);
    // The page object is read through reference when first asked for.
    void SetPageReference(const boost::shared_ptr<CPDFRef>& reference);

private:
    mutable boost::shared_ptr<CPDFObject> m_pageObject;
    boost::shared_ptr<CPDFRef> m_reference;
};

}  // namespace ZAVPDF
