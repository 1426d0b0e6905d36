// CArrayString: a string array that can also hand out its texts as a table
// of zero-terminated pointers, ended by a null entry, for callers that take
// C string lists.
#pragma once

#include <string>
#include <vector>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

class CArrayString : public CArraySimple<std::string, 4> {
    typedef CArraySimple<std::string, 4> Base;

public:
    CArrayString();
    explicit CArrayString(const std::vector<std::string>& values);
    CArrayString(const CArrayString& other);
    CArrayString& operator=(const CArrayString& other);
    ~CArrayString() override;

    // Built on first use and kept until the strings change. The pointers are
    // valid while the array is neither changed nor destroyed.
    virtual const char** GetStringPointers();
    // Empties the array and frees the pointer table.
    virtual void FreeStringPointers();

    // Any change of the strings drops the pointer table, which would
    // otherwise point into strings that no longer exist.
    void RemoveAll() override;
    void SetAt(int32_t index, const std::string& value);

private:
    void DropStringPointers();

    const char** m_stringPointers;  // count + 1 entries, null until built
};

}  // namespace ZAV
