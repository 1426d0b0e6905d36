// CSet: a set of keys over THash, each member stored with the value 1.
// Strings hash with the string hash; numbers, enumerations and pointers hash
// to themselves.
#pragma once

#include <vector>

#include "foundation/containers/Hash.h"

namespace ZAV {

template <class T>
class CSet : public THash<T, int> {
    typedef THash<T, int> Base;

public:
    CSet() : Base(1, 100) {}
    // The sets of accepted depths are built from one, two or three values.
    explicit CSet(const T& first) : CSet() { Add(first); }
    CSet(const T& first, const T& second) : CSet() { Add(first); Add(second); }
    CSet(const T& first, const T& second, const T& third) : CSet()
    {
        Add(first);
        Add(second);
        Add(third);
    }

    uint32_t GetHashValue(const T& key) const override { return DefaultHashValue(key); }
    int CreateDefaultValue() const override { return 0; }

    void Add(const T& key) { this->FindOrInsert(key) = 1; }
    bool Contains(const T& key) const { return this->HasKey(key); }

    // The members in bucket order.
    void GetKeys(std::vector<T>& keys) const
    {
        keys.clear();
        keys.reserve(static_cast<size_t>(this->GetCount()));
        typename Base::Position position = Base::BeforeFirst;
        T key{};
        int value = 0;
        while (this->GetNextAssoc(position, key, value))
            keys.push_back(key);
    }
};

}  // namespace ZAV
