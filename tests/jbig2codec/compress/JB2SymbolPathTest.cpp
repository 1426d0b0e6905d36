// The compressor's symbol path: lossless files that jbig2dec reads back as
// the input, lossy files that it reads as our decoder does with only small
// shape-keeping changes, and the segments a page gets.
#include <algorithm>
#include <functional>

#include "tests/jbig2codec/compress/JB2PdfChecks.h"
#include "tests/jbig2codec/compress/JB2SymbolPagesFixture.h"

using namespace JB2Test;

namespace {

const std::vector<Page>& RenderedPages()
{
    static const std::vector<Page> pages = [] {
        const Page fonts = TwoFontsPage();
        return std::vector<Page>{fonts, RepeatedWordsPage(), TablePage(), Noisy(fonts, 7), ScanPage()};
    }();
    return pages;
}

// Three rings in a row and one apart: shapes that all match.
Page RingsPage(uint32_t count)
{
    Page page = BlankPage("rings", 120, 40);
    for (uint32_t i = 0; i < count; ++i)
        DrawRing(page, 4 + i * 28, 10);
    return page;
}

// `count` 2 x 2 dots on a grid of 4 x 4 cells, 100 to a row.
Page DotsPage(uint32_t count)
{
    Page page = BlankPage("dots", 400, (count + 99) / 100 * 4);
    for (uint32_t i = 0; i < count; ++i)
        for (uint32_t y = 0; y < 2; ++y)
            for (uint32_t x = 0; x < 2; ++x)
                page.Set(i % 100 * 4 + x, i / 100 * 4 + y);
    return page;
}

std::vector<Page> SmallPages()
{
    return {RingsPage(3), RingsPage(1), TextPage("made text", 301, 157, 3), TextPage("narrow", 37, 90, 8),
            NoisePage("noise", 45, 30, 2)};
}

// A comb: the top row and the left column full, and from each other column
// a tooth of a random length hanging from the top.
void DrawComb(Page& page, uint32_t left, uint32_t top, uint32_t w, uint32_t h, uint32_t& seed)
{
    for (uint32_t x = 0; x < w; ++x) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t length = x == 0 ? h : 1 + (seed >> 8) % h;
        for (uint32_t y = 0; y < length; ++y)
            page.Set(left + x, top + y);
    }
}

// Two copies each of 150 random combs of every size from 9 x 9 to 24 x 24:
// some 38,000 shapes, more than symbol codes of 15 bits can name.
Page ManyShapesPage()
{
    constexpr uint32_t kSmallest = 9, kLargest = 24, kShapes = 150, kGap = 2, kWidth = 6000;
    Page page = BlankPage("many shapes", kWidth, 4600);
    uint32_t x = 0, y = 0, seed = 1;
    for (uint32_t h = kSmallest; h <= kLargest; ++h, x = 0, y += h + kGap)
        for (uint32_t w = kSmallest; w <= kLargest; ++w)
            for (uint32_t shape = 0; shape < kShapes; ++shape) {
                const uint32_t start = seed;
                for (int copy = 0; copy < 2; ++copy) {
                    if (x + w + kGap > kWidth)
                        x = 0, y += h + kGap;
                    seed = start;
                    DrawComb(page, x, y, w, h, seed);
                    x += w + kGap;
                }
            }
    EXPECT_LE(y, page.height);
    return page;
}

// One 8-connected component of a page: its box and its pixels.
struct Blob {
    uint32_t left, top, right, bottom;
    std::vector<std::pair<uint32_t, uint32_t>> pixels;
};

std::vector<Blob> Blobs(const Page& page)
{
    std::vector<uint8_t> seen(size_t(page.width) * page.height, 0);
    std::vector<Blob> blobs;
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x) {
            if (!page.Get(x, y) || seen[size_t(y) * page.width + x])
                continue;
            Blob blob{x, y, x, y, {}};
            std::vector<std::pair<uint32_t, uint32_t>> stack{{x, y}};
            seen[size_t(y) * page.width + x] = 1;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                blob.pixels.push_back({px, py});
                blob.left = std::min(blob.left, px), blob.right = std::max(blob.right, px);
                blob.top = std::min(blob.top, py), blob.bottom = std::max(blob.bottom, py);
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        const int64_t nx = int64_t(px) + dx, ny = int64_t(py) + dy;
                        if (nx < 0 || ny < 0 || nx >= page.width || ny >= page.height)
                            continue;
                        uint8_t& mark = seen[size_t(ny) * page.width + size_t(nx)];
                        if (!mark && page.Get(uint32_t(nx), uint32_t(ny))) {
                            mark = 1;
                            stack.push_back({uint32_t(nx), uint32_t(ny)});
                        }
                    }
            }
            blobs.push_back(std::move(blob));
        }
    return blobs;
}

