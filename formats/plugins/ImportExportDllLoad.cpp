// Loading and saving a picture through a bound plug-in. The blocks a load
// returns are the host's from then on: taken over by the image or freed on
// every path; what the plug-in reports is checked before it is used.
#include "formats/plugins/ImportExportDll.h"

#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "platform/ScreenMetrics.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

// What a load hands back; the blocks still held are freed with it.
struct FilterLoadResult {
    HGLOBAL pixels = nullptr;
    uint32_t pixelBytes = 0;
    int32_t isDib = 0;
    HGLOBAL palette = nullptr;
    uint32_t paletteBytes = 0;
    FilterImageInfo info = {};

    ~FilterLoadResult()
    {
        GlobalFree(pixels);
        GlobalFree(palette);
    }
};

namespace {

const char kLoadFailed[] = "Error loading image!";

// Depths whose pixels the image can take over as they come.
bool IsTakeableDepth(int bitsPerPixel)
{
    return bitsPerPixel == 1 || bitsPerPixel == 8 || bitsPerPixel == 16 || bitsPerPixel == 24 || bitsPerPixel == 48;
}

// The pixel bytes the reported size needs, or -1 when the report cannot be
// trusted: an unknown depth, a size beyond the image ceiling, or more bytes
// than the plug-in says it gave or the block holds.
int64_t CheckedPixelBytes(const FilterLoadResult& result)
{
    const FilterImageInfo& info = result.info;
    if (info.width <= 0 || info.height <= 0 || !IsTakeableDepth(info.bitsPerPixel))
        return -1;
    const int64_t bytes = CZAVImgBase::CalcImageSize(info.width, info.height, info.bitsPerPixel);
    if (bytes <= 0 || bytes > kMaxImageBytes)
        return -1;
    if (bytes > result.pixelBytes || static_cast<uint64_t>(bytes) > GlobalSize(result.pixels))
        return -1;
    return bytes;
}

// The image reads its pixels straight through the handle, so a block the
// plug-in made moveable is copied into a fixed one.
HGLOBAL FixedBlockOf(HGLOBAL& block, int64_t bytes)
{
    void* data = GlobalLock(block);
    if (data == block) {
        HGLOBAL fixed = block;
        block = nullptr;
        return fixed;
    }
    HGLOBAL fixed = data ? GlobalAlloc(GPTR, static_cast<size_t>(bytes)) : nullptr;
    if (fixed)
        std::memcpy(fixed, data, static_cast<size_t>(bytes));
    if (data)
        GlobalUnlock(block);
    return fixed;
}

void SetLoadedResolution(CZAVImg* image, const FilterImageInfo& info)
{
    int x = info.dpiX;
    int y = info.dpiY;
    if (x <= 0 || y <= 0) {
        x = GetScreenLogPixels(LOGPIXELSX);
        y = GetScreenLogPixels(LOGPIXELSY);
    }
    image->SetXResolution(x);
    image->SetYResolution(y);
}

void SetLoadedPalette(CZAVImg* image, const FilterLoadResult& result)
{
    const int depth = result.info.bitsPerPixel;
    if ((depth != 1 && depth != 8) || !result.palette)
        return;
    CImagePalette& palette = image->GetPalette();
    palette.Create(depth);
    const uint64_t available = std::min<uint64_t>(result.paletteBytes, GlobalSize(result.palette)) / 4;
    const int count = static_cast<int>(std::min<uint64_t>(available, static_cast<uint64_t>(palette.GetCount())));
    const uint32_t* entries = static_cast<const uint32_t*>(GlobalLock(result.palette));
    if (entries)
        palette.SetEntries(entries, count);
    GlobalUnlock(result.palette);
}

}  // namespace

int CImportExportDll::LoadPicture(CZAVImg* image, const char* path, const void* data, uint32_t size, int fromFile)
{
    PushJpeg2000Settings(image);
    PushJbig2Settings(image);
    PushExrSettings(image);
    PushMagickSettings(image);
    if (m_exports.setNotification)
        m_exports.setNotification(image->GetNotification());
    FilterLoadResult result;
    char error[kFilterTextBufferSize] = {};
    const int loaded = fromFile
                           ? m_exports.loadPictureFromFile(path, &result.pixels, &result.pixelBytes, &result.isDib,
                                                           &result.palette, &result.paletteBytes, &result.info, error)
                           : m_exports.loadPictureFromMem(data, size, &result.pixels, &result.pixelBytes, &result.isDib,
                                                          &result.palette, &result.paletteBytes, &result.info, error);
    if (!loaded) {
        error[kFilterTextBufferSize - 1] = 0;
        m_lastError = String(error);
        return 0;
    }
    return TakeLoadedPicture(image, result);
}

