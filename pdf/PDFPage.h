// One page of a document: the indirect object holding its page dictionary.
#pragma once

#include <boost/shared_ptr.hpp>

namespace ZAVPDF {

class CPDFObject;

class CPDFPage {
public:
    const boost::shared_ptr<CPDFObject>& GetPageObject() const { return m_pageObject; }
    void SetPageObject(const boost::shared_ptr<CPDFObject>& pageObject) { m_pageObject = pageObject; }

private:
    boost::shared_ptr<CPDFObject> m_pageObject;
};

}  // namespace ZAVPDF
