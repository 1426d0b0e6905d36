#include "foundation/NameValuePairs.h"

#include "foundation/TextException.h"

namespace ZAV {

const std::string& CNameValuePairs::GetValue(const std::string& key) const
{
    uint32_t bucketIndex;
    const CNameValuePairsHash::Node* node = m_hash.FindNode(key, bucketIndex);
    if (node == nullptr)
        ThrowTextException("Key not found!");
    return node->value;
}

void CNameValuePairs::SetValue(const std::string& key, const std::string& value)
{
    if (!m_hash.HasKey(key))
        m_keyOrder.push_back(key);
    m_hash.FindOrInsert(key) = value;
}

std::string CNameValuePairs::GetKeyAt(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_keyOrder.size())
        return std::string();
    return m_keyOrder[static_cast<size_t>(index)];
}

std::string CNameValuePairs::GetValueAt(int32_t index) const
{
    if (index < 0 || static_cast<size_t>(index) >= m_keyOrder.size())
        return std::string();
    return GetValue(m_keyOrder[static_cast<size_t>(index)]);
}

bool CNameValuePairs::HasKey(const std::string& key) const
{
    return m_hash.HasKey(key);
}

int32_t CNameValuePairs::GetCount() const
{
    return static_cast<int32_t>(m_keyOrder.size());
}

void CNameValuePairs::GetKeys(std::vector<std::string>& keys) const
{
    keys.clear();
    keys.reserve(m_keyOrder.size());
    CNameValuePairsHash::Position position = CNameValuePairsHash::BeforeFirst;
    std::string key;
    std::string value;
    while (m_hash.GetNextAssoc(position, key, value))
        keys.push_back(key);
}

void CNameValuePairs::RemoveAll()
{
    m_hash.RemoveAll();
    m_keyOrder.clear();
}

}  // namespace ZAV
