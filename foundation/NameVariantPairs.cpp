#include "foundation/NameVariantPairs.h"

#include "foundation/TextException.h"

namespace ZAV {

const CZAVVariant& CNameVariantPairs::GetValue(const std::string& key) const
{
    uint32_t bucketIndex;
    const CNameVariantPairsHash::Node* node = m_hash.FindNode(key, bucketIndex);
    if (node == nullptr)
        ThrowTextException("Key not found!");
    return node->value;
}

void CNameVariantPairs::SetValue(const std::string& key, const CZAVVariant& value)
{
    if (!m_hash.HasKey(key))
        m_keyOrder.push_back(key);
    m_hash.FindOrInsert(key) = value;
}

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

std::string CNameVariantPairs::GetKeyAt(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_keyOrder.size())
        return std::string();
    return m_keyOrder[static_cast<size_t>(index)];
}

CZAVVariant CNameVariantPairs::GetValueAt(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_keyOrder.size())
        return CZAVVariant();
    return GetValue(m_keyOrder[static_cast<size_t>(index)]);
}

bool CNameVariantPairs::HasKey(const std::string& key) const
{
    return m_hash.HasKey(key);
}

int32_t CNameVariantPairs::GetCount() const
{
    return static_cast<int32_t>(m_keyOrder.size());
}

void CNameVariantPairs::GetKeys(std::vector<std::string>& keys) const
{
    keys.clear();
    keys.reserve(m_keyOrder.size());
    CNameVariantPairsHash::Position position = CNameVariantPairsHash::BeforeFirst;
    std::string key;
    CZAVVariant value;
    while (m_hash.GetNextAssoc(position, key, value))
        keys.push_back(key);
}

void CNameVariantPairs::RemoveAll()
{
    m_hash.RemoveAll();
    m_keyOrder.clear();
}

}  // namespace ZAV
