// Loading: the pixel block, the codec's output callback and the palette.
#include <cstring>

#include "foundation/text/TextException.h"
#include "platform/GlobalMem.h"
#include "image/core/ImageLimits.h"
#include "plugins/jpeg2000/Jpeg2000Texts.h"
#include "plugins/jpeg2000/reader/Jpeg2000Reader.h"

namespace ZAV {

namespace {

int32_t OutputTrampoline(const uint8_t* samples, uint32_t component, uint32_t row, uint32_t column, uint32_t count,
                         void* user)
{
    if (!user)
        return -3;
    return static_cast<Jpeg2000Reader*>(user)->TakeSamples(samples, component, row, column, count);
}

}  // namespace

void Jpeg2000Reader::Load(FilterLoadedPicture& picture)
{
    Describe(&picture.info);
    AllocatePixels();
    Decode();
    PostProcess();
    GlobalUnlock(m_pixels);
    m_lockedPixels = nullptr;
    MakePalette(picture);
    End();
    picture.pixels = m_pixels;
    picture.pixelBytes = static_cast<uint32_t>(m_pixelBytes);
    m_pixels = nullptr;
}

void Jpeg2000Reader::AllocatePixels()
{
    const uint64_t bytes = uint64_t((m_bits + 7) / 8) * uint32_t(m_perPixel) * uint32_t(m_width) * uint32_t(m_height);
    if (m_width <= 0 || m_height <= 0 || !IsWithinImageCeiling(static_cast<int64_t>(bytes)))
        ThrowTextException(kJp2OutOfMemory);
    m_pixels = GlobalAlloc(GHND, bytes);
    m_lockedPixels = m_pixels ? static_cast<uint8_t*>(GlobalLock(m_pixels)) : nullptr;
    if (!m_lockedPixels)
        ThrowTextException(kJp2OutOfMemory);
    m_pixelBytes = bytes;
}

void Jpeg2000Reader::Decode()
{
    CheckJpeg2000Status(
        JP2_Decompress_SetProp(m_handle, cJP2_Prop_Decomp_Output_User, reinterpret_cast<intptr_t>(this)));
    CheckJpeg2000Status(JP2_Decompress_SetProp(m_handle, cJP2_Prop_Decomp_Output_Callback,
                                               reinterpret_cast<intptr_t>(OutputTrampoline)));
    CheckJpeg2000Status(JP2_Decompress_Image(m_handle));
}

int32_t Jpeg2000Reader::TakeSamples(const uint8_t* samples, uint32_t component, uint32_t row, uint32_t column,
                                    uint32_t count)
{
    if (!m_lockedPixels || row >= uint32_t(m_height) || column > uint32_t(m_width) ||
        count > uint32_t(m_width) - column)
        return -3;
    if (component < uint32_t(m_first) || component > uint32_t(m_last) || component >= m_positions.size())
        return 0;
    const uint64_t first = uint64_t(row) * uint32_t(m_width) + column;
    if (m_palette) {
        if (component == 0)
            std::memcpy(m_lockedPixels + first, samples, count);
        return 0;
    }
    if (m_colourSpace == cJP2_Space_sYCC && m_yccMode != 1)
        return -3;  // the full-grid delivery asked for at the start gives mode 1 only
    const int32_t position = m_positions[component];
    if (position < 0 || position >= m_perPixel)
        return 0;
    const uint32_t bytes = (m_bits + 7) / 8;
    const uint64_t pixelBytes = uint64_t(bytes) * m_perPixel;
    for (uint32_t i = 0; i < count; ++i)
        std::memcpy(m_lockedPixels + (first + i) * pixelBytes + uint64_t(position) * bytes, samples + i * bytes, bytes);
    return 0;
}

void Jpeg2000Reader::ResizePixels(uint64_t bytes)
{
    if (bytes == m_pixelBytes)
        return;
    GlobalUnlock(m_pixels);
    m_lockedPixels = nullptr;
    HGLOBAL resized = GlobalReAlloc(m_pixels, bytes, GMEM_MOVEABLE);
    if (!resized)
        ThrowTextException(kJp2OutOfMemory);
    m_pixels = resized;
    m_pixelBytes = bytes;
    m_lockedPixels = static_cast<uint8_t*>(GlobalLock(m_pixels));
    if (!m_lockedPixels)
        ThrowTextException(kJp2OutOfMemory);
}

void Jpeg2000Reader::MakePalette(FilterLoadedPicture& picture)
{
    if (m_palette) {
        const int32_t space = m_colourSpace;
        if (space != cJP2_Space_Grey + 1 && space != cJP2_Space_sRGB + 1)
            ThrowJpeg2000Text("Unsupported Palette format.(%ld)\n", space);
        if (m_palette->columns != 3)
            ThrowJpeg2000Text("Invalid Palette format. 3 channels expected instead of %ld.\n", m_palette->columns);
        const uint32_t entries = m_palette->entries;
        picture.palette = GlobalAlloc(GHND, uint64_t(entries) * 4);
        auto* bytes = picture.palette ? static_cast<uint8_t*>(GlobalLock(picture.palette)) : nullptr;
        if (!bytes)
            ThrowTextException(kJp2OutOfMemory);
        for (uint32_t i = 0; i < entries; ++i)
            for (int c = 0; c < 3; ++c)
                bytes[4 * i + c] = static_cast<uint8_t>(m_palette->column[2 - c].values[i]);
        GlobalUnlock(picture.palette);
        picture.paletteBytes = entries * 4;
        return;
    }
    if (picture.info.bitsPerPixel != 8)
        return;
    picture.palette = GlobalAlloc(GHND, 1024);
    auto* bytes = picture.palette ? static_cast<uint8_t*>(GlobalLock(picture.palette)) : nullptr;
    if (!bytes)
        ThrowTextException(kJp2OutOfMemory);
    for (uint32_t i = 0; i < 256; ++i) {
        bytes[4 * i] = bytes[4 * i + 1] = bytes[4 * i + 2] = static_cast<uint8_t>(i);
        bytes[4 * i + 3] = 255;
    }
    GlobalUnlock(picture.palette);
    picture.paletteBytes = 1024;
}

}  // namespace ZAV
