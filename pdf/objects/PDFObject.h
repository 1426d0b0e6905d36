// An indirect object: number, generation, one direct object and an optional
// stream; the unit a document keeps in its object map and writes.
#pragma once

#include "foundation/containers/ArraySimple.h"
#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

typedef ZAV::CArraySimple<unsigned char, 1> CPDFByteArray;

// The answer of GetInnerType for an indirect object without inner object.
constexpr int kPDFNoInnerObject = 111;

class CPDFObject : public CPDFObjectBase {
public:
    explicit CPDFObject(CPDFDocument* document);
    CPDFObject(CPDFDocument* document, const CPDFObjectPtr& inner);
    ~CPDFObject() override;

    int GetObjectNumber() const override { return m_objectNumber; }
    int GetGenerationNumber() const override { return m_generationNumber; }
    void CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys) override;
    bool HasModifiedContent() const override;
    void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                          CPDFKeySet& visitedKeys) override;
    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    // An empty copy of original entered into targetDocument and recorded as
    // its transfer, before anything inside is copied: a cycle that leads
    // back to original then finds the copy.
    static boost::shared_ptr<CPDFObject> EnterEmptyCopy(CPDFObject* original, CPDFDocument* sourceDocument,
                                                        CPDFDocument* targetDocument, bool addToDocument);
    std::string ToPDFString() const override;
    // Writes the object as the file holds it; a stream's dictionary gets
    // its /Length set to the stream's byte count first.
    void WriteTo(std::ostream& stream) override;

    void SetObjectNumber(int number);
    void SetGenerationNumber(int generation);

    const CPDFObjectPtr& GetInnerObject() const { return m_inner; }
    void SetInnerObject(const CPDFObjectPtr& inner);
    bool HasInnerObject() const { return static_cast<bool>(m_inner); }
    int GetInnerType() const;

    const CPDFByteArray& GetStreamData() const { return m_streamData; }
    int GetStreamSize() const { return m_streamData.GetSize(); }
    void SetStreamData(const unsigned char* data, int count);
    void SetStreamData(const CPDFByteArray& data);
    // Takes the bytes over, leaving data empty.
    void SetStreamData(CPDFByteArray&& data);
    bool HasStream() const { return m_hasStream; }
    void SetHasStream(bool hasStream) { m_hasStream = hasStream; }

private:
    std::string HeaderLine() const;
    // Enters the object's key into a walk's visited keys; false when the
    // walk has been here before (shared objects and cycles).
    bool MarkVisited(CPDFKeySet& visitedKeys) const;

    int m_objectNumber = 0;
    int m_generationNumber = 0;
    CPDFObjectPtr m_inner;
    bool m_hasStream = false;
    CPDFByteArray m_streamData;
};

}  // namespace ZAVPDF
