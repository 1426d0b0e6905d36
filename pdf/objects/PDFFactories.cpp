#include "pdf/objects/PDFFactories.h"

#include <string>

#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"

namespace ZAVPDF {

boost::shared_ptr<CPDFObject> CreatePDFObject(CPDFDocument* document)
{
    return boost::shared_ptr<CPDFObject>(new CPDFObject(document));
}

boost::shared_ptr<CPDFBool> CreatePDFBool(CPDFDocument* document, bool value)
{
    return boost::shared_ptr<CPDFBool>(new CPDFBool(document, value));
}

boost::shared_ptr<CPDFName> CreatePDFName(CPDFDocument* document, const std::string& text)
{
    return boost::shared_ptr<CPDFName>(new CPDFName(document, text));
}

boost::shared_ptr<CPDFString> CreatePDFString(CPDFDocument* document, const std::string& text, bool hex)
{
    return boost::shared_ptr<CPDFString>(new CPDFString(document, text, hex));
}

boost::shared_ptr<CPDFNumber> CreatePDFInteger(CPDFDocument* document, int value)
{
    return boost::shared_ptr<CPDFNumber>(new CPDFNumber(document, value));
}

boost::shared_ptr<CPDFNumber> CreatePDFReal(CPDFDocument* document, double value)
{
    return boost::shared_ptr<CPDFNumber>(new CPDFNumber(document, value));
}

boost::shared_ptr<CPDFRef> CreatePDFRef(CPDFDocument* document, int objectNumber, int generation)
{
    return boost::shared_ptr<CPDFRef>(new CPDFRef(document, objectNumber, generation));
}

boost::shared_ptr<CPDFDictionary> CreatePDFDictionary(CPDFDocument* document)
{
    return boost::shared_ptr<CPDFDictionary>(new CPDFDictionary(document));
}

boost::shared_ptr<CPDFArray> CreatePDFArray(CPDFDocument* document)
{
    return boost::shared_ptr<CPDFArray>(new CPDFArray(document));
}

boost::shared_ptr<CPDFArray> CreatePDFIntegerArray(CPDFDocument* document, const std::vector<int>& values)
{
    boost::shared_ptr<CPDFArray> array = CreatePDFArray(document);
    for (int value : values)
        array->Add(CreatePDFInteger(document, value));
    return array;
}

boost::shared_ptr<CPDFArray> CreatePDFRealArray(CPDFDocument* document, const std::vector<double>& values)
{
    boost::shared_ptr<CPDFArray> array = CreatePDFArray(document);
    for (double value : values)
        array->Add(CreatePDFReal(document, value));
    return array;
}

boost::shared_ptr<CPDFArray> CreatePDFRectArray(CPDFDocument* document, const double rect[4])
{
    return CreatePDFRealArray(document, {rect[0], rect[1], rect[2], rect[3]});
}

boost::shared_ptr<CPDFArray> CreatePDFArrayOf2Reals(CPDFDocument* document, double a, double b)
{
    return CreatePDFRealArray(document, {a, b});
}

boost::shared_ptr<CPDFArray> CreatePDFArrayOf4Reals(CPDFDocument* document, double a, double b, double c, double d)
{
    return CreatePDFRealArray(document, {a, b, c, d});
}

boost::shared_ptr<CPDFArray> CreatePDFArrayOf3Integers(CPDFDocument* document, int a, int b, int c)
{
    return CreatePDFIntegerArray(document, {a, b, c});
}

boost::shared_ptr<CPDFObject> CreateIndirectDictionary(CPDFDocument* document, CPDFDictionary*& dictionary)
{
    boost::shared_ptr<CPDFDictionary> inner = CreatePDFDictionary(document);
    boost::shared_ptr<CPDFObject> object(new CPDFObject(document, inner));
    inner->SetParent(object.get());
    dictionary = inner.get();
    return object;
}

int CheckPDFObjectType(const CPDFObjectPtr& object, int expectedType, const char* typeName, const char* message)
{
    // A missing object is named as such even when the caller gave its own text.
    if (!object)
        ThrowTextException("Null Object!");
    if (object->GetType() != expectedType) {
        if (message)
            ThrowTextException(message);
        ThrowTextException((std::string(typeName) + " expected!").c_str());
    }
    return object->GetType();
}

CPDFObject* CastToPDFObject(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptObject, "PDFObject", message);
    return static_cast<CPDFObject*>(object.get());
}

CPDFObject* CastToPDFObject(CPDFObjectBase* object, const char* message)
{
    if (!object)
        ThrowTextException("Null Object!");
    if (object->GetType() != ptObject)
        ThrowTextException(message ? message : "PDFObject expected!");
    return static_cast<CPDFObject*>(object);
}

CPDFDictionary* CastToPDFDictionary(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptDictionary, "PDFDictionary", message);
    return static_cast<CPDFDictionary*>(object.get());
}

CPDFArray* CastToPDFArray(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptArray, "PDFArray", message);
    return static_cast<CPDFArray*>(object.get());
}

CPDFRef* CastToPDFRef(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptRef, "PDFRef", message);
    return static_cast<CPDFRef*>(object.get());
}

CPDFNumber* CastToPDFNumber(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptInteger, "PDFNumber", message);
    return static_cast<CPDFNumber*>(object.get());
}

CPDFName* CastToPDFName(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptName, "PDFName", message);
    return static_cast<CPDFName*>(object.get());
}

CPDFString* CastToPDFString(const CPDFObjectPtr& object, const char* message)
{
    CheckPDFObjectType(object, ptString, "PDFString", message);
    return static_cast<CPDFString*>(object.get());
}

CPDFDictionary* GetPDFDictionary(const CPDFObjectPtr& object, bool required, const char* prefix)
{
    if (object) {
        if (object->GetType() == ptDictionary)
            return static_cast<CPDFDictionary*>(object.get());
        if (object->GetType() == ptObject) {
            const CPDFObjectPtr& inner = static_cast<CPDFObject*>(object.get())->GetInnerObject();
            if (inner && inner->GetType() == ptDictionary)
                return static_cast<CPDFDictionary*>(inner.get());
        }
    }
    if (!required)
        return nullptr;
    if (prefix)
        ThrowTextException((std::string(prefix) + " No dictionary object found!").c_str());
    ThrowTextException("No dictionary object found!");
}

CPDFObjectPtr ResolvePDFReference(const CPDFObjectPtr& object)
{
    if (!object)
        return CPDFObjectPtr();
    if (object->GetType() == ptRef)
        return static_cast<CPDFRef*>(object.get())->GetReferencedObject();
    return object;
}

void CollectReferenceList(const CPDFObjectPtr& object, std::vector<CPDFObjectPtr>& references)
{
    if (!object)
        return;
    if (object->GetType() == ptRef) {
        references.push_back(object);
    } else if (object->GetType() == ptArray) {
        for (const CPDFObjectPtr& element : static_cast<CPDFArray*>(object.get())->GetElements())
            if (element && element->GetType() == ptRef)
                references.push_back(element);
    }
}

}  // namespace ZAVPDF
