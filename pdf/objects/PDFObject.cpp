#include "pdf/objects/PDFObject.h"

#include <cstdio>
#include <utility>

#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/document/PDFTransfer.h"
#include "pdf/document/PDFWalkGuard.h"

namespace ZAVPDF {

CPDFObject::CPDFObject(CPDFDocument* document) : CPDFObjectBase(ptObject, document)
{
}

CPDFObject::CPDFObject(CPDFDocument* document, const CPDFObjectPtr& inner)
    : CPDFObjectBase(ptObject, document), m_inner(inner)
{
}

CPDFObject::~CPDFObject() = default;

void CPDFObject::SetObjectNumber(int number)
{
    m_objectNumber = number;
    SetModified(true);
}

void CPDFObject::SetGenerationNumber(int generation)
{
    m_generationNumber = generation;
    SetModified(true);
}

void CPDFObject::SetInnerObject(const CPDFObjectPtr& inner)
{
    m_inner = inner;
    SetModified(true);
}

int CPDFObject::GetInnerType() const
{
    return m_inner ? m_inner->GetType() : kPDFNoInnerObject;
}

void CPDFObject::SetStreamData(const unsigned char* data, int count)
{
    m_streamData.SetData(data, count);
    m_hasStream = true;
}

void CPDFObject::SetStreamData(const CPDFByteArray& data)
{
    m_streamData.Copy(data);
    m_hasStream = true;
}

void CPDFObject::SetStreamData(CPDFByteArray&& data)
{
    m_streamData = std::move(data);
    // A stream the object holds is its own, whoever made the bytes.
    if (!m_streamData.OwnsData())
        m_streamData = CPDFByteArray(m_streamData);
    m_hasStream = true;
}

bool CPDFObject::MarkVisited(CPDFKeySet& visitedKeys) const
{
    const std::string key = GetObjectKey();
    if (visitedKeys.HasKey(key))
        return false;
    visitedKeys.FindOrInsert(key) = 1;
    return true;
}

void CPDFObject::CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys)
{
    if (!MarkVisited(visitedKeys))
        return;
    if (m_inner) {
        CPDFWalkGuard guard;
        m_inner->CollectReferences(map, visitedKeys);
    }
}

void CPDFObject::FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                                  CPDFKeySet& visitedKeys)
{
    if (!MarkVisited(visitedKeys))
        return;
    if (m_inner) {
        CPDFWalkGuard guard;
        m_inner->FindDictionaries(filter, result, visitedKeys);
    }
}

bool CPDFObject::HasModifiedContent() const
{
    if (!m_inner)
        return false;
    if (m_inner->IsModified())
        return true;
    CPDFWalkGuard guard;
    return m_inner->HasModifiedContent();
}

std::string CPDFObject::HeaderLine() const
{
    char header[256];
    std::snprintf(header, sizeof header, "%d %d obj\r\n", m_objectNumber, m_generationNumber);
    return header;
}

std::string CPDFObject::ToPDFString() const
{
    std::string text = HeaderLine();
    if (!m_inner)
        return text + "\r\nendobj\r\n";
    text += m_inner->ToPDFString();
    const int type = m_inner->GetType();
    if (type == ptString || type == ptArray || type == ptDictionary)
        text += "endobj\r\n";
    else
        text += "\r\nendobj\r\n";
    return text;
}

void CPDFObject::WriteTo(std::ostream& stream)
{
    stream << m_objectNumber << " " << m_generationNumber << " obj\r\n";
    if (m_inner) {
        const bool writeStream = m_hasStream && m_inner->GetType() == ptDictionary;
        if (writeStream) {
            auto* dictionary = static_cast<CPDFDictionary*>(m_inner.get());
            dictionary->Set("/Length", CPDFObjectPtr(new CPDFNumber(dictionary->GetDocument(), GetStreamSize())));
        }
        m_inner->WriteTo(stream);
        if (writeStream) {
            stream << "\r\nstream\r\n";
            if (GetStreamSize() > 0)
                stream.write(reinterpret_cast<const char*>(m_streamData.GetData()), GetStreamSize());
            stream << "endstream";
        }
    }
    stream << "\r\nendobj\r\n";
}

boost::shared_ptr<CPDFObject> CPDFObject::EnterEmptyCopy(CPDFObject* original, CPDFDocument* sourceDocument,
                                                         CPDFDocument* targetDocument, bool addToDocument)
{
    boost::shared_ptr<CPDFObject> copy(new CPDFObject(targetDocument));
    if (addToDocument && targetDocument->IsUpdateable())
        targetDocument->AddUpdateObjectTree(copy);
    else
        targetDocument->AddObjectTree(copy);
    if (sourceDocument != targetDocument)
        AddTransferEntry(boost::shared_ptr<CTransferObjectsMapEntry>(
            new CTransferObjectsMapEntry(sourceDocument, original, targetDocument, copy)));
    return copy;
}

CPDFObjectPtr CPDFObject::Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument,
                                CPDFVisitedMap& referenceMap, CPDFKeySet& keySet, bool addToDocument)
{
    CPDFWalkGuard guard;
    boost::shared_ptr<CPDFObject> copy = EnterEmptyCopy(this, sourceDocument, targetDocument, addToDocument);
    if (m_inner)
        copy->SetInnerObject(
            TransferredOrCloned(m_inner, sourceDocument, targetDocument, referenceMap, keySet, addToDocument));
    if (m_hasStream)
        copy->SetStreamData(m_streamData);
    return copy;
}

}  // namespace ZAVPDF
