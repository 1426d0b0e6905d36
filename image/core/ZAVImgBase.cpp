#include "image/core/ZAVImgBase.h"

#include <cstring>
#include <new>

#include "foundation/text/TextException.h"
#include "image/core/ImageLayoutSnapshot.h"
#include "image/core/ImageLimits.h"
#include "platform/ScreenMetrics.h"

namespace ZAV {

namespace {

const char kAttachSizeText[] = "Invalid Image Size! The specified size does not fit to the imagedata.\n"
                               "For 1Bit black white imagedata: ((Width+7)/8)*Height.\n"
                               "For 8Bit palette imagedata: Width*Height.\n"
                               "For 24Bit RGB imagedata: Width*3*Height";

bool IsCreatableDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
    case 8:
    case 16:
    case 24:
    case 32:
    case 48:
        return true;
    default:
        return false;
    }
}

// Depths whose pixels Attach can take over.
bool IsAttachableDepth(int bitsPerPixel)
{
    return bitsPerPixel == 1 || bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 48;
}

int BytesPerPixelOf(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 8:
    case 9:
        return 1;
    case 16:
        return 2;
    case 24:
    case 25:
        return 3;
    case 32:
        return 4;
    case 48:
        return 6;
    default:
        return 0;
    }
}

}  // namespace

CZAVImgBase::CZAVImgBase(IProgressNotification* sink) : m_sink(sink)
{
    m_version.Fill();
    ResetBase();
}

CZAVImgBase::~CZAVImgBase() = default;

void CZAVImgBase::Reset()
{
    ResetBase();
}

void CZAVImgBase::ResetBase()
{
    m_bitsPerPixel = 0;
    m_width = 0;
    m_height = 0;
    m_bytesPerLine = 0;
    m_bytesPerPixel = 0;
    m_imageSize = 0;
    m_cleared = 0;
    m_maskSize = 0;
    m_mask2Size = 0;
    m_mask2Width = 0;
    m_mask2Height = 0;
    m_loadMilliseconds = 0;
    m_saveMilliseconds = 0;
    m_xResolution = GetScreenLogPixels(LOGPIXELSX);
    m_yResolution = GetScreenLogPixels(LOGPIXELSY);
    m_imageInfo = nullptr;
    std::vector<BYTE*>().swap(m_lines);
}

void CZAVImgBase::Clear()
{
    FreePixelBlocks();
    m_mask.Free();
    m_mask2.Free();
    m_palette.Free();
    ReleaseExtras();
    ResetBase();
    NotifyChanged();
}

void CZAVImgBase::FreePixelBlocks()
{
    m_bits1.Free();
    m_bits8.Free();
    m_bitsTrue.Free();
}

int CZAVImgBase::Create(int width, int height, int bitsPerPixel)
{
    m_errorText = String();
    ReleaseExtras();
    if (width <= 0 || height <= 0) {
        m_errorText = "Invalid Size!";
        return 0;
    }
    if (!IsCreatableDepth(bitsPerPixel)) {
        m_errorText = "Invalid bits per pixel value!";
        return 0;
    }
    const int64_t size = CalcImageSize(width, height, bitsPerPixel);
    if (!IsWithinImageCeiling(size)) {
        m_errorText = "Invalid Size!";
        return 0;
    }
    // The new block is had before the old image goes, so a refusal keeps it.
    CGlobalMemBlock pixels;
    pixels.Alloc(GPTR, size);
    FreePixelBlocks();
    m_mask.Free();
    m_mask2.Free();
    m_maskSize = 0;
    m_mask2Size = 0;
    BlockForDepth(bitsPerPixel)->Attach(pixels.Detach());
    if (bitsPerPixel <= 16)
        m_palette.CreateDefault(bitsPerPixel);
    m_bitsPerPixel = bitsPerPixel;
    m_width = width;
    m_height = height;
    m_bytesPerPixel = BytesPerPixelOf(bitsPerPixel);
    m_cleared = 0;
    m_created = 1;
    SetLayout();
    BuildLineArray();
    NotifyChanged();
    return 1;
}

void CZAVImgBase::CheckPixelBlock(const CGlobalMemBlock& data, int64_t size, int width, int height, int bitsPerPixel)
{
    const int64_t expected = CalcImageSize(width, height, bitsPerPixel);
    if (size != expected || width <= 0 || height <= 0 || !IsWithinImageCeiling(size) ||
        static_cast<int64_t>(GlobalSize(data.GetHandle())) < size)
        ThrowTextException(kAttachSizeText);
    if (!IsCreatableDepth(bitsPerPixel))
        ThrowTextException("Error");
}

void CZAVImgBase::AdoptPixels(CGlobalMemBlock& data, int width, int height, int bitsPerPixel)
{
    CImageLayoutSnapshot snapshot(*this);
    FreePixelBlocks();
    m_height = height;
    m_width = width;
    m_bitsPerPixel = bitsPerPixel;
    BlockForDepth(bitsPerPixel)->Attach(data.Detach());
    snapshot.Commit();
}

void CZAVImgBase::Attach(CGlobalMemBlock& data, int64_t size, int width, int height, int bitsPerPixel)
{
    CheckPixelBlock(data, size, width, height, bitsPerPixel);
    if (!IsAttachableDepth(bitsPerPixel))
        ThrowTextException("Error");
    m_xResolution = GetScreenLogPixels(LOGPIXELSX);
    m_yResolution = GetScreenLogPixels(LOGPIXELSY);
    if (bitsPerPixel <= 16)
        m_palette.CreateDefault(bitsPerPixel);
    ReleaseExtras();
    AdoptPixels(data, width, height, bitsPerPixel);
}

