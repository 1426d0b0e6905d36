// Packed DIBs written as .bmp files, and moved through the clipboard.
#include "image/dib/DibHeader.h"
#include "image/kernels/ImgKernels.h"
#include "platform/gdi/Metafiles.h"
#include "platform/win/Clipboard.h"

#include <cstdio>
#include <cstring>

namespace ZAV {

namespace {

constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr uint32_t kFileHeaderBytes = 14;

void PutLittle(BYTE* out, uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out[i] = static_cast<BYTE>(value >> (8 * i));
}

// The BITMAPFILEHEADER fields in file order, little-endian.
void FileHeader(BYTE out[kFileHeaderBytes], uint32_t fileSize, uint32_t offBits)
{
    PutLittle(out, kBmpSignature, 2);
    PutLittle(out + 2, fileSize, 4);
    PutLittle(out + 6, 0, 2);
    PutLittle(out + 8, 0, 2);
    PutLittle(out + 10, offBits, 4);
}

bool WriteAll(FILE* file, const void* bytes, size_t size)
{
    return std::fwrite(bytes, 1, size, file) == size;
}

bool WriteCheckedDib(const char* fileName, const BYTE* dib, const DibLayout& layout)
{
    const uint32_t offBits = kFileHeaderBytes + static_cast<uint32_t>(layout.bitsOffset);
    BYTE header[kFileHeaderBytes];
    FileHeader(header, offBits + static_cast<uint32_t>(layout.bitsSize), offBits);
    FILE* file = std::fopen(fileName, "wb");
    if (!file)
        return false;
    const bool written = WriteAll(file, header, sizeof header) && WriteAll(file, dib, layout.bitsOffset) &&
                         WriteAll(file, dib + layout.bitsOffset, layout.bitsSize);
    return std::fclose(file) == 0 && written;
}

// The clipboard, closed again on every path.
class OpenedClipboard {
public:
    explicit OpenedClipboard(HWND window) : m_open(OpenClipboard(window) != FALSE) {}
    ~OpenedClipboard()
    {
        if (m_open)
            CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    bool IsOpen() const { return m_open; }

private:
    bool m_open;
};

}  // namespace

int CImgKernels::WriteDibToBmpFile(const char* fileName, HGLOBAL dib)
{
    if (!fileName || !dib)
        return 0;
    const BYTE* bytes = static_cast<const BYTE*>(GlobalLock(dib));
    DibLayout layout;
    const bool valid = bytes && CheckDib(bytes, GlobalSize(dib), layout) == DibFault::None && !layout.core;
    const bool written = valid && WriteCheckedDib(fileName, bytes, layout);
    if (bytes)
        GlobalUnlock(dib);
    return written ? 1 : 0;
}

int CImgKernels::ClipboardToFile(HWND window, const char* fileName)
{
    const bool dib = IsClipboardFormatAvailable(CF_DIB) || IsClipboardFormatAvailable(CF_BITMAP);
    const bool metafile = IsClipboardFormatAvailable(CF_ENHMETAFILE) || IsClipboardFormatAvailable(CF_METAFILEPICT);
    if (!dib && !metafile)
        return 0;
    OpenedClipboard clipboard(window);
    if (!clipboard.IsOpen())
        return 0;
    if (dib)
        return WriteDibToBmpFile(fileName, GetClipboardData(CF_DIB));
    HENHMETAFILE copy = CopyEnhMetaFileA(GetClipboardData(CF_ENHMETAFILE), fileName);
    if (!copy)
        return 0;
    DeleteEnhMetaFile(copy);
    return 1;
}

HGLOBAL CImgKernels::CopyGlobalForClipboard(HGLOBAL block)
{
    const size_t size = GlobalSize(block);
    const void* from = block ? GlobalLock(block) : nullptr;
    HGLOBAL copy = from ? GlobalAlloc(GHND, size) : nullptr;
    if (copy) {
        std::memcpy(GlobalLock(copy), from, size);
        GlobalUnlock(copy);
    }
    if (from)
        GlobalUnlock(block);
    return copy;
}

int CImgKernels::PutDibOnClipboard(HWND window, CGlobalHandle& dib, int copy)
{
    OpenedClipboard clipboard(window);
    if (!clipboard.IsOpen())
        return 0;
    EmptyClipboard();
    if (!copy) {
        if (!SetClipboardData(CF_DIB, dib.GetHandle()))
            return 0;
        dib.Detach();  // the clipboard owns it now
        return 1;
    }
    HGLOBAL duplicate = CopyGlobalForClipboard(dib.GetHandle());
    if (!duplicate)
        return 0;
    if (!SetClipboardData(CF_DIB, duplicate)) {
        GlobalFree(duplicate);
        return 0;
    }
    return 1;
}

}  // namespace ZAV
