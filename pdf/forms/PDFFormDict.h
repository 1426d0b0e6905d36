// A document's interactive form: the field trees listed by the catalog's
// /AcroForm /Fields.
#pragma once

#include <boost/shared_ptr.hpp>

#include <vector>

#include "pdf/forms/PDFFormField.h"

namespace ZAVPDF {

class CPDFDictionary;
class CPDFDocument;

class CPDFFormDict {
public:
    // Reads every field tree of /Fields; entries that are not indirect
    // dictionaries are passed over.
    void LoadFields(CPDFDictionary* acroForm);

    const std::vector<boost::shared_ptr<CPDFAcroForm>>& GetFields() const { return m_fields; }
    int GetFieldCount() const { return static_cast<int>(m_fields.size()); }

private:
    std::vector<boost::shared_ptr<CPDFAcroForm>> m_fields;
};

// Reads the catalog's /AcroForm into a new form held by the document.
void ReadAcroForm(CPDFDocument* document);

}  // namespace ZAVPDF
