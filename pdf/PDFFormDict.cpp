#include "pdf/PDFFormDict.h"

#include <boost/make_shared.hpp>

#include "foundation/TextException.h"
#include "pdf/PDFArray.h"
#include "pdf/PDFDictionary.h"
#include "pdf/PDFDocument.h"
#include "pdf/PDFObject.h"
#include "pdf/PDFRef.h"

namespace ZAVPDF {

void CPDFFormDict::LoadFields(CPDFDictionary* acroForm) {
    if (acroForm == nullptr) ThrowTextException("Null Pointer provided for source dict");
    CPDFArray* fields = acroForm->GetArray("/Fields", true);
    CPDFFieldTreeReader reader;
    for (int i = 0; i < fields->GetCount(); ++i) {
        CPDFObjectPtr element = fields->Get(i);
        if (!element || element->GetType() != ptRef) continue;
        boost::shared_ptr<CPDFObject> object =
            static_cast<CPDFRef*>(element.get())->GetReferencedObject(nullptr, false);
        if (!object || object->GetInnerType() != ptDictionary) continue;
        CPDFDictionary* dictionary = static_cast<CPDFDictionary*>(object->GetInnerObject().get());
        if (dictionary == nullptr) ThrowTextException("Null pointer got for field dictionary");
        boost::shared_ptr<CPDFAcroForm> field = reader.Build(dictionary, boost::shared_ptr<CPDFAcroForm>());
        if (field) m_fields.push_back(field);
    }
}

void ReadAcroForm(CPDFDocument* document) {
    if (document == nullptr) ThrowTextException("Null pointer provided for document!");
    boost::shared_ptr<CPDFDictionary> catalog = document->GetRootCatalog();
    if (!catalog) ThrowTextException("RootCatalog element is missing");
    CPDFDictionary* acroForm = catalog->GetDictionary("/AcroForm", true);
    boost::shared_ptr<CPDFFormDict> form = boost::make_shared<CPDFFormDict>();
    form->LoadFields(acroForm);
    document->SetAcroForm(form);
}

}  // namespace ZAVPDF
