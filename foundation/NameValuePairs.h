// CNameValuePairs: a set of named texts that remembers the order in which
// each name was first set. Names are case-sensitive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Hash.h"

namespace ZAV {

class CNameValuePairs {
public:
    class CNameValuePairsHash : public THash<std::string, std::string> {
    public:
        CNameValuePairsHash() : THash<std::string, std::string>(1, 1000) {}
        uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
        std::string CreateDefaultValue() const override { return std::string(); }
    };

    // Throws "Key not found!" for a key that is not set.
    const std::string& GetValue(const std::string& key) const;
    // A new key goes to the end of the order; setting a key again keeps its place.
    void SetValue(const std::string& key, const std::string& value);

    // By position in the order of first setting; "" outside 0 .. count - 1.
    std::string GetKeyAt(int32_t index) const;
    std::string GetValueAt(int32_t index) const;

    bool HasKey(const std::string& key) const;
    int32_t GetCount() const;
    // All keys in bucket order; GetKeyAt gives the order of setting.
    void GetKeys(std::vector<std::string>& keys) const;
    void RemoveAll();

private:
    CNameValuePairsHash m_hash;
    std::vector<std::string> m_keyOrder;
};

}  // namespace ZAV
