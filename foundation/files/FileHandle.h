// A FILE held for the length of a scope.
#pragma once

#include <cstdint>
#include <cstdio>

#include "foundation/text/String.h"

namespace ZAV {

class CFileHandle {
public:
    CFileHandle() {}
    ~CFileHandle();
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    // Opens with an fopen mode; throws "Cannot open file '%s'!" on failure.
    void Open(const char* name, const char* mode);
    // False when buffered bytes could not be written out (a full disk).
    bool Close();

    // The file's size; the position afterwards is the start.
    uint64_t GetSize();

    FILE* GetFile() const { return m_file; }
    const String& GetName() const { return m_name; }

private:
    FILE* m_file = nullptr;
    String m_name;
};

}  // namespace ZAV
