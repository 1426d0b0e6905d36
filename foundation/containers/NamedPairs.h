// TNamedPairs: named values that remember the order in which each name was
// first set. Names are case-sensitive. The text and the variant property
// sets are this one logic over their own value type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/containers/Hash.h"
#include "foundation/text/TextException.h"

namespace ZAV {

template <class V>
class TNamedPairs {
public:
    class CPairsHash : public THash<std::string, V> {
    public:
        CPairsHash() : THash<std::string, V>(1, 1000) {}
        uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
        V CreateDefaultValue() const override { return V(); }
    };

    // Throws "Key not found!" for a key that is not set.
    const V& GetValue(const std::string& key) const
    {
        uint32_t bucketIndex;
        const typename CPairsHash::Node* node = m_hash.FindNode(key, bucketIndex);
        if (node == nullptr)
            ThrowTextException("Key not found!");
        return node->value;
    }

    // A new key goes to the end of the order; setting a key again keeps its place.
    void SetValue(const std::string& key, const V& value)
    {
        if (!m_hash.HasKey(key))
            m_keyOrder.push_back(key);
        m_hash.FindOrInsert(key) = value;
    }

    // By position in the order of first setting; "" or an empty value
    // outside 0 .. count - 1.
    std::string GetKeyAt(int32_t index) const
    {
        return IsPosition(index) ? m_keyOrder[static_cast<size_t>(index)] : std::string();
    }
    V GetValueAt(int32_t index) const
    {
        return IsPosition(index) ? GetValue(m_keyOrder[static_cast<size_t>(index)]) : V();
    }

    bool HasKey(const std::string& key) const { return m_hash.HasKey(key); }
    int32_t GetCount() const { return static_cast<int32_t>(m_keyOrder.size()); }

    // All keys in bucket order; GetKeyAt gives the order of setting.
    void GetKeys(std::vector<std::string>& keys) const
    {
        keys.clear();
        keys.reserve(m_keyOrder.size());
        typename CPairsHash::Position position = CPairsHash::BeforeFirst;
        std::string key;
        V value;
        while (m_hash.GetNextAssoc(position, key, value))
            keys.push_back(key);
    }

    void RemoveAll()
    {
        m_hash.RemoveAll();
        m_keyOrder.clear();
    }

private:
    bool IsPosition(int32_t index) const { return index >= 0 && static_cast<size_t>(index) < m_keyOrder.size(); }

    CPairsHash m_hash;
    std::vector<std::string> m_keyOrder;
};

}  // namespace ZAV
