// Making PDF objects, checking their types, and the small helpers every
// reader of the object graph needs. None of the factories enters an object
// into its document's object map; CPDFDocument::AddObject does that.
#pragma once

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFArray;
class CPDFBool;
class CPDFName;
class CPDFNumber;
class CPDFObject;
class CPDFRef;
class CPDFString;

boost::shared_ptr<CPDFObject> CreatePDFObject(CPDFDocument* document);
boost::shared_ptr<CPDFBool> CreatePDFBool(CPDFDocument* document, bool value);
boost::shared_ptr<CPDFName> CreatePDFName(CPDFDocument* document, const std::string& text);
boost::shared_ptr<CPDFString> CreatePDFString(CPDFDocument* document, const std::string& text, bool hex);
boost::shared_ptr<CPDFNumber> CreatePDFInteger(CPDFDocument* document, int value);
boost::shared_ptr<CPDFNumber> CreatePDFReal(CPDFDocument* document, double value);
boost::shared_ptr<CPDFRef> CreatePDFRef(CPDFDocument* document, int objectNumber, int generation);
boost::shared_ptr<CPDFDictionary> CreatePDFDictionary(CPDFDocument* document);
boost::shared_ptr<CPDFArray> CreatePDFArray(CPDFDocument* document);
boost::shared_ptr<CPDFArray> CreatePDFIntegerArray(CPDFDocument* document, const std::vector<int>& values);
boost::shared_ptr<CPDFArray> CreatePDFRealArray(CPDFDocument* document, const std::vector<double>& values);
// The four doubles of a rectangle record, in record order.
boost::shared_ptr<CPDFArray> CreatePDFRectArray(CPDFDocument* document, const double rect[4]);
boost::shared_ptr<CPDFArray> CreatePDFArrayOf2Reals(CPDFDocument* document, double a, double b);
boost::shared_ptr<CPDFArray> CreatePDFArrayOf4Reals(CPDFDocument* document, double a, double b, double c, double d);
boost::shared_ptr<CPDFArray> CreatePDFArrayOf3Integers(CPDFDocument* document, int a, int b, int c);
// An indirect object holding a new empty dictionary, also handed out plainly.
boost::shared_ptr<CPDFObject> CreateIndirectDictionary(CPDFDocument* document, CPDFDictionary*& dictionary);

// Throws "Null Object!", the caller's message or "%s expected!"; returns the type.
int CheckPDFObjectType(const CPDFObjectPtr& object, int expectedType, const char* typeName,
                       const char* message = nullptr);

CPDFObject* CastToPDFObject(const CPDFObjectPtr& object, const char* message = nullptr);
CPDFObject* CastToPDFObject(CPDFObjectBase* object, const char* message = nullptr);
CPDFDictionary* CastToPDFDictionary(const CPDFObjectPtr& object, const char* message = nullptr);
CPDFArray* CastToPDFArray(const CPDFObjectPtr& object, const char* message = nullptr);
CPDFRef* CastToPDFRef(const CPDFObjectPtr& object, const char* message = nullptr);
// Integers only: a real fails as any other type does.
CPDFNumber* CastToPDFNumber(const CPDFObjectPtr& object, const char* message = nullptr);
CPDFName* CastToPDFName(const CPDFObjectPtr& object, const char* message = nullptr);
CPDFString* CastToPDFString(const CPDFObjectPtr& object, const char* message = nullptr);

// The dictionary itself, or the one an indirect object holds; otherwise
// null, or a throw when required.
CPDFDictionary* GetPDFDictionary(const CPDFObjectPtr& object, bool required, const char* prefix = nullptr);

// A reference's target; any other object itself; empty for empty.
CPDFObjectPtr ResolvePDFReference(const CPDFObjectPtr& object);

// Appends object when it is a reference, or the references an array holds.
void CollectReferenceList(const CPDFObjectPtr& object, std::vector<CPDFObjectPtr>& references);

}  // namespace ZAVPDF
