// THash: the library's chained hash map. Subclasses choose the hash function
// and the value a new entry starts with; buckets are allocated on first insert
// and, with the grow flag set, the table grows once the load passes 0.75.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>

#include "foundation/text/TextException.h"

namespace ZAV {

// h = h * 33 + c over the bytes, each taken as a signed character, so bytes
// above 127 count as negative. Tables written by older versions of the
// library depend on exactly these values.
inline uint32_t StringHashValue(const char* text, size_t length)
{
    uint32_t hash = 0;
    for (size_t i = 0; i < length; ++i)
        hash = hash * 33u + static_cast<uint32_t>(static_cast<int32_t>(static_cast<signed char>(text[i])));
    return hash;
}

inline uint32_t StringHashValue(const std::string& text)
{
    return StringHashValue(text.data(), text.size());
}

// The hash of keys that hash to themselves: numbers, enumerations, pointers;
// strings use the string hash.
template <class K>
uint32_t DefaultHashValue(const K& key)
{
    if constexpr (std::is_same_v<K, std::string>)
        return StringHashValue(key);
    else if constexpr (std::is_pointer_v<K>)
        return static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key));
    else
        return static_cast<uint32_t>(key);
}

template <class K, class V>
class THash {
public:
    // Returns 0 when the node's key and the key are to be taken as equal.
    typedef int (*CompareCallback)(const K* nodeKey, const K* key);

    // Iteration position: a node, or one of the two markers below.
    typedef uintptr_t Position;
    static constexpr Position BeforeFirst = ~static_cast<Position>(0);
    static constexpr Position AfterLast = 0;

    struct Node {
        Node* next;
        uint32_t bucketIndex;  // the bucket the node was last placed in
        K key;
        V value;
    };

    THash(int32_t growFlag, uint32_t bucketCount)
        : m_buckets(nullptr), m_bucketCount(bucketCount), m_count(0),
          m_growFlag(growFlag), m_compare(nullptr)
    {
    }

    // A copy keeps the bucket count, grow flag, compare callback and the
    // order of every chain, so it iterates exactly as its source does.
    THash(const THash& other)
        : m_buckets(nullptr), m_bucketCount(other.m_bucketCount), m_count(0),
          m_growFlag(other.m_growFlag), m_compare(other.m_compare)
    {
        CopyNodesFrom(other);
    }

    THash& operator=(const THash& other)
    {
        if (this != &other) {
            RemoveAll();
            m_bucketCount = other.m_bucketCount;
            m_growFlag = other.m_growFlag;
            m_compare = other.m_compare;
            CopyNodesFrom(other);
        }
        return *this;
    }

    virtual ~THash() { RemoveAll(); }

    virtual uint32_t GetHashValue(const K& key) const = 0;
    virtual V CreateDefaultValue() const = 0;

    int32_t GetCount() const { return m_count; }
    uint32_t GetBucketCount() const { return m_bucketCount; }
    int32_t GetGrowFlag() const { return m_growFlag; }
    CompareCallback GetCompareCallback() const { return m_compare; }
    void SetCompareCallback(CompareCallback compare) { m_compare = compare; }

    uint32_t GetBucketIndex(const K& key) const
    {
        // A table made with no buckets has nowhere to put a key; it finds
        // nothing rather than dividing by zero.
        return m_bucketCount == 0 ? 0 : GetHashValue(key) % m_bucketCount;
    }

    Node* FindNode(const K& key, uint32_t& bucketIndex) const
    {
        bucketIndex = GetBucketIndex(key);
        if (m_buckets == nullptr)
            return nullptr;
        for (Node* node = m_buckets[bucketIndex]; node != nullptr; node = node->next) {
            if (KeysMatch(node, key))
                return node;
        }
        return nullptr;
    }

    bool Lookup(const K& key, V& value) const
    {
        uint32_t bucketIndex;
        const Node* node = FindNode(key, bucketIndex);
        if (node == nullptr)
            return false;
        value = node->value;
        return true;
    }

    bool HasKey(const K& key) const
    {
        uint32_t bucketIndex;
        return FindNode(key, bucketIndex) != nullptr;
    }

