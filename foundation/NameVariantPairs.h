// CNameVariantPairs: a set of named variants that remembers the order in
// which each name was first set. Names are case-sensitive.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "foundation/Hash.h"
#include "foundation/ZAVVariant.h"

namespace ZAV {

class CNameVariantPairs {
public:
    class CNameVariantPairsHash : public THash<std::string, CZAVVariant> {
    public:
        CNameVariantPairsHash() : THash<std::string, CZAVVariant>(1, 1000) {}
        uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
        CZAVVariant CreateDefaultValue() const override { return CZAVVariant(); }
    };

    // Throws "Key not found!" for a key that is not set.
    const CZAVVariant& GetValue(const std::string& key) const;
    // A new key goes to the end of the order; setting a key again keeps its place.
    void SetValue(const std::string& key, const CZAVVariant& value);
    void SetInt(const std::string& key, int32_t value);
    void SetString(const std::string& key, const std::string& value);
    void SetString(const std::string& key, const char* value);  // null counts as ""

    // By position in the order of first setting; "" or an empty variant
    // outside 0 .. count - 1.
    std::string GetKeyAt(int32_t index) const;
    CZAVVariant GetValueAt(int32_t index) const;

    bool HasKey(const std::string& key) const;
    int32_t GetCount() const;
    // All keys in bucket order; GetKeyAt gives the order of setting.
    void GetKeys(std::vector<std::string>& keys) const;
    void RemoveAll();

private:
    CNameVariantPairsHash m_hash;
    std::vector<std::string> m_keyOrder;
};

}  // namespace ZAV