int CImportExportDll::TakeLoadedPicture(CZAVImg* image, FilterLoadResult& result)
{
    if (result.isDib)
        return TakeLoadedDib(image, result);
    const int64_t bytes = (result.pixels && result.pixelBytes) ? CheckedPixelBytes(result) : -1;
    HGLOBAL fixed = bytes > 0 ? FixedBlockOf(result.pixels, bytes) : nullptr;
    if (!fixed) {
        m_lastError = String(kLoadFailed);
        return 0;
    }
    CGlobalMemBlock block;
    block.Attach(fixed);
    image->Attach(block, bytes, result.info.width, result.info.height, result.info.bitsPerPixel);
    SetLoadedResolution(image, result.info);
    SetLoadedPalette(image, result);
    TakeImageProperties(image);
    return 1;
}

// A packed DIB carries its own size, depth, palette and resolution; the
// block stays the result's and is freed with it.
int CImportExportDll::TakeLoadedDib(CZAVImg* image, FilterLoadResult& result)
{
    if (!result.pixels || !result.pixelBytes || result.pixelBytes > GlobalSize(result.pixels)) {
        m_lastError = String(kLoadFailed);
        return 0;
    }
    try {
        image->CreateFromDib(result.pixels);
    } catch (const CTextException& error) {
        m_lastError = String(error.GetText());
        return 0;
    }
    TakeImageProperties(image);
    return 1;
}

void CImportExportDll::TakeImageProperties(CZAVImg* image)
{
    if (m_exports.getImageProperties)
        image->SetImageInfoList(m_exports.getImageProperties());
}

int CImportExportDll::SavePicture(CZAVImg* image, const char* path, void* target, uint32_t targetSize, int toFile,
                                  uint32_t* bytesWritten)
{
    const FilterImageInfo info = {image->GetWidth(), image->GetHeight(), image->GetBitsPerPixel(),
                                  image->GetXResolution(), image->GetYResolution()};
    if (m_exports.setNotification)
        m_exports.setNotification(image->GetNotification());
    if (m_exports.jpegSettings)
        m_exports.jpegSettings(image->m_jpegQuality, image->m_jpegOptionA, image->m_jpegGray);
    PushJpeg2000Settings(image);
    PushJbig2Settings(image);

    CGlobalHandle dib;
    HGLOBAL pixels = image->GetImageData();
    uint32_t pixelBytes = static_cast<uint32_t>(image->GetImageSize());
    const int32_t isDib = (m_options & kFilterSavesDib) ? 1 : 0;
    if (isDib) {
        image->CreateDIB(nullptr, dib);
        pixels = dib.GetHandle();
        pixelBytes = static_cast<uint32_t>(GlobalSize(pixels));
    }
    const CImagePalette& source = image->GetPalette();
    CGlobalHandle palette;
    const uint32_t paletteBytes = static_cast<uint32_t>(source.GetCount()) * 4;
    if (paletteBytes) {
        palette.Attach(GlobalAlloc(GPTR, paletteBytes));
        if (palette.GetHandle())
            std::memcpy(palette.GetHandle(), source.GetEntries(), paletteBytes);
    }
    char error[kFilterTextBufferSize] = {};
    uint32_t written = 0;
    const uint32_t passedPaletteBytes = palette.GetHandle() ? paletteBytes : 0;
    const int saved = toFile
                          ? m_exports.savePictureToFile(path, pixels, pixelBytes, isDib, palette.GetHandle(),
                                                        passedPaletteBytes, &info, &written, error)
                          : m_exports.savePictureToMem(target, targetSize, pixels, pixelBytes, isDib,
                                                       palette.GetHandle(), passedPaletteBytes, &info, &written, error);
    if (bytesWritten)
        *bytesWritten = written;
    if (!saved) {
        error[kFilterTextBufferSize - 1] = 0;
        m_lastError = String(error);
        return 0;
    }
    return 1;
}

}  // namespace ZAV
