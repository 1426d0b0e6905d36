#include "pdf/document/PDFTransfer.h"

#include "foundation/text/TextException.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFObject.h"

namespace ZAVPDF {

CTransferObjectsMapEntry::CTransferObjectsMapEntry(CPDFDocument* sourceDocument, CPDFObject* sourceObject,
                                                   CPDFDocument* targetDocument,
                                                   const boost::shared_ptr<CPDFObject>& targetObject)
    : m_sourceDocument(sourceDocument), m_sourceObject(sourceObject), m_targetDocument(targetDocument),
      m_targetObject(targetObject)
{
    if (!sourceObject || !targetObject)
        ThrowTextException("Null Poiuter!");
    if (sourceObject->GetType() != ptObject || targetObject->GetType() != ptObject)
        ThrowTextException("potObject expected!");
    m_sourceObjectNumber = sourceObject->GetObjectNumber();
    m_sourceGenerationNumber = sourceObject->GetGenerationNumber();
    m_targetObjectNumber = targetObject->GetObjectNumber();
    m_targetGenerationNumber = targetObject->GetGenerationNumber();
}

CTransferObjectsMap& TransferObjectsMap()
{
    static CTransferObjectsMap map(10000);
    return map;
}

std::string MakeTransferKey(int sourceObjectNumber, const CPDFDocument* sourceDocument)
{
    return MakeObjectKey(sourceObjectNumber, CPDFDocument::MakeKeyText(sourceDocument));
}

void AddTransferEntry(const boost::shared_ptr<CTransferObjectsMapEntry>& entry)
{
    TransferObjectsMap().Set(MakeTransferKey(entry->GetSourceObjectNumber(), entry->GetSourceDocument()), entry);
}

boost::shared_ptr<CTransferObjectsMapEntry> FindTransferEntry(int objectNumber, const CPDFDocument* sourceDocument)
{
    CTransferObjectsMap& map = TransferObjectsMap();
    const int index = map.Find(MakeTransferKey(objectNumber, sourceDocument), false);
    if (index < 0)
        return boost::shared_ptr<CTransferObjectsMapEntry>();
    return map.GetAt(index);
}

CPDFObjectPtr FindTransferredObject(const CPDFObjectPtr& object, CPDFDocument* targetDocument)
{
    if (!object || object->GetType() != ptObject || !targetDocument)
        return CPDFObjectPtr();
    boost::shared_ptr<CTransferObjectsMapEntry> entry =
        FindTransferEntry(object->GetObjectNumber(), object->GetDocument());
    if (!entry || entry->GetSourceObject() != object.get())
        return CPDFObjectPtr();
    return targetDocument->FindObjectByNumber(entry->GetTargetObjectNumber(), entry->GetTargetDocument());
}

CPDFObjectPtr TransferredOrCloned(const CPDFObjectPtr& object, CPDFDocument* sourceDocument,
                                  CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap, CPDFKeySet& keySet,
                                  bool addToDocument)
{
    CPDFObjectPtr copy = FindTransferredObject(object, targetDocument);
    if (!copy)
        copy = object->Clone(sourceDocument, targetDocument, referenceMap, keySet, addToDocument);
    return copy;
}

}  // namespace ZAVPDF
