#include "tests/outside/korvex55/KorvPicture.h"

#include <cstring>
#include <gtest/gtest.h>

namespace KorvPictureTest {

namespace {

int32_t Query(KORV_Status (*query)(KORV_Handle, int32_t*), KORV_Handle handle)
{
    int32_t value = -1;
    EXPECT_EQ(0, query(handle, &value));
    return value;
}

}  // namespace

Picture::Picture() : m_handle(KORV_CreateCZAVAdvancedImgProc())
{
    EXPECT_NE(0u, m_handle);
}

Picture::Picture(int32_t width, int32_t height, int32_t bitsPerPixel, const Bytes& bytes) : Picture()
{
    Load(width, height, bitsPerPixel, bytes);
}

Picture::~Picture()
{
    KORV_FreeCZAVAdvancedImgProc(m_handle);
}

void Picture::Load(int32_t width, int32_t height, int32_t bitsPerPixel, const Bytes& bytes)
{
    ASSERT_EQ(0, KORV_Create(m_handle, width, height, bitsPerPixel)) << Error();
    void* memory = nullptr;
    ASSERT_EQ(0, KORV_GetImageMemory(m_handle, &memory));
    ASSERT_EQ(static_cast<size_t>(Query(KORV_GetImageSizeInBytes, m_handle)), bytes.size());
    std::memcpy(memory, bytes.data(), bytes.size());
}

Bytes Picture::Pixels() const
{
    void* memory = nullptr;
    EXPECT_EQ(0, KORV_GetImageMemory(m_handle, &memory));
    const auto* first = static_cast<const uint8_t*>(memory);
    return first ? Bytes(first, first + Query(KORV_GetImageSizeInBytes, m_handle)) : Bytes();
}

int32_t Picture::Width() const
{
    return Query(KORV_GetWidth, m_handle);
}

int32_t Picture::Height() const
{
    return Query(KORV_GetHeight, m_handle);
}

int32_t Picture::BitsPerPixel() const
{
    return Query(KORV_GetBitsPerPixel, m_handle);
}

// The buffer starts full of 'x', so a text written without its terminating
// zero shows as a run of them instead of reading past the buffer.
std::string Picture::Error() const
{
    char text[KORV_ERROR_TEXT_BYTES];
    std::memset(text, 'x', sizeof text);
    KORV_GetError(m_handle, text);
    return std::string(text, strnlen(text, sizeof text));
}

Bytes Repeat(const Bytes& samples, int32_t times)
{
    Bytes repeated;
    for (uint8_t sample : samples)
        repeated.insert(repeated.end(), static_cast<size_t>(times), sample);
    return repeated;
}

Bytes Drawn(const std::vector<std::string>& rows, int32_t bitsPerPixel)
{
    Bytes pixels;
    for (const std::string& row : rows) {
        if (bitsPerPixel != 1) {
            for (char mark : row)
                pixels.insert(pixels.end(), static_cast<size_t>(bitsPerPixel / 8), mark == '#' ? 255 : 0);
            continue;
        }
        Bytes packed((row.size() + 7) / 8);
        for (size_t x = 0; x < row.size(); ++x)
            if (row[x] == '#')
                packed[x / 8] |= static_cast<uint8_t>(0x80u >> (x % 8));
        pixels.insert(pixels.end(), packed.begin(), packed.end());
    }
    return pixels;
}

}  // namespace KorvPictureTest
