// Pages for the symbol path: text rendered by ghostscript from PostScript
// written here, a noisy copy, a scan-like page and small made pages; and
// a compression with the symbol choices.
#pragma once

#include <string>
#include <vector>

#include "tests/jbig2codec/compress/JB2CompressFixture.h"

namespace JB2Test {

inline std::string ShowLines(const std::string& font, int size, int top, int lines, const std::string& text)
{
    std::string ps = "/" + font + " findfont " + std::to_string(size) + " scalefont setfont\n";
    for (int i = 0; i < lines; ++i)
        ps += "20 " + std::to_string(top - i * (size + 3)) + " moveto (" + text + ") show\n";
    return ps;
}

// Two fonts; one word over and over; a table of figures between rules.
inline Page TwoFontsPage()
{
    return RenderPostScript("two fonts",
                            ShowLines("Times-Roman", 10, 200, 6, "Symbols repeat on every page of text, 1234567890.") +
                                ShowLines("Helvetica-Bold", 9, 110, 6, "Bold words: ABCDEFGHIJKLM nopqrstuvwxyz!"),
                            1200, 880);
}

inline Page RepeatedWordsPage()
{
    return RenderPostScript("repeated words", ShowLines("Courier", 11, 200, 13, "the cat and the hat and the bat"),
                            1200, 880);
}

inline Page TablePage()
{
    std::string ps = "/Helvetica findfont 9 scalefont setfont 1 setlinewidth\n";
    for (int row = 0; row < 9; ++row) {
        const int y = 200 - row * 18;
        ps += "20 " + std::to_string(y - 5) + " moveto 270 " + std::to_string(y - 5) + " lineto stroke\n";
        for (int column = 0; column < 4; ++column)
            ps += std::to_string(28 + column * 62) + " " + std::to_string(y) + " moveto (" +
                  std::to_string(1000 + row * 37 + column * 411) + ") show\n";
    }
    for (int column = 0; column <= 4; ++column)
        ps += std::to_string(20 + column * 62) + " 195 moveto " + std::to_string(20 + column * 62) +
              " 51 lineto stroke\n";
    return RenderPostScript("table", ps, 1200, 880);
}

// A copy with one pixel in a few hundred flipped, as a poor scan has.
inline Page Noisy(Page page, uint32_t seed)
{
    page.name = "noisy " + page.name;
    for (uint32_t y = 0; y < page.height; ++y)
        for (uint32_t x = 0; x < page.width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            if ((seed >> 8) % 300 == 0)
                page.Row(y)[x / 8] ^= uint8_t(0x80 >> (x % 8));
        }
    return page;
}

// The test data's text page, scanned elsewhere.
inline Page ScanPage()
{
    return PageFromPbm("scan", DataFile("page-1003x700.expected.pbm"));
}

// A glyph-like shape (a ring with a bar) drawn at (left, top).
inline void DrawRing(Page& page, uint32_t left, uint32_t top)
{
    for (uint32_t y = 0; y < 16; ++y)
        for (uint32_t x = 0; x < 16; ++x) {
            const int dx = int(x) - 8, dy = int(y) - 8;
            const int d = dx * dx + dy * dy;
            if ((d >= 25 && d <= 56) || (y == 8 && x > 8 && x < 14))
                page.Set(left + x, top + y);
        }
}

struct SymbolChoice {
    uint32_t coder;
    uint32_t textTemplate;  // also the generic template
    uint32_t matching;
    uint32_t encoding;
    uint32_t quality;
};

inline std::string Describe(const SymbolChoice& c)
{
    return "coder " + std::to_string(c.coder) + " template " + std::to_string(c.textTemplate) + " matching " +
           std::to_string(c.matching) + " encoding " + std::to_string(c.encoding) + " quality " +
           std::to_string(c.quality);
}

// Compresses the page with the choice; the file and both decodes.
struct SymbolCompression {
    Compression compression;
    std::vector<uint8_t> file;
    Jbig2decView jbig2dec;
    Picture ours;

    SymbolCompression(const Page& page, const SymbolChoice& c)
    {
        JB2_Handle_Compress h = compression.handle;
        compression.SetSize(page.width, page.height, 11811);
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Bitmap_Coder, c.coder), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Generic_Template, c.textTemplate), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Text_Template, c.textTemplate), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Symbol_Matching_Mode, c.matching), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Encoding_Mode, c.encoding), 0);
        if (c.matching == cJB2_Matching_Efficient) {
            EXPECT_EQ(JB2_Compress_Set_Property(h, cJB2_Prop_Symbol_Matching_Quality, c.quality), 0);
        }
        const JB2_Error status = compression.Run(page);
        EXPECT_EQ(status, 0) << page.name << ", " << Describe(c) << compression.messages.All();
        if (status != 0)
            return;
        file = compression.Export(cJB2_Export_Format_JBIG2_File);
        jbig2dec = RunJbig2dec(file);
        ours = compression.Decode();
    }
};

}  // namespace JB2Test
