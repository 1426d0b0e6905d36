// The entries of a PDF dictionary: keys and values in the order the keys
// were first set. Most dictionaries hold a handful of entries and are
// searched in place; a large one gets an index by key, so that reading a
// dictionary of many keys stays linear.
#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "pdf/objects/PDFObjectBase.h"

namespace ZAVPDF {

class CPDFDictionaryEntries {
public:
    CPDFDictionaryEntries() = default;
    CPDFDictionaryEntries(const CPDFDictionaryEntries&) = delete;
    CPDFDictionaryEntries& operator=(const CPDFDictionaryEntries&) = delete;

    // The position of key, or -1.
    int Find(const std::string& key) const;
    bool Contains(const std::string& key) const { return Find(key) >= 0; }
    // Replaces the value of a present key in its place, else appends.
    void Set(const std::string& key, const CPDFObjectPtr& value);

    int GetSize() const { return static_cast<int>(m_values.size()); }
    // Throws "Invalid index '%d'" outside the entries.
    const CPDFObjectPtr& GetAt(int index) const;
    // Throws "Entry '%s' not available!" for a missing key.
    const CPDFObjectPtr& GetEntry(const std::string& key) const;
    const std::vector<std::string>& GetKeys() const { return m_keys; }
    const std::vector<CPDFObjectPtr>& GetValues() const { return m_values; }

private:
    std::vector<std::string> m_keys;
    std::vector<CPDFObjectPtr> m_values;
    // Key to position, made once the dictionary grows past a few entries.
    std::unique_ptr<std::unordered_map<std::string, int>> m_index;
};

}  // namespace ZAVPDF
