// The compression functions: every coding choice gives a file that jbig2dec
// and the codec's own decoder turn back into the input rows, and the
// property checks and states of a compression handle.
#include "tests/jbig2codec/compress/JB2CompressFixture.h"

using namespace JB2Test;

namespace {

// An A4 page of text rendered by ghostscript at 300 dpi, made once.
const Page& GhostscriptTextPage()
{
    static Page page = [] {
        std::string ps = "/Times-Roman findfont 11 scalefont setfont\n";
        for (int line = 0; line < 60; ++line) {
            ps += "60 " + std::to_string(780 - line * 12) + " moveto (Line " + std::to_string(line) +
                  ": The quick brown fox jumps over the lazy dog, 0123456789.) show\n";
        }
        ps += "50 40 moveto 545 40 lineto 2 setlinewidth stroke";
        return RenderPostScript("ghostscript text", ps, 2480, 3508);
    }();
    return page;
}

Page CheckerPage(uint32_t width, uint32_t height)
{
    Page page = BlankPage("checkerboard", width, height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            if ((x + y) % 2)
                page.Set(x, y);
    return page;
}

// A ring with a bar: one glyph-like shape in a margin of white.
Page GlyphPage()
{
    Page page = BlankPage("glyph", 40, 40);
    for (uint32_t y = 8; y < 32; ++y)
        for (uint32_t x = 8; x < 32; ++x) {
            const int dx = static_cast<int>(x) - 20;
            const int dy = static_cast<int>(y) - 20;
            const int d = dx * dx + dy * dy;
            if ((d >= 64 && d <= 121) || (y == 20 && x > 20))
                page.Set(x, y);
        }
    return page;
}

// Pages with few or no symbol-like shapes: every coding choice must keep
// them (or, lossy, read them alike in both decoders).
std::vector<Page> EdgePages()
{
    return {CheckerPage(33, 17), NoisePage("width 1", 1, 23, 1), NoisePage("width 9", 9, 17, 4),
            TextPage("width 4097", 4097, 33, 5)};
}

std::vector<Page> PlainPages()
{
    return {BlankPage("white", 64, 40), BlackPage("black", 64, 40), NoisePage("width 7", 7, 19, 2),
            NoisePage("width 8", 8, 21, 3), GlyphPage()};
}

std::vector<CodingChoice> AllChoices()
{
    std::vector<CodingChoice> choices;
    for (uint32_t coder : {cJB2_Coder_MMR, cJB2_Coder_Arithmetic})
        for (uint32_t gbTemplate = 0; gbTemplate < 4; ++gbTemplate)
            for (uint32_t matching = 0; matching < 3; ++matching)
                for (uint32_t encoding = 0; encoding < 2; ++encoding)
                    if (matching != 0 || encoding == 0)
                        choices.push_back({coder, gbTemplate, matching, encoding});
    return choices;
}

// The page information flags byte of the exported file (file header 13
// bytes, segment header 11 bytes, flags at offset 16 of the data).
constexpr size_t kPageFlagsOffset = 13 + 11 + 16;

// Lossless choices give the input back; lossy coding (matching mode 1) may
// change pixels, but jbig2dec must then see what our decoder sees.
void ExpectRoundTrip(const Page& page, const CodingChoice& choice)
{
    Compression compression;
    compression.SetSize(page.width, page.height, 11811);
    compression.SetChoice(choice);
    ASSERT_EQ(compression.Run(page), 0) << page.name << ", " << Describe(choice) << compression.messages.All();
    const std::vector<uint8_t> file = compression.Export(cJB2_Export_Format_JBIG2_File);
    const Jbig2decView view = RunJbig2dec(file);
    const bool lossy = choice.matching == cJB2_Matching_Efficient && choice.encoding == cJB2_Encoding_Lossy;
    const Picture ours = compression.Decode();
    const Picture expected = lossy ? ours : PictureOf(page);
    ASSERT_EQ(view.pictures.size(), 1u) << page.name << ", " << Describe(choice);
    EXPECT_TRUE(view.pictures[0] == expected) << page.name << ", " << Describe(choice);
    EXPECT_TRUE(SegmentOrderFits(view.types, choice.matching)) << page.name << ", " << Describe(choice);
    EXPECT_TRUE(view.warnings.empty()) << page.name << ", " << Describe(choice) << ": " << view.warnings[0];
    EXPECT_TRUE(ours == PictureOf(page) || lossy) << page.name << ", " << Describe(choice);
    ASSERT_GT(file.size(), kPageFlagsOffset);
    EXPECT_EQ(file[kPageFlagsOffset], choice.encoding ? 0x50 : 0x51) << Describe(choice);
}

}  // namespace

TEST(JB2Compress, EveryCodingChoiceIsLosslessOnSmallPages)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    for (const std::vector<Page>& pages : {EdgePages(), PlainPages()})
        for (const Page& page : pages)
            for (const CodingChoice& choice : AllChoices())
                ExpectRoundTrip(page, choice);
}

TEST(JB2Compress, AGhostscriptTextPageIsLossless)
{
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    ASSERT_TRUE(ZAVTest::HaveTool("gs"));
    const Page& page = GhostscriptTextPage();
    ASSERT_EQ(page.width, 2480u);
    ASSERT_EQ(page.height, 3508u);
    const std::vector<CodingChoice> choices = {{cJB2_Coder_MMR, 0, 0, 0},        {cJB2_Coder_Arithmetic, 0, 0, 0},
                                               {cJB2_Coder_Arithmetic, 1, 0, 0}, {cJB2_Coder_Arithmetic, 2, 0, 0},
                                               {cJB2_Coder_Arithmetic, 3, 0, 0}, {cJB2_Coder_Arithmetic, 0, 1, 1},
                                               {cJB2_Coder_MMR, 0, 2, 0}};
    for (const CodingChoice& choice : choices)
        ExpectRoundTrip(page, choice);
}
