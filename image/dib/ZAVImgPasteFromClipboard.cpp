// What the clipboard holds becomes the image: a DIB is written as a .bmp
// file, a metafile as its own bytes, into a temporary file that the OLE load
// reads. The temporary file goes on every path.
#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"
#include "platform/Files.h"

namespace ZAV {

namespace {

constexpr char kTempPrefix[] = "ZAV";

class CTemporaryFile {
public:
    CTemporaryFile()
    {
        char folder[MAX_PATH] = {};
        const DWORD length = GetTempPathA(MAX_PATH, folder);
        if (length == 0 || length >= MAX_PATH || GetTempFileNameA(folder, kTempPrefix, 0, m_name) == 0)
            ThrowTextException("Can't create temp file!");
    }
    ~CTemporaryFile() { DeleteFileA(m_name); }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    const char* Name() const { return m_name; }

private:
    char m_name[MAX_PATH] = {};
};

}  // namespace

void CZAVImg::PasteFromClipboard()
{
    CTemporaryFile file;
    if (!CImgKernels::ClipboardToFile(static_cast<HWND>(m_clipboardWindow), file.Name()))
        ThrowTextException("Can't paste Clipboard content!");
    LoadFromFileThroughOle(file.Name());
}

}  // namespace ZAV
