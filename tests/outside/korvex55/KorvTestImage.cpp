#include "tests/outside/korvex55/KorvTestImage.h"

#include <cstring>
#include <gtest/gtest.h>

namespace KorvTest {

Processor::Processor() : m_handle(KORV_CreateCZAVAdvancedImgProc())
{
    EXPECT_NE(m_handle, 0u);
}

Processor::~Processor()
{
    KORV_FreeCZAVAdvancedImgProc(m_handle);
}

void Processor::Load(int32_t width, int32_t height, int32_t bitsPerPixel, const std::vector<uint8_t>& bytes)
{
    ASSERT_EQ(KORV_Create(m_handle, width, height, bitsPerPixel), 0) << Error();
    int32_t size = 0;
    ASSERT_EQ(KORV_GetImageSizeInBytes(m_handle, &size), 0);
    ASSERT_EQ(static_cast<size_t>(size), bytes.size());
    void* pixels = nullptr;
    ASSERT_EQ(KORV_GetImageMemory(m_handle, &pixels), 0);
    std::memcpy(pixels, bytes.data(), bytes.size());
}

std::vector<uint8_t> Processor::Bytes() const
{
    int32_t size = 0;
    void* pixels = nullptr;
    EXPECT_EQ(KORV_GetImageSizeInBytes(m_handle, &size), 0);
    EXPECT_EQ(KORV_GetImageMemory(m_handle, &pixels), 0);
    const uint8_t* first = static_cast<const uint8_t*>(pixels);
    return first ? std::vector<uint8_t>(first, first + size) : std::vector<uint8_t>();
}

int32_t Processor::BitsPerPixel() const
{
    int32_t value = -1;
    EXPECT_EQ(KORV_GetBitsPerPixel(m_handle, &value), 0);
    return value;
}

std::string Processor::Error() const
{
    char buffer[KORV_ERROR_TEXT_BYTES];
    std::memset(buffer, 'x', sizeof buffer);
    KORV_GetError(m_handle, buffer);
    return std::string(buffer, strnlen(buffer, sizeof buffer));
}

}  // namespace KorvTest