// 4-connected regions of the cells where `inside` holds, in a w x h grid;
// calls `region` with each region's size.
void Regions(uint32_t w, uint32_t h, const std::function<bool(uint32_t, uint32_t)>& inside,
             const std::function<void(size_t)>& region)
{
    std::vector<uint8_t> seen(size_t(w) * h, 0);
    for (uint32_t y = 0; y < h; ++y)
        for (uint32_t x = 0; x < w; ++x) {
            if (seen[size_t(y) * w + x] || !inside(x, y))
                continue;
            size_t size = 0;
            std::vector<std::pair<uint32_t, uint32_t>> stack{{x, y}};
            seen[size_t(y) * w + x] = 1;
            while (!stack.empty()) {
                const auto [px, py] = stack.back();
                stack.pop_back();
                ++size;
                const int64_t around[4][2] = {{px + 1, py}, {int64_t(px) - 1, py}, {px, py + 1}, {px, int64_t(py) - 1}};
                for (const auto& n : around) {
                    if (n[0] < 0 || n[1] < 0 || n[0] >= w || n[1] >= h)
                        continue;
                    const uint32_t nx = uint32_t(n[0]), ny = uint32_t(n[1]);
                    if (!seen[size_t(ny) * w + nx] && inside(nx, ny)) {
                        seen[size_t(ny) * w + nx] = 1;
                        stack.push_back({nx, ny});
                    }
                }
            }
            region(size);
        }
}

// White regions of a shape in its box with a white frame around it.
size_t WhiteRegions(const std::vector<uint8_t>& shape, uint32_t w, uint32_t h)
{
    size_t count = 0;
    Regions(
        w + 2, h + 2,
        [&](uint32_t x, uint32_t y) {
            return x == 0 || y == 0 || x > w || y > h || !shape[size_t(y - 1) * w + (x - 1)];
        },
        [&](size_t) { ++count; });
    return count;
}

bool Changed(const Page& page, const Picture& decoded, uint32_t x, uint32_t y)
{
    const bool after = (decoded.rows[size_t(y) * page.Stride() + x / 8] >> (7 - x % 8)) & 1;
    return after != page.Get(x, y);
}

// Every change lies in a component's box, changes of one direction form
// regions of at most 12 - quality pixels, and each changed component keeps
// its white regions.
void ExpectSmallShapeKeepingChanges(const Page& page, const Picture& decoded, uint32_t quality)
{
    ASSERT_EQ(decoded.width, page.width);
    ASSERT_EQ(decoded.rows.size(), page.bits.size());
    std::vector<uint8_t> boxed(size_t(page.width) * page.height, 0);
    const std::vector<Blob> blobs = Blobs(page);
    for (const Blob& b : blobs)
        for (uint32_t y = b.top; y <= b.bottom; ++y)
            for (uint32_t x = b.left; x <= b.right; ++x)
                boxed[size_t(y) * page.width + x] = 1;
    size_t changes = 0;
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x)
            if (Changed(page, decoded, x, y)) {
                ++changes;
                ASSERT_TRUE(boxed[size_t(y) * page.width + x]) << page.name << " at " << x << ", " << y;
            }
    for (bool black : {false, true})
        Regions(
            page.width, page.height,
            [&](uint32_t x, uint32_t y) { return Changed(page, decoded, x, y) && page.Get(x, y) != black; },
            [&](size_t size) { EXPECT_LE(size, 12u - quality) << page.name << " turned " << black; });
    for (const Blob& b : blobs) {
        const uint32_t w = b.right - b.left + 1, h = b.bottom - b.top + 1;
        std::vector<uint8_t> before(size_t(w) * h, 0), after(size_t(w) * h, 0);
        for (const auto& [x, y] : b.pixels)
            before[size_t(y - b.top) * w + (x - b.left)] = 1;
        bool touched = false;
        for (uint32_t y = 0; y < h; ++y)
            for (uint32_t x = 0; x < w; ++x) {
                const bool changed = Changed(page, decoded, b.left + x, b.top + y);
                touched |= changed;
                after[size_t(y) * w + x] = changed ? !page.Get(b.left + x, b.top + y) : before[size_t(y) * w + x];
            }
        if (touched) {
            EXPECT_EQ(WhiteRegions(before, w, h), WhiteRegions(after, w, h))
                << page.name << " at " << b.left << ", " << b.top;
        }
    }
}

}  // namespace

TEST(JB2SymbolPath, LosslessSymbolCodingReadsBackExactlyInJbig2dec)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    std::vector<Page> pages = RenderedPages();
    for (const Page& page : SmallPages())
        pages.push_back(page);
    for (const Page& page : pages) {
        ASSERT_GT(page.width, 0u) << page.name;
        for (uint32_t matching : {cJB2_Matching_Efficient, cJB2_Matching_Single_Dictionary})
            for (uint32_t textTemplate = 0; textTemplate < 4; ++textTemplate)
                for (uint32_t coder : {cJB2_Coder_MMR, cJB2_Coder_Arithmetic}) {
                    const SymbolChoice choice{coder, textTemplate, matching, cJB2_Encoding_Lossless, 5};
                    const SymbolCompression c(page, choice);
                    const std::string what = page.name + ", " + Describe(choice);
                    ASSERT_EQ(c.jbig2dec.pictures.size(), 1u) << what;
                    EXPECT_TRUE(c.jbig2dec.pictures[0] == PictureOf(page)) << what;
                    EXPECT_TRUE(c.ours == PictureOf(page)) << what;
                    EXPECT_TRUE(c.jbig2dec.warnings.empty()) << what << ": " << c.jbig2dec.warnings[0];
                    EXPECT_TRUE(SegmentOrderFits(c.jbig2dec.types, matching)) << what;
                }
    }
}

