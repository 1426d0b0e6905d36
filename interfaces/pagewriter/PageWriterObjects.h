// Small steps every part of WritePage takes with the document's objects.
#pragma once

#include <boost/shared_ptr.hpp>

#include <cstdint>

#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"

namespace ZAV {

// Enters the object (with what it holds) into the document; its number.
inline int32_t AddToDocument(ZAVPDF::CPDFDocument& document, const boost::shared_ptr<ZAVPDF::CPDFObject>& object)
{
    document.AddObjectTree(object);
    return object->GetObjectNumber();
}

}  // namespace ZAV
