#include "foundation/files/FileHandle.h"

#include "foundation/text/TextException.h"
#include "platform/CrtShims.h"

namespace ZAV {

CFileHandle::~CFileHandle()
{
    Close();
}

void CFileHandle::Open(const char* name, const char* mode)
{
    Close();
    FILE* file = nullptr;
    if (!name || fopen_s(&file, name, mode) != 0 || !file) {
        String text;
        text.Format("Cannot open file '%s'!", name ? name : "");
        ThrowTextException(text.GetText());
    }
    m_file = file;
    m_name = String(name);
}

bool CFileHandle::Close()
{
    bool flushed = true;
    if (m_file) {
        flushed = std::fclose(m_file) == 0;
        m_file = nullptr;
    }
    m_name = String("");
    return flushed;
}

uint64_t CFileHandle::GetSize()
{
    if (!m_file || fseeko(m_file, 0, SEEK_END) != 0)
        return 0;
    off_t size = ftello(m_file);
    fseeko(m_file, 0, SEEK_SET);
    return size < 0 ? 0 : static_cast<uint64_t>(size);
}

}  // namespace ZAV
