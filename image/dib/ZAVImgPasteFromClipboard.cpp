// What the clipboard holds becomes the image: a DIB is written as a .bmp
// file, a metafile as its own bytes, into a temporary file that the OLE load
// reads. The temporary file goes on every path.
#include "foundation/files/FileUtils.h"
#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/object/ZAVImg.h"
#include "platform/files/Files.h"

namespace ZAV {

namespace {

constexpr char kTempPrefix[] = "ZAV";

// A new, empty file in the temporary folder, made by the file utilities;
// their failure texts give way to the paste's own.
String NewTemporaryFile()
{
    try {
        return MakeTempFileName(kTempPrefix);
    } catch (const CTextException&) {
        ThrowTextException("Can't create temp file!");
    }
}

class CTemporaryFile {
public:
    CTemporaryFile() : m_name(NewTemporaryFile()) {}
    ~CTemporaryFile() { DeleteFileA(m_name.GetText()); }
    CTemporaryFile(const CTemporaryFile&) = delete;
    CTemporaryFile& operator=(const CTemporaryFile&) = delete;
    const char* Name() const { return m_name.GetText(); }

private:
    String m_name;
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