    V& FindOrInsert(const K& key)
    {
        uint32_t bucketIndex;
        if (Node* node = FindNode(key, bucketIndex))
            return node->value;

        if (m_buckets == nullptr) {
            Resize(m_bucketCount);
        } else if (m_growFlag != 0 &&
                   m_count > static_cast<int64_t>(0.75 * m_bucketCount)) {
            int64_t grown = static_cast<int64_t>(1.6 * m_bucketCount);
            Resize(static_cast<uint32_t>(grown < 100 ? 100 : grown));
            bucketIndex = GetBucketIndex(key);
        }

        Node* node = new Node{m_buckets[bucketIndex], bucketIndex, key, CreateDefaultValue()};
        m_buckets[bucketIndex] = node;
        ++m_count;
        return node->value;
    }

    V& operator[](const K& key) { return FindOrInsert(key); }

    // Matches keys exactly as FindNode does, so every key that can be found
    // can also be removed.
    bool Remove(const K& key)
    {
        if (m_buckets == nullptr)
            return false;
        Node** link = &m_buckets[GetBucketIndex(key)];
        for (Node* node = *link; node != nullptr; link = &node->next, node = node->next) {
            if (KeysMatch(node, key)) {
                *link = node->next;
                delete node;
                --m_count;
                return true;
            }
        }
        return false;
    }

    void RemoveAll()
    {
        if (m_buckets != nullptr) {
            for (uint32_t i = 0; i < m_bucketCount; ++i) {
                Node* node = m_buckets[i];
                while (node != nullptr) {
                    Node* next = node->next;
                    delete node;
                    node = next;
                }
            }
            delete[] m_buckets;
            m_buckets = nullptr;
        }
        m_count = 0;
    }

    void Resize(uint32_t bucketCount)
    {
        if (bucketCount == 0)
            ThrowTextException("Invalid hashtable size!");

        Node** oldBuckets = m_buckets;
        uint32_t oldBucketCount = m_bucketCount;
        m_buckets = new Node*[bucketCount]();
        m_bucketCount = bucketCount;
        m_count = 0;
        if (oldBuckets == nullptr)
            return;

        for (uint32_t i = 0; i < oldBucketCount; ++i) {
            Node* node = oldBuckets[i];
            while (node != nullptr) {
                Node* next = node->next;
                uint32_t bucketIndex = GetHashValue(node->key) % m_bucketCount;
                node->bucketIndex = bucketIndex;
                node->next = m_buckets[bucketIndex];
                m_buckets[bucketIndex] = node;
                ++m_count;
                node = next;
            }
        }
        delete[] oldBuckets;
    }

    // Walks the entries in bucket order, each chain from its head. Start with
    // BeforeFirst; returns false (and leaves AfterLast) once every entry has
    // been handed out.
    bool GetNextAssoc(Position& position, K& key, V& value) const
    {
        const Node* node = nullptr;
        if (position == BeforeFirst)
            node = FirstNodeFrom(0);
        else if (position != AfterLast)
            node = reinterpret_cast<const Node*>(position);
        if (node == nullptr) {
            position = AfterLast;
            return false;
        }

        key = node->key;
        value = node->value;
        const Node* next = node->next != nullptr ? node->next : FirstNodeFrom(node->bucketIndex + 1);
        position = next != nullptr ? reinterpret_cast<Position>(next) : AfterLast;
        return true;
    }

private:
    bool KeysMatch(const Node* node, const K& key) const
    {
        if (m_compare != nullptr)
            return m_compare(&node->key, &key) == 0;
        return node->key == key;
    }

    const Node* FirstNodeFrom(uint32_t bucketIndex) const
    {
        if (m_buckets == nullptr)
            return nullptr;
        for (uint32_t i = bucketIndex; i < m_bucketCount; ++i) {
            if (m_buckets[i] != nullptr)
                return m_buckets[i];
        }
        return nullptr;
    }

    void CopyNodesFrom(const THash& other)
    {
        if (other.m_buckets == nullptr)
            return;
        m_buckets = new Node*[m_bucketCount]();
        for (uint32_t i = 0; i < m_bucketCount; ++i) {
            Node** tail = &m_buckets[i];
            for (const Node* node = other.m_buckets[i]; node != nullptr; node = node->next) {
                *tail = new Node{nullptr, node->bucketIndex, node->key, node->value};
                tail = &(*tail)->next;
                ++m_count;
            }
        }
    }

    Node** m_buckets;          // null until the first insert
    uint32_t m_bucketCount;
    int32_t m_count;
    int32_t m_growFlag;
    CompareCallback m_compare;  // replaces the key type's equality when set
};

}  // namespace ZAV
