#include "pdf/forms/PDFFormDict.h"

#include <boost/make_shared.hpp>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"

namespace ZAVPDF {

void CPDFFormDict::LoadFields(CPDFDictionary* acroForm)
{
    if (acroForm == nullptr)
        ThrowTextException("Null Pointer provided for source dict");
    CPDFArray* fields = acroForm->GetArray("/Fields", true);
    CPDFFieldTreeReader reader;
    for (int i = 0; i < fields->GetCount(); ++i) {
        CPDFDictionary* dictionary = ReferencedDictionary(fields->Get(i));
        // Unlike a kid that is no dictionary (an error), such a field entry is passed over.
        if (dictionary == nullptr)
            continue;
        boost::shared_ptr<CPDFAcroForm> field = reader.Build(dictionary, boost::shared_ptr<CPDFAcroForm>());
        if (field)
            m_fields.push_back(field);
    }
}

void ReadAcroForm(CPDFDocument* document)
{
    if (document == nullptr)
        ThrowTextException("Null pointer provided for document!");
    boost::shared_ptr<CPDFDictionary> catalog = document->GetRootCatalog();
    if (!catalog)
        ThrowTextException("RootCatalog element is missing");
    CPDFDictionary* acroForm = catalog->GetDictionary("/AcroForm", true);
    boost::shared_ptr<CPDFFormDict> form = boost::make_shared<CPDFFormDict>();
    form->LoadFields(acroForm);
    document->SetAcroForm(form);
}

}  // namespace ZAVPDF
