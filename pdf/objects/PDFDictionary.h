// The PDF dictionary: named entries kept in the order their keys were first
// set, with typed getters that resolve references on request.
#pragma once

#include "pdf/objects/PDFDictionaryEntries.h"
#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFArray;
class CPDFBool;
class CPDFName;
class CPDFNumber;
class CPDFObject;
class CPDFRef;

class CPDFDictionary : public CPDFObjectBase {
public:
    explicit CPDFDictionary(CPDFDocument* document);
    ~CPDFDictionary() override;

    // Replaces the value of a present key in its place, else appends the
    // key; becomes the value's parent. The value must not be empty.
    void Set(const std::string& key, const CPDFObjectPtr& object);
    void SetByName(const CPDFName& name, const CPDFObjectPtr& object);
    void SetName(const std::string& key, const std::string& text);
    void SetString(const std::string& key, const std::string& text, bool hex);
    void SetInteger(const std::string& key, int value);
    void SetRef(const std::string& key, int objectNumber, int generation);
    void SetBool(const std::string& key, bool value);

    bool HasKey(const std::string& key) const;
    int GetCount() const;
    CPDFObjectPtr Get(const std::string& key) const;
    int GetEntryType(const std::string& key) const;
    CPDFObjectPtr GetEntryAt(int index) const;
    const std::vector<CPDFObjectPtr>& GetValues() const { return m_entries.GetValues(); }
    // The keys as they were set, in the order of the entries.
    const std::vector<std::string>& GetOriginalKeys() const { return m_entries.GetKeys(); }

    // The entry's PDF text (a reference's target when resolveReferences is
    // set); "" when the key is missing or nothing is found.
    std::string GetEntryAsText(const std::string& key, bool resolveReferences) const;
    bool EntryTextEquals(const std::string& key, const std::string& text) const;
    bool MatchesFilter(const CPDFDictionary* filter) const;

    CPDFObjectPtr GetTypedEntry(const std::string& key, int type, bool resolveReferences,
                                const char* prefix = nullptr) const;
    CPDFObjectPtr GetTypedObjectEntry(const std::string& key, bool resolveReferences,
                                      const char* prefix = nullptr) const;
    CPDFArray* GetArray(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFBool* GetBool(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFNumber* GetInteger(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFName* GetName(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFRef* GetRef(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFDictionary* GetDictionary(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;
    CPDFObject* GetObject(const std::string& key, bool resolveReferences, const char* prefix = nullptr) const;

    void CollectReferences(CPDFObjectMap& map, CPDFKeySet& visitedKeys) override;
    bool HasModifiedContent() const override;
    void FindDictionaries(const boost::shared_ptr<CPDFDictionary>& filter, std::vector<CPDFDictionary*>& result,
                          CPDFKeySet& visitedKeys) override;
    CPDFObjectPtr Clone(CPDFDocument* sourceDocument, CPDFDocument* targetDocument, CPDFVisitedMap& referenceMap,
                        CPDFKeySet& keySet, bool addToDocument) override;
    std::string ToPDFString() const override;

    // The value of a key that must be set; throws the getters' message.
    CPDFObjectPtr RequiredEntry(const std::string& key, const char* prefix) const;

private:
    CPDFDictionaryEntries m_entries;
};

}  // namespace ZAVPDF
