// The PDF array: an ordered list of objects, owned by shared pointer.
#pragma once

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFArray : public CPDFObjectBase {
public:
    explicit CPDFArray(CPDFDocument* document);
    ~CPDFArray() override;

    // Appends object (never empty) and becomes its parent.
    void Add(const CPDFObjectPtr& object);
    int GetCount() const { return static_cast<int>(m_elements.size()); }
    CPDFObjectPtr Get(int index) const;
    // Get with a type check; references are not resolved.
    CPDFObjectPtr GetTyped(int index, int type) const;
    // True when an element has object's type and, ignoring case, its text.
    bool Contains(const CPDFObjectPtr& object) const;
    const std::vector<CPDFObjectPtr>& GetElements() const { return m_elements; }

    void CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys) override;
    bool HasModifiedContent() const override;
    void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                          CPDFKeySet& visitedKeys) override;
    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

private:
    std::vector<CPDFObjectPtr> m_elements;
};

// Case-insensitive equality of two texts (ASCII letters).
bool PDFTextEqualsNoCase(const std::string& a, const std::string& b);

}  // namespace ZAVPDF
