// CIndexedVectorMap: named entries kept in the order they were added and
// found by name in constant time. The values stand in a vector; the hash it
// derives from maps each key to the value's position there.
//
// Removing an entry takes its key out of the index but leaves its slot, so
// every position stays valid until Clear. Callers walking by position meet
// the slots of removed entries (holding whatever the remover stored, in
// practice an empty pointer) and skip them.
#pragma once

#include <cctype>
#include <cstdint>
#include <string>
#include <vector>

#include "foundation/containers/Hash.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

namespace ZAV {

template <class V>
class CIndexedVectorMap : public THash<std::string, int> {
public:
    explicit CIndexedVectorMap(uint32_t bucketCount)
        : THash<std::string, int>(1, bucketCount), m_storeOriginalKeys(false), m_originalKeys(nullptr),
          m_caseSensitive(1)
    {
    }

    CIndexedVectorMap(const CIndexedVectorMap&) = delete;
    CIndexedVectorMap& operator=(const CIndexedVectorMap&) = delete;

    // Shared values are released with the vector; plain pointers belong to
    // the owner and are left alone.
    ~CIndexedVectorMap() override { delete m_originalKeys; }

    uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
    int CreateDefaultValue() const override { return 0; }

    // Both settings belong to the map's construction: change them before the
    // first entry is added.
    bool IsCaseSensitive() const { return m_caseSensitive != 0; }
    void SetCaseSensitive(bool caseSensitive) { m_caseSensitive = caseSensitive ? 1 : 0; }

    bool GetStoreOriginalKeys() const { return m_storeOriginalKeys; }
    void SetStoreOriginalKeys(bool store)
    {
        m_storeOriginalKeys = store;
        if (store && m_originalKeys == nullptr)
            m_originalKeys = new std::vector<std::string>(m_entries.size());
        else if (!store) {
            delete m_originalKeys;
            m_originalKeys = nullptr;
        }
    }

    // The keys as the callers spelled them, in the order of the entries ("" for
    // a removed entry); null unless StoreOriginalKeys was set.
    const std::vector<std::string>* GetOriginalKeys() const { return m_originalKeys; }

    // Number of slots, removed ones included; GetCount gives the keys present.
    int32_t GetSize() const { return static_cast<int32_t>(m_entries.size()); }
    const std::vector<V>& GetEntries() const { return m_entries; }

    int Find(const std::string& key, bool throwIfAbsent = false) const
    {
        int index = 0;
        // A case-sensitive map looks the key up as it is, without a copy.
        if (m_caseSensitive != 0 ? Lookup(key, index) : Lookup(IndexKey(key), index))
            return index;
        if (throwIfAbsent) {
            String text;
            text.Format("Entry '%s' not found!", key.c_str());
            ThrowTextException(text.GetText());
        }
        return -1;
    }

    bool Contains(const std::string& key) const { return Find(key) >= 0; }

    V& GetEntry(const std::string& key)
    {
        int index = Find(key);
        if (index < 0) {
            String text;
            text.Format("Entry '%s' not available!", key.c_str());
            ThrowTextException(text.GetText());
        }
        return m_entries[static_cast<size_t>(index)];
    }

    V& GetAt(int32_t index)
    {
        CheckIndex(index);
        return m_entries[static_cast<size_t>(index)];
    }

    const V& GetAt(int32_t index) const
    {
        CheckIndex(index);
        return m_entries[static_cast<size_t>(index)];
    }

    // Replaces the value of a key that is present, else appends the entry.
    void Set(const std::string& key, const V& value)
    {
        int index = Find(key);
        if (index >= 0)
            m_entries[static_cast<size_t>(index)] = value;
        else
            Add(key, value);
    }

    // Appends an entry and returns its slot.
    V& Add(const std::string& key, const V& value)
    {
        m_entries.push_back(value);
        if (m_originalKeys != nullptr)
            m_originalKeys->push_back(key);
        FindOrInsert(IndexKey(key)) = static_cast<int>(m_entries.size() - 1);
        return m_entries.back();
    }

    // Takes the key out of the index and stores the given value in its slot,
    // which stays in place.
    void RemoveEntry(const std::string& key, const V& value)
    {
        const int index = Find(key, true);
        Remove(IndexKey(key));
        m_entries[static_cast<size_t>(index)] = value;
        if (m_originalKeys != nullptr)
            (*m_originalKeys)[static_cast<size_t>(index)].clear();
    }

    void Clear()
    {
        m_entries.clear();
        if (m_originalKeys != nullptr)
            m_originalKeys->clear();
        RemoveAll();
    }

private:
    std::string IndexKey(const std::string& key) const
    {
        if (m_caseSensitive != 0)
            return key;
        std::string upper(key);
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        return upper;
    }

    void CheckIndex(int32_t index) const
    {
        if (index < 0 || static_cast<size_t>(index) >= m_entries.size()) {
            String text;
            text.Format("Invalid index '%d'", index);
            ThrowTextException(text.GetText());
        }
    }

    std::vector<V> m_entries;
    bool m_storeOriginalKeys;
    std::vector<std::string>* m_originalKeys;
    int32_t m_caseSensitive;
};

}  // namespace ZAV
