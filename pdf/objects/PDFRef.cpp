#include "pdf/objects/PDFRef.h"

#include <boost/make_shared.hpp>

#include <cstdio>

#include "foundation/text/TextException.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFNull.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAVPDF {

CPDFRef::CPDFRef(CPDFDocument* document, int objectNumber, int generation)
    : CPDFObjectBase(ptRef, document), m_objectNumber(objectNumber), m_generationNumber(generation)
{
}

CPDFRef::~CPDFRef() = default;

void CPDFRef::SetObjectNumber(int number)
{
    m_objectNumber = number;
    SetModified(true);
}

void CPDFRef::SetGenerationNumber(int generation)
{
    m_generationNumber = generation;
    SetModified(true);
}

void CPDFRef::SetCachedObject(const boost::shared_ptr<CPDFObject>& object)
{
    m_cached = object;
    SetModified(true);
}

// An object read from the file keeps its number in the file, also for an
// update: the adding flag needs nothing of the reading.
boost::shared_ptr<CPDFObject> CPDFRef::GetReferencedObject(CPDFDocument* otherDocument, bool)
{
    if (m_cached)
        return m_cached;
    CPDFDocument* document = GetDocument();
    if (!document)
        ThrowTextException("Missing document object!");
    const std::string keyText = GetDocumentKey();
    // A number beyond the file's table names nothing in the file, whatever
    // object this document has since given that number.
    const bool mayBeInMap = !m_readFromFile || document->IsFileObjectNumber(m_objectNumber);
    boost::shared_ptr<CPDFObject> found;
    if (mayBeInMap)
        found = document->FindObjectByKeyText(m_objectNumber, keyText);
    if (!found && mayBeInMap && otherDocument)
        found = otherDocument->FindObjectByKeyText(m_objectNumber, keyText);
    if (!found && document->GetParser())
        found = document->LoadObject(this);
    if (!found)
        ThrowTextException("Referenced object not found in crt and there is no parser assigned to read the "
                           "missing referenced object!");
    m_cached = found;
    return found;
}

void CPDFRef::CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys)
{
    if (visitedKeys.HasKey(GetObjectKey()))
        return;
    CPDFWalkGuard guard;
    boost::shared_ptr<CPDFObject> target = GetReferencedObject();
    map.Set(target->GetObjectKey(), target);
    target->CollectReferences(map, visitedKeys);
}

void CPDFRef::FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                               CPDFKeySet& visitedKeys)
{
    if (visitedKeys.HasKey(GetObjectKey()))
        return;
    CPDFWalkGuard guard;
    GetReferencedObject()->FindDictionaries(filter, result, visitedKeys);
}

CPDFObjectPtr CPDFRef::Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                             CPDFKeySet& keySet, bool addToDocument)
{
    CPDFWalkGuard guard;
    const std::string key = GetObjectKey();
    // An object the copy leaves behind (another page of the source) is
    // referred to by nothing in the copy.
    if (keySet.HasKey(key))
        return boost::make_shared<CPDFNull>(targetDocument);
    boost::shared_ptr<CPDFRef> copy(new CPDFRef(targetDocument, m_objectNumber, m_generationNumber));

    CPDFObjectPtr found;
    if (!referenceMap.Contains(key)) {
        targetDocument->MapReference(referenceMap, this, copy.get());
        found = GetReferencedObject(sourceDocument, addToDocument);
    } else {
        // A copy made earlier for the same key has its target once it is
        // complete; while it is still being made (a cycle), the source's
        // own target leads to that copy through the transfer map.
        auto* stored = static_cast<CPDFRef*>(referenceMap.GetEntry(key));
        if (stored && stored->HasCachedObject())
            found = stored->GetCachedObject();
        else
            found = GetReferencedObject(sourceDocument, addToDocument);
    }

    CPDFObjectPtr target = found;
    if (found->GetDocument() != targetDocument)
        target = TransferredOrCloned(found, sourceDocument, targetDocument, referenceMap, keySet, addToDocument);
    if (!target || target->GetType() != ptObject)
        ThrowTextException("Referenced Object is no Object!");

    copy->SetCachedObject(boost::static_pointer_cast<CPDFObject>(target));
    copy->SetObjectNumber(target->GetObjectNumber());
    copy->SetGenerationNumber(target->GetGenerationNumber());
    copy->SetDocumentKeyText(target->GetDocumentKey());
    return copy;
}

std::string CPDFRef::ToPDFString() const
{
    char text[1024];
    if (m_cached)
        std::snprintf(text, sizeof text, "%d %d R", m_cached->GetObjectNumber(), m_cached->GetGenerationNumber());
    else
        std::snprintf(text, sizeof text, "%d %d R", m_objectNumber, m_generationNumber);
    return text;
}

}  // namespace ZAVPDF
