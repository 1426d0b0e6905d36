// CNameVariantPairs: a set of named variants that remembers the order in
// which each name was first set. Names are case-sensitive.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/NamedPairs.h"
#include "foundation/containers/ZAVVariant.h"

namespace ZAV {

class CNameVariantPairs : public TNamedPairs<CZAVVariant> {
public:
    typedef CPairsHash CNameVariantPairsHash;

    void SetInt(const std::string& key, int32_t value);
    void SetString(const std::string& key, const std::string& value);
    void SetString(const std::string& key, const char* value);  // null counts as ""
};

}  // namespace ZAV