TEST(JB2SymbolPath, LossyCodingChangesOnlySmallShapeKeepingRegions)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    for (const Page& page : RenderedPages())
        for (uint32_t quality : {0u, 5u, 10u}) {
            const SymbolChoice choice{cJB2_Coder_Arithmetic, 0, cJB2_Matching_Efficient, cJB2_Encoding_Lossy, quality};
            const SymbolCompression c(page, choice);
            const std::string what = page.name + ", " + Describe(choice);
            ASSERT_EQ(c.jbig2dec.pictures.size(), 1u) << what;
            EXPECT_TRUE(c.jbig2dec.pictures[0] == c.ours) << what;
            EXPECT_TRUE(c.jbig2dec.warnings.empty()) << what << ": " << c.jbig2dec.warnings[0];
            SCOPED_TRACE(what);
            ExpectSmallShapeKeepingChanges(page, c.ours, quality);
        }
}

TEST(JB2SymbolPath, SegmentsOfAPage)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const struct {
        Page page;
        uint32_t matching;
        std::vector<int> types;
    } cases[] = {
        {BlankPage("white", 64, 40), cJB2_Matching_Efficient, {48, 0, 0, 49, 51}},
        {BlankPage("white", 64, 40), cJB2_Matching_Single_Dictionary, {48, 0, 49, 51}},
        {RingsPage(3), cJB2_Matching_Efficient, {48, 0, 0, 6, 49, 51}},
        // Direct matching leaves the page to a generic region once a shape takes an existing symbol.
        {RingsPage(3), cJB2_Matching_Single_Dictionary, {48, 0, 6, 38, 49, 51}},
        {RingsPage(1), cJB2_Matching_Efficient, {48, 0, 0, 38, 49, 51}},
        {RingsPage(1), cJB2_Matching_Single_Dictionary, {48, 0, 38, 49, 51}},
        {RingsPage(3), cJB2_Matching_None, {48, 38, 49, 51}},
        // 20,000 shapes of one height up to 8 are dots of a picture, not text.
        {DotsPage(20000), cJB2_Matching_Efficient, {48, 0, 0, 38, 49, 51}},
        {DotsPage(300), cJB2_Matching_Efficient, {48, 0, 0, 6, 49, 51}},
    };
    for (const auto& test : cases) {
        const SymbolChoice choice{cJB2_Coder_Arithmetic, 0, test.matching, cJB2_Encoding_Lossless, 5};
        const SymbolCompression c(test.page, choice);
        const std::string what = test.page.name + ", " + Describe(choice);
        EXPECT_EQ(c.jbig2dec.types, test.types) << what;
        ASSERT_EQ(c.jbig2dec.pictures.size(), 1u) << what;
        EXPECT_TRUE(c.jbig2dec.pictures[0] == PictureOf(test.page)) << what;
    }
}

TEST(JB2SymbolPath, DefaultPdfSettingsMakeAStreamPopplerReadsAsJbig2dec)
{
    for (const char* tool : {"qpdf", "pdfimages", "pdftoppm", "jbig2dec", "gs", "/usr/bin/python3"})
        ASSERT_TRUE(ZAVTest::HaveTool(tool)) << tool;
    const Page page = TwoFontsPage();
    Compression c;
    c.SetSize(page.width, page.height, 11811);
    // The defaults: arithmetic, templates 0, lossy, efficient matching, quality 5.
    ASSERT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Encoding_Mode, cJB2_Encoding_Lossy), 0);
    ASSERT_EQ(c.Run(page), 0) << c.messages.All();
    const std::vector<uint8_t> stream = c.Export(cJB2_Export_Format_Stream_For_PDF);
    const std::vector<Picture> decoded = Jbig2dec(stream, true);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_TRUE(decoded[0] == c.Decode());
    const ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("wrapped.pdf"), WrapStream(stream, page.width, page.height));
    ExpectPopplerSees(dir.File("wrapped.pdf"), decoded[0]);
}

TEST(JB2SymbolPath, ShapesBeyondFifteenBitSymbolCodesStayForTheGenericRegion)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const Page page = ManyShapesPage();
    const SymbolChoice choice{cJB2_Coder_Arithmetic, 0, cJB2_Matching_Single_Dictionary, cJB2_Encoding_Lossless, 5};
    const SymbolCompression c(page, choice);
    ASSERT_EQ(c.jbig2dec.pictures.size(), 1u);
    EXPECT_TRUE(c.jbig2dec.pictures[0] == PictureOf(page));
    EXPECT_TRUE(c.ours == PictureOf(page));
    EXPECT_TRUE(c.jbig2dec.warnings.empty()) << c.jbig2dec.warnings[0];
    EXPECT_EQ(c.jbig2dec.types, (std::vector<int>{48, 0, 6, 38, 49, 51}));
}
