// The Palette facet: entries as 0x00BBGGRR, the nearest entry, the standard
// tables and the copy into another object's palette.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

namespace {

using namespace ZAV;

TEST(PaletteFacet, EntriesAndTables)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    IZAVImageEditPaletteCpp& palette = *edit->GetPalette();
    EXPECT_EQ(palette.GetPaletteCount(), 0);
    EXPECT_FALSE(palette.SetPaletteEntry(0, 0x112233));
    EXPECT_EQ(palette.FindNearestEntry(0x112233), 0);

    palette.SetPaletteSize(3);
    EXPECT_TRUE(palette.SetPaletteEntry(0, 0x0000FF));
    EXPECT_TRUE(palette.SetPaletteEntry(1, 0x00FF00));
    EXPECT_TRUE(palette.SetPaletteEntry(2, 0x0000FF));
    EXPECT_FALSE(palette.SetPaletteEntry(3, 0x000000));
    EXPECT_EQ(palette.GetPaletteEntry(1), 0x00FF00u);
    // The table holds blue, green, red, reserved 0.
    const uint32_t stored = edit->GetImageEdit()->GetImage().GetPalette().GetEntries()[0];
    EXPECT_EQ(stored, 0x00FF0000u);
    // Out of range gives 0.
    EXPECT_EQ(palette.GetPaletteEntry(3), 0u);
    EXPECT_EQ(palette.GetPaletteEntry(-1), 0u);
    // Entries 0 and 2 are equally near: the lower index wins.
    EXPECT_EQ(palette.FindNearestEntry(0x0000F0), 0);
    EXPECT_EQ(palette.FindNearestEntry(0x00F000), 1);

    palette.CreateWhiteBlack();
    EXPECT_TRUE(palette.IsInverted());
    palette.CreateBlackWhite();
    EXPECT_FALSE(palette.IsInverted());
    EXPECT_EQ(palette.GetPaletteEntry(1), 0xFFFFFFu);
    palette.CreateGrayScale();
    EXPECT_TRUE(palette.IsGrayScale());
    EXPECT_EQ(palette.GetPaletteCount(), 256);
    EXPECT_EQ(palette.GetPaletteEntry(128), 0x808080u);
}

TEST(PaletteFacet, CopyToAnotherObject)
{
    CZAVPtr<IZAVImageEditSp> source = CreateImageEditSp();
    CZAVPtr<IZAVImageEditSp> target = CreateImageEditSp();
    target->GetPalette()->CreateBlackWhite();
    // From an image without a palette nothing changes.
    source->GetPalette()->CopyPaletteTo(target.Get());
    EXPECT_EQ(target->GetPalette()->GetPaletteCount(), 2);

    source->GetPalette()->SetPaletteSize(3);
    source->GetPalette()->SetPaletteEntry(2, 0x405060);
    source->GetPalette()->CopyPaletteTo(target.Get());
    EXPECT_EQ(target->GetPalette()->GetPaletteCount(), 3);
    EXPECT_EQ(target->GetPalette()->GetPaletteEntry(1), 0u);
    EXPECT_EQ(target->GetPalette()->GetPaletteEntry(2), 0x405060u);
    // The query for the target's standard view leaves no reference behind.
    EXPECT_EQ(target->GetRefCount(), 1);
}

TEST(PaletteFacet, InvertingAPalette)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(8, 2, zavbpp1);
    edit->GetPalette()->CreateBlackWhite();
    edit->GetPalette()->InvertPalette();
    EXPECT_EQ(edit->GetPalette()->GetPaletteEntry(0), 0xFFFFFFu);
}

}  // namespace
