#include "foundation/containers/NameVariantPairs.h"

namespace ZAV {

void CNameVariantPairs::SetInt(const std::string& key, int32_t value)
{
    CZAVVariant variant;
    variant.SetInt(value);
    SetValue(key, variant);
}

void CNameVariantPairs::SetString(const std::string& key, const std::string& value)
{
    CZAVVariant variant;
    variant.SetText(value);
    SetValue(key, variant);
}

void CNameVariantPairs::SetString(const std::string& key, const char* value)
{
    SetString(key, std::string(value != nullptr ? value : ""));
}

}  // namespace ZAV
