#include "formats/pdf/PDFSaveScope.h"

#include <new>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// PNG colour types (PNG 11.2.2).
constexpr int32_t kPngTruecolour = 2;
constexpr int32_t kPngIndexed = 3;
constexpr int32_t kPngTruecolourAlpha = 6;
// The JBIG2 plug-in's export format (the second of its eight settings):
// 100 writes the embedded stream /JBIG2Decode takes (ISO 32000-1, 7.4.7),
// not a whole JBIG2 file with its file header (T.88 annex D).
constexpr int kJbig2ExportFormatSetting = 1;
constexpr int32_t kJbig2EmbeddedStream = 100;

int32_t PngColourTypeOf(int depth)
{
    return depth == 24 ? kPngTruecolour : depth == 32 ? kPngTruecolourAlpha : kPngIndexed;
}

}  // namespace

CInternalSaveScope::CInternalSaveScope(CZAVImg& image)
    : m_image(image), m_prepareBeforeSave(image.m_prepareBeforeSave), m_jpegGray(image.m_jpegGray),
      m_pngColorType(image.m_pngColorType), m_pngInterlace(image.m_pngInterlace),
      m_jbig2ExportFormat(image.m_jbig2Settings[kJbig2ExportFormatSetting])
{
    image.m_prepareBeforeSave = 0;
    image.m_jpegGray = image.GetBitsPerPixel() == 8 && image.GetPalette().IsGrayScale() ? 1 : 0;
    image.m_pngColorType = PngColourTypeOf(image.GetBitsPerPixel());
    image.m_pngInterlace = 0;
    image.m_jbig2Settings[kJbig2ExportFormatSetting] = kJbig2EmbeddedStream;
}

CInternalSaveScope::~CInternalSaveScope()
{
    m_image.m_prepareBeforeSave = m_prepareBeforeSave;
    m_image.m_jpegGray = m_jpegGray;
    m_image.m_pngColorType = m_pngColorType;
    m_image.m_pngInterlace = m_pngInterlace;
    m_image.m_jbig2Settings[kJbig2ExportFormatSetting] = m_jbig2ExportFormat;
}

CInvertedPixelsScope::CInvertedPixelsScope(CZAVImg& image, bool invert) : m_image(image), m_inverted(false)
{
    if (invert && image.GetBitsPerPixel() == 1 && image.HasImage()) {
        Flip();
        m_inverted = true;
    }
}

CInvertedPixelsScope::~CInvertedPixelsScope()
{
    if (m_inverted)
        Flip();
}

void CInvertedPixelsScope::Flip()
{
    uint8_t* pixels = m_image.GetDataBlock()->GetData<uint8_t>();
    const int64_t size = static_cast<int64_t>(m_image.GetBytesPerLine()) * m_image.GetHeight();
    for (int64_t i = 0; i < size; ++i)
        pixels[i] = static_cast<uint8_t>(~pixels[i]);
}

CSavedImage SaveImageToMemory(CZAVImg& image, int format)
{
    CSavedImage saved;
    const int64_t capacity = image.GetSaveBufferSize();
    saved.bytes.reset(new (std::nothrow) uint8_t[static_cast<size_t>(capacity)]);
    if (!saved.bytes)
        ThrowTextException("Error assigning memory!");
    CInternalSaveScope settings(image);
    image.SaveToMemory(saved.bytes.get(), capacity, format, &saved.size);
    return saved;
}

}  // namespace ZAV
