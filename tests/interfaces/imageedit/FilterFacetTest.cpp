// The Filter facet: the neighbourhood filters and the caller's matrix.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "support/ThrownText.h"
#include "FacetTestImages.h"
#include "ImageEditTestPixels.h"

namespace {

using namespace ZAV;
using namespace ZAVTest;

const struct FilterCase {
    const char* name;
    std::function<void(IZAVImageEditFilterCpp&)> run;
    // What a flat area of 77 becomes: soften at full strength takes the
    // area's mean away from each pixel.
    unsigned char flatResult;
} kFilters[] = {
    {"Sharpen", [](IZAVImageEditFilterCpp& f) { f.Sharpen(100); }, 77},
    {"Blur", [](IZAVImageEditFilterCpp& f) { f.Blur(100); }, 77},
    {"Median", [](IZAVImageEditFilterCpp& f) { f.Median(); }, 77},
    {"Soften", [](IZAVImageEditFilterCpp& f) { f.Soften(100); }, 0},
    {"Soften at no strength", [](IZAVImageEditFilterCpp& f) { f.Soften(0); }, 77},
    {"GaussianBlur", [](IZAVImageEditFilterCpp& f) { f.GaussianBlur(); }, 77},
};

TEST(FilterFacet, NeighbourhoodFiltersOnAFlatPictureAndOnOneBit)
{
    for (const auto& filter : kFilters) {
        SCOPED_TRACE(filter.name);
        CZAVPtr<IZAVImageEditSp> flat = Gray8(5, 5, [](int, int) { return 77; });
        filter.run(*flat->GetFilter());
        EXPECT_EQ(PixelsOf(*flat.Get()), std::vector<unsigned char>(25, filter.flatResult));

        CZAVPtr<IZAVImageEditSp> bilevel = Bilevel(8, 4);
        EXPECT_EQ(ThrownText([&] { filter.run(*bilevel->GetFilter()); }),
                  "Requires Grayscale or 24bpp Images! Please convert it to 24bpp format.");
    }
}

TEST(FilterFacet, MedianRemovesALonePeak)
{
    CZAVPtr<IZAVImageEditSp> edit = Gray8(5, 5, [](int x, int y) { return x == 2 && y == 2 ? 255 : 40; });
    edit->GetFilter()->Median();
    EXPECT_EQ(ByteAt(*edit.Get(), 2, 2), 40);
}

TEST(FilterFacet, ApplyUserMatrix)
{
    const std::vector<int32_t> identity{0, 0, 0, 0, 1, 0, 0, 0, 0};
    const std::vector<int32_t> shiftLeft{0, 0, 0, 0, 0, 1, 0, 0, 0};
    const struct {
        const char* name;
        std::vector<int32_t> values;
        int columns, rows;
        const char* text;
        bool changes;
    } cases[] = {
        {"identity", identity, 3, 3, kNothingThrown, false},
        {"shift", shiftLeft, 3, 3, kNothingThrown, true},
        {"nine values for 3 x 2", identity, 3, 2, "Array size doesn't match FilterCols and nFilterRows!", false},
        {"eight values for 3 x 3", std::vector<int32_t>(8, 1), 3, 3,
         "Array size doesn't match FilterCols and nFilterRows!", false},
        {"empty", {}, 3, 3, "Array size doesn't match FilterCols and nFilterRows!", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CZAVPtr<IZAVImageEditSp> edit = Rgb24(4, 3);
        const std::vector<unsigned char> before = PixelsOf(*edit.Get());
        const CArraySimple<int32_t, 2> values(c.values);
        EXPECT_EQ(ThrownText([&] { edit->GetFilter()->ApplyUserMatrix(values, c.columns, c.rows, 1, 100, 0, 0); }),
                  c.text);
        EXPECT_EQ(PixelsOf(*edit.Get()) != before, c.changes);
    }
    // The shifted picture takes each pixel from its right neighbour.
    CZAVPtr<IZAVImageEditSp> edit = Gray8(4, 1, [](int x, int) { return x * 10; });
    edit->GetFilter()->ApplyUserMatrix(CArraySimple<int32_t, 2>(shiftLeft), 3, 3, 1, 100, 0, 0);
    EXPECT_EQ(PixelsOf(*edit.Get()), (std::vector<unsigned char>{10, 20, 30, 30}));
}

}  // namespace