int64_t CZAVImgBase::CalcBytesPerLine(int width, int rowBytes, int bitsPerPixel)
{
    const int64_t w = width;
    switch (bitsPerPixel) {
    case 1:
        return (w + 7) / 8;
    case 25:
        return rowBytes;
    default: {
        const int bytesPerPixel = BytesPerPixelOf(bitsPerPixel);
        return bytesPerPixel ? w * bytesPerPixel : -1;
    }
    }
}

int64_t CZAVImgBase::CalcImageSize(int width, int height, int rowBytes, int bitsPerPixel)
{
    const int64_t bytesPerLine = CalcBytesPerLine(width, rowBytes, bitsPerPixel);
    if (bytesPerLine == -1 && bitsPerPixel != 25)
        return -1;
    return bytesPerLine * height;
}

int64_t CZAVImgBase::CalcImageSize(int width, int height, int bitsPerPixel)
{
    return CalcImageSize(width, height, -1, bitsPerPixel);
}

void CZAVImgBase::SetLayout(int rowBytes)
{
    if (!BlockForDepth(m_bitsPerPixel))
        return;
    if (m_bitsPerPixel == 25 && static_cast<int64_t>(rowBytes) < static_cast<int64_t>(m_width) * 3)
        ThrowTextException("Invalid width in bytes specified!");
    const int64_t bytesPerLine = CalcBytesPerLine(m_width, rowBytes, m_bitsPerPixel);
    const int64_t size = bytesPerLine * m_height;
    if (!IsWithinImageCeiling(size))
        ThrowTextException("Invalid Size!");
    m_bytesPerLine = static_cast<int32_t>(bytesPerLine);
    m_bytesPerPixel = BytesPerPixelOf(m_bitsPerPixel);
    m_imageSize = static_cast<int32_t>(size);
}

int CZAVImgBase::BuildLineArray()
{
    BYTE* data = static_cast<BYTE*>(GetImageData());
    if (!data || m_height <= 0)
        ThrowTextException("Can't initialize linearray!");
    try {
        m_lines.assign(static_cast<size_t>(m_height), nullptr);
    } catch (const std::bad_alloc&) {
        ThrowTextException("Can't initialize linearray!");
    }
    for (int y = 0; y < m_height; ++y)
        m_lines[static_cast<size_t>(y)] = data + static_cast<int64_t>(y) * m_bytesPerLine;
    return m_bytesPerLine;
}

CGlobalMemBlock* CZAVImgBase::BlockForDepth(int bitsPerPixel)
{
    return const_cast<CGlobalMemBlock*>(static_cast<const CZAVImgBase*>(this)->BlockForDepth(bitsPerPixel));
}

const CGlobalMemBlock* CZAVImgBase::BlockForDepth(int bitsPerPixel) const
{
    switch (bitsPerPixel) {
    case 1:
        return &m_bits1;
    case 8:
    case 9:
    case 16:
        return &m_bits8;
    case 24:
    case 25:
    case 32:
    case 48:
        return &m_bitsTrue;
    default:
        return nullptr;
    }
}

CGlobalMemBlock* CZAVImgBase::GetDataBlock()
{
    return BlockForDepth(m_bitsPerPixel);
}

const CGlobalMemBlock* CZAVImgBase::GetDataBlock() const
{
    return BlockForDepth(m_bitsPerPixel);
}

HGLOBAL CZAVImgBase::GetImageData() const
{
    const CGlobalMemBlock* block = GetDataBlock();
    return block ? block->GetHandle() : nullptr;
}

HGLOBAL CZAVImgBase::GetImageDataChecked() const
{
    const CGlobalMemBlock* block = GetDataBlock();
    if (!block)
        ThrowTextException("No imagedata available");
    return block->GetHandle();
}

HGLOBAL CZAVImgBase::DetachImageData()
{
    CGlobalMemBlock* block = GetDataBlock();
    return block ? block->Detach() : nullptr;
}

HGLOBAL CZAVImgBase::CopyImageData() const
{
    const CGlobalMemBlock* block = GetDataBlock();
    if (!block || !block->GetHandle())
        return nullptr;
    CGlobalMemBlock copy;
    block->CopyTo(copy, GPTR);
    return copy.Detach();
}

bool CZAVImgBase::HasImage() const
{
    return GetImageData() && m_width != 0 && m_height != 0;
}

bool CZAVImgBase::IsGrayScale() const
{
    return m_bitsPerPixel == 8 && m_palette.IsGrayScale();
}

BYTE CZAVImgBase::GetPixel8(int x, int y) const
{
    return m_bits8.GetData<BYTE>()[static_cast<int64_t>(y) * m_bytesPerLine + x];
}

void CZAVImgBase::SetPixel8(int x, int y, BYTE value)
{
    m_bits8.GetData<BYTE>()[static_cast<int64_t>(y) * m_bytesPerLine + x] = value;
}

COLORREF CZAVImgBase::GetPixel24(int x, int y) const
{
    const BYTE* pixel = m_bitsTrue.GetData<BYTE>() + static_cast<int64_t>(y) * m_bytesPerLine + x * 3;
    return RGB(pixel[0], pixel[1], pixel[2]);
}

void CZAVImgBase::SetPixel24(int x, int y, COLORREF color)
{
    BYTE* pixel = m_bitsTrue.GetData<BYTE>() + static_cast<int64_t>(y) * m_bytesPerLine + x * 3;
    pixel[0] = GetRValue(color);
    pixel[1] = GetGValue(color);
    pixel[2] = GetBValue(color);
}

void CZAVImgBase::NotifyChanged()
{
    const String kept = m_errorText;
    if (m_sink)
        m_sink->OnImageChanged();
    m_errorText = kept;
}

}  // namespace ZAV
