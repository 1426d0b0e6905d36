#include "pdf/objects/PDFDictionaryEntries.h"

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

namespace ZAVPDF {

namespace {

// Up to this many entries a search in place is quicker than an index.
const size_t kEntriesSearchedInPlace = 16;

}  // namespace

int CPDFDictionaryEntries::Find(const std::string& key) const
{
    if (m_index) {
        const auto found = m_index->find(key);
        return found == m_index->end() ? -1 : found->second;
    }
    for (size_t i = 0; i < m_keys.size(); ++i)
        if (m_keys[i] == key)
            return static_cast<int>(i);
    return -1;
}

void CPDFDictionaryEntries::Set(const std::string& key, const CPDFObjectPtr& value)
{
    const int index = Find(key);
    if (index >= 0) {
        m_values[static_cast<size_t>(index)] = value;
        return;
    }
    m_keys.push_back(key);
    m_values.push_back(value);
    if (m_index) {
        m_index->emplace(key, static_cast<int>(m_keys.size() - 1));
    } else if (m_keys.size() > kEntriesSearchedInPlace) {
        m_index.reset(new std::unordered_map<std::string, int>);
        for (size_t i = 0; i < m_keys.size(); ++i)
            m_index->emplace(m_keys[i], static_cast<int>(i));
    }
}

const CPDFObjectPtr& CPDFDictionaryEntries::GetAt(int index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_values.size()) {
        ZAV::String text;
        text.Format("Invalid index '%d'", index);
        ThrowTextException(text.GetText());
    }
    return m_values[static_cast<size_t>(index)];
}

const CPDFObjectPtr& CPDFDictionaryEntries::GetEntry(const std::string& key) const
{
    const int index = Find(key);
    if (index < 0) {
        ZAV::String text;
        text.Format("Entry '%s' not available!", key.c_str());
        ThrowTextException(text.GetText());
    }
    return m_values[static_cast<size_t>(index)];
}

}  // namespace ZAVPDF
