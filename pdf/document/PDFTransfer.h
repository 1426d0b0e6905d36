// The process-wide record of indirect objects copied from one document into
// another, which keeps a copy of a shared or cyclic graph to one copy per object.
#pragma once

#include <boost/shared_ptr.hpp>

#include <string>

#include "foundation/containers/IndexedVectorMap.h"
#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFObject;

// One completed transfer of an indirect object.
class CTransferObjectsMapEntry {
public:
    CTransferObjectsMapEntry(CPDFDocument* sourceDocument, CPDFObject* sourceObject, CPDFDocument* targetDocument,
                             const boost::shared_ptr<CPDFObject>& targetObject);

    CPDFDocument* GetSourceDocument() const { return m_sourceDocument; }
    CPDFObject* GetSourceObject() const { return m_sourceObject; }
    int GetSourceObjectNumber() const { return m_sourceObjectNumber; }
    int GetSourceGenerationNumber() const { return m_sourceGenerationNumber; }
    CPDFDocument* GetTargetDocument() const { return m_targetDocument; }
    const boost::shared_ptr<CPDFObject>& GetTargetObject() const { return m_targetObject; }
    int GetTargetObjectNumber() const { return m_targetObjectNumber; }
    int GetTargetGenerationNumber() const { return m_targetGenerationNumber; }

private:
    CPDFDocument* m_sourceDocument;
    CPDFObject* m_sourceObject;
    int m_sourceObjectNumber;
    int m_sourceGenerationNumber;
    CPDFDocument* m_targetDocument;
    boost::shared_ptr<CPDFObject> m_targetObject;
    int m_targetObjectNumber;
    int m_targetGenerationNumber;
};

typedef ZAV::CIndexedVectorMap<boost::shared_ptr<CTransferObjectsMapEntry>> CTransferObjectsMap;

// The one map of the process. Its keys name the source object's number and
// its document, so copies out of two documents never stand for each other.
// Callers empty it (Clear) after each page import or update.
CTransferObjectsMap& TransferObjectsMap();

// The key of a source object: "%d-%s" of its number and its document's key text.
std::string MakeTransferKey(int sourceObjectNumber, const CPDFDocument* sourceDocument);

void AddTransferEntry(const boost::shared_ptr<CTransferObjectsMapEntry>& entry);
boost::shared_ptr<CTransferObjectsMapEntry> FindTransferEntry(int objectNumber, const CPDFDocument* sourceDocument);
// The copy of object in targetDocument, or empty when object is no indirect
// object or has not been copied there.
CPDFObjectPtr FindTransferredObject(const CPDFObjectPtr& object, CPDFDocument* targetDocument);
// The copy of object (never empty) in targetDocument: the one an earlier
// transfer made, else a new clone, so shared objects are copied once.
CPDFObjectPtr TransferredOrCloned(const CPDFObjectPtr& object, CPDFDocument* sourceDocument,
                                  CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap, CPDFKeySet& keySet,
                                  bool addToDocument);

}  // namespace ZAVPDF
