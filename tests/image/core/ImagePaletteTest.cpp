#include <gtest/gtest.h>

#include <vector>

#include "image/core/ImagePalette.h"

using namespace ZAV;

namespace {

TEST(ImagePalette, CreateMakesZeroedTablesOnlyForPaletteDepths)
{
    CImagePalette palette;
    ASSERT_EQ(1, palette.CreateGrayScale());
    EXPECT_EQ(0, palette.Create(24));
    EXPECT_EQ(256, palette.GetCount());

    const struct {
        int depth;
        int count;
    } cases[] = {{1, 2}, {8, 256}, {16, 65536}};
    for (const auto& c : cases) {
        EXPECT_EQ(1, palette.Create(c.depth));
        EXPECT_EQ(c.count, palette.GetCount());
        uint32_t value = 1;
        EXPECT_EQ(1, palette.GetEntry(c.count - 1, value));
        EXPECT_EQ(0u, value);
    }
}

TEST(ImagePalette, DefaultTablesHoldTheirColours)
{
    CImagePalette palette;
    uint32_t entry = 0;
    palette.CreateGrayScale();
    palette.GetEntry(200, entry);
    EXPECT_EQ(MakePaletteEntry(200, 200, 200), entry);
    EXPECT_EQ(0xFFC8C8C8u, entry);  // bytes blue, green, red, alpha
    EXPECT_TRUE(palette.IsGrayScale());

    palette.CreateGrayScale16();
    palette.GetEntry(0x1234, entry);
    EXPECT_EQ(0x34, PaletteRed(entry));
    EXPECT_EQ(0x12, PaletteGreen(entry));
    EXPECT_EQ(0, PaletteBlue(entry));
    EXPECT_FALSE(palette.IsGrayScale());

    palette.CreateWhiteBlack();
    EXPECT_TRUE(palette.IsInverted());
    palette.CreateBlackWhite();
    EXPECT_FALSE(palette.IsInverted());
    palette.SetSize(1);
    EXPECT_FALSE(palette.IsInverted());
}

TEST(ImagePalette, CreateDefaultKeepsAFittingTable)
{
    CImagePalette palette;
    palette.SetSize(256);
    palette.SetEntry(5, 0x00112233);
    palette.CreateDefault(8);
    uint32_t entry = 0;
    palette.GetEntry(5, entry);
    EXPECT_EQ(0x00112233u, entry);
    palette.CreateDefault(1);
    EXPECT_EQ(2, palette.GetCount());
    palette.CreateDefault(24);
    EXPECT_EQ(2, palette.GetCount());
}

TEST(ImagePalette, EntriesAreCheckedAndCopied)
{
    CImagePalette palette;
    uint32_t value = 7;
    EXPECT_EQ(0, palette.GetEntry(0, value));
    EXPECT_EQ(0u, value);
    EXPECT_EQ(0, palette.SetEntry(0, 1));

    palette.SetSize(256);
    std::vector<uint32_t> many(300, 0xABu);
    EXPECT_EQ(1, palette.SetEntries(many.data(), 300));
    EXPECT_EQ(256, palette.GetCount());
    EXPECT_EQ(1, palette.GetEntry(255, value));
    EXPECT_EQ(0xABu, value);
    EXPECT_EQ(0, palette.GetEntry(256, value));
    EXPECT_EQ(0, palette.SetEntry(-1, 1));

    CImagePalette copy(palette);
    palette.SetEntry(0, 5);
    copy.GetEntry(0, value);
    EXPECT_EQ(0xABu, value);

    uint32_t* buffer = new uint32_t[3]{1, 2, 3};
    copy.Attach(buffer, 3);
    EXPECT_EQ(nullptr, buffer);
    EXPECT_EQ(3, copy.GetCount());

    HGLOBAL handle = nullptr;
    int size = 0;
    ASSERT_EQ(1, copy.CopyToHGlobal(handle, size));
    EXPECT_EQ(12, size);
    EXPECT_EQ(3u, static_cast<uint32_t*>(handle)[2]);
    GlobalFree(handle);
}

TEST(ImagePalette, FindNearestEntryTakesTheFirstOfEquals)
{
    CImagePalette palette;
    EXPECT_EQ(0, palette.FindNearestEntry(RGB(1, 2, 3)));
    palette.CreateBlackWhite();
    EXPECT_EQ(0, palette.FindNearestEntry(RGB(255, 0, 0)));  // 255 to black, 510 to white
    EXPECT_EQ(1, palette.FindNearestEntry(RGB(200, 200, 200)));
    const uint32_t entries[] = {MakePaletteEntry(10, 0, 0), MakePaletteEntry(0, 0, 10), MakePaletteEntry(0, 0, 10)};
    palette.Assign(entries, 3);
    EXPECT_EQ(1, palette.FindNearestEntry(RGB(0, 0, 9)));
    EXPECT_EQ(85, CImagePalette::GetLuminance(0xFF0000FFu));
}

}  // namespace
