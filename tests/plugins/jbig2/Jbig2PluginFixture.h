// The JBIG2 plug-in as the host meets it: loaded from beside the program,
// saves into memory and loads from memory through its exports, and what
// jbig2dec makes of what it writes.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "formats/FilterInterface.h"
#include "foundation/containers/NameVariantPairs.h"
#include "platform/GlobalMem.h"
#include "platform/Loader.h"
#include "support/TestSupport.h"
#include "tests/jbig2codec/compress/JB2CompressFixture.h"

namespace Jbig2PluginTest {

using JB2Test::Page;
using JB2Test::Picture;
using JB2Test::PictureOf;

// The settings the plug-in starts with: JBIG2 file, arithmetic template 0,
// lossy efficient matching of quality 5.
struct Settings {
    int32_t values[8] = {0, 10, 20, 0, 0, 0, 1, 5};
};

// The defaults with some values changed. The indexes: 0 quiet, 1 export
// format, 2 coder, 3 generic template, 4 symbol template, 5 lossless,
// 6 matching mode, 7 quality.
inline Settings With(std::initializer_list<std::pair<int, int32_t>> changes)
{
    Settings settings;
    for (auto [index, value] : changes)
        settings.values[index] = value;
    return settings;
}

// Arithmetic template 0, no symbol matching, lossless.
inline Settings NoMatchingLossless()
{
    return With({{4, 99}, {5, 1}, {6, 0}, {7, 99}});
}

// Two palette entries (blue, green, red, reserved).
const std::vector<uint8_t> kWhiteBlack = {255, 255, 255, 0, 0, 0, 0, 0};
const std::vector<uint8_t> kBlackWhite = {0, 0, 0, 0, 255, 255, 255, 0};

struct Loaded {
    int result = 0;
    std::string error;
    Picture picture;
    std::vector<uint8_t> palette;
    FilterImageInfo info = {};
};

struct Saved {
    int result = 0;
    std::string error;
    std::vector<uint8_t> bytes;
};

inline HGLOBAL BlockOf(const std::vector<uint8_t>& bytes)
{
    HGLOBAL block = GlobalAlloc(GHND, bytes.size());
    std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
    GlobalUnlock(block);
    return block;
}

inline std::vector<uint8_t> TakeBlock(HGLOBAL block, uint32_t size)
{
    if (!block)
        return {};
    const auto* data = static_cast<const uint8_t*>(GlobalLock(block));
    std::vector<uint8_t> bytes(data, data + size);
    GlobalUnlock(block);
    GlobalFree(block);
    return bytes;
}

// The picture with every pixel flipped, bits past the width left 0.
inline Page Inverted(Page page)
{
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            page.Row(y)[x / 8] ^= uint8_t(0x80 >> (x % 8));
    return page;
}

class Jbig2Plugin : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_module = LoadLibraryA(ZAVTest::BinPath("ZAVJbg20.so").c_str());
        ASSERT_NE(m_module, nullptr);
        Apply(Settings());
    }
    void TearDown() override
    {
        if (m_module)
            FreeLibrary(m_module);
    }

    template <class F>
    F* Export(const char* name)
    {
        return reinterpret_cast<F*>(GetProcAddress(m_module, name));
    }

    void Apply(const Settings& s)
    {
        const int32_t* v = s.values;
        ASSERT_EQ(Export<FilterJBIG2Settings>("JBIG2Settings")(v[0], v[1], v[2], v[3], v[4], v[5], v[6], v[7]), 1);
    }

    // Saves the page's rows with the palette (none when empty); pixelBytes
    // other than 0 tells the plug-in a smaller block than the rows take.
    Saved Save(const Page& page, int32_t dpi = 300, const std::vector<uint8_t>& palette = kWhiteBlack,
               uint32_t pixelBytes = 0)
    {
        Saved saved;
        std::vector<uint8_t> out(page.bits.size() + 65536);
        HGLOBAL pixels = BlockOf(page.bits);
        HGLOBAL paletteBlock = palette.empty() ? nullptr : BlockOf(palette);
        const FilterImageInfo info = {int32_t(page.width), int32_t(page.height), 1, dpi, dpi};
        char text[kFilterTextBufferSize] = {};
        uint32_t written = 0;
        saved.result = Export<FilterSavePictureToMem>("SavePictureToMem")(
            out.data(), uint32_t(out.size()), pixels, pixelBytes ? pixelBytes : uint32_t(page.bits.size()), 0,
            paletteBlock, uint32_t(palette.size()), &info, &written, text);
        GlobalFree(pixels);
        GlobalFree(paletteBlock);
        saved.error = text;
        out.resize(saved.result ? written : 0);
        saved.bytes = out;
        return saved;
    }

    Loaded Load(const std::vector<uint8_t>& file)
    {
        Loaded loaded;
        HGLOBAL pixels = nullptr, palette = nullptr;
        uint32_t pixelBytes = 0, paletteBytes = 0;
        int32_t isDib = 0;
        char text[kFilterTextBufferSize] = {};
        loaded.result = Export<FilterLoadPictureFromMem>("LoadPictureFromMem")(file.data(), uint32_t(file.size()),
                                                                               &pixels, &pixelBytes, &isDib, &palette,
                                                                               &paletteBytes, &loaded.info, text);
        loaded.error = text;
        loaded.picture.width = uint32_t(loaded.info.width);
        loaded.picture.height = uint32_t(loaded.info.height);
        loaded.picture.rows = TakeBlock(pixels, pixelBytes);
        loaded.palette = TakeBlock(palette, paletteBytes);
        return loaded;
    }

    ZAV::CNameVariantPairs& Properties() { return *Export<FilterGetImageProperties>("GetImageProperties")(); }

    HMODULE m_module = nullptr;
};

}  // namespace Jbig2PluginTest
