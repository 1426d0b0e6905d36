#include "foundation/containers/ArrayString.h"

namespace ZAV {

CArrayString::CArrayString() : m_stringPointers(nullptr) {}

CArrayString::CArrayString(const std::vector<std::string>& values)
    : Base(values), m_stringPointers(nullptr)
{
}

CArrayString::CArrayString(const CArrayString& other) : Base(other), m_stringPointers(nullptr) {}

CArrayString& CArrayString::operator=(const CArrayString& other)
{
    if (this != &other) {
        DropStringPointers();
        Base::operator=(other);
    }
    return *this;
}

CArrayString::~CArrayString()
{
    DropStringPointers();
}

const char** CArrayString::GetStringPointers()
{
    if (m_stringPointers == nullptr) {
        const int32_t count = GetSize();
        m_stringPointers = new const char*[static_cast<size_t>(count) + 1]();
        const std::string* strings = GetData();
        for (int32_t i = 0; i < count; ++i)
            m_stringPointers[i] = strings[i].c_str();
    }
    return m_stringPointers;
}

void CArrayString::FreeStringPointers()
{
    RemoveAll();
}

void CArrayString::RemoveAll()
{
    DropStringPointers();
    Base::RemoveAll();
}

void CArrayString::SetAt(int32_t index, const std::string& value)
{
    CheckIndex(index);
    DropStringPointers();
    Base::SetAt(index, value);
}

void CArrayString::DropStringPointers()
{
    delete[] m_stringPointers;
    m_stringPointers = nullptr;
}

}  // namespace ZAV
