// Symbol-coded A4 pages for the JBIG2 decode bench: glyphs rendered once by
// ghostscript, one global symbol dictionary holding them, and per page a
// text region of words with a refined instance now and then, written as the
// embedded streams a PDF holds (the globals and one stream per page).
#pragma once

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/document/JB2PageSymbolSegments.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"
#include "jbig2codec/symbol/JB2SymbolInstances.h"
#include "jbig2codec/text/JB2TextInstances.h"
#include "jbig2codec/text/JB2TextRegionEncoder.h"

namespace JB2Bench {

using namespace ZAV;

constexpr uint32_t kPageWidth = 2480;  // A4 at 300 dpi
constexpr uint32_t kPageHeight = 3508;
constexpr uint32_t kDotsPerMetre = 11811;

struct GlyphBitmap {
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t rise = 0;    // rows from the top of the glyph down to its baseline
    bool speck = false;  // dust, not a letter
    std::vector<uint8_t> rows;
    uint32_t Stride() const { return (width + 7) / 8; }
    JB2BitmapView View() const { return JB2BitmapView{rows.data(), width, height, Stride()}; }
};

// The printable ASCII characters in Times at 11 points, one per cell of a
// 10 x 10 grid of 40-point cells, rendered at 300 dpi; each cut to its box.
inline std::vector<GlyphBitmap> RenderGlyphs(const std::string& dir)
{
    const std::string ps = dir + "/glyphs.ps", pbm = dir + "/glyphs.pbm";
    {
        std::ofstream out(ps);
        out << "%!PS\n/Times-Roman findfont 11 scalefont setfont\n";
        for (int code = 33; code < 127; ++code) {
            const int cell = code - 33;
            out << (cell % 10) * 40 + 10 << " " << 400 - ((cell / 10) * 40 + 25) << " moveto ( ) dup 0 " << code
                << " put show\n";
        }
        out << "showpage\n";
    }
    const std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pbmraw -r300 -dDEVICEWIDTHPOINTS=400 "
                                "-dDEVICEHEIGHTPOINTS=400 -dFIXEDMEDIA -sOutputFile=" +
                                pbm + " " + ps;
    if (std::system(command.c_str()) != 0)
        return {};
    std::ifstream in(pbm, std::ios::binary);
    std::string magic;
    uint32_t width = 0, height = 0;
    in >> magic;
    // Ghostscript puts a comment line after the magic number.
    while (in >> std::ws && in.peek() == '#')
        in.ignore(1 << 16, '\n');
    in >> width >> height;
    in.get();
    const uint32_t stride = (width + 7) / 8;
    std::vector<uint8_t> page(size_t(stride) * height);
    in.read(reinterpret_cast<char*>(page.data()), std::streamsize(page.size()));
    auto black = [&](uint32_t x, uint32_t y) { return (page[size_t(y) * stride + x / 8] >> (7 - x % 8)) & 1; };
    const uint32_t cell = 40 * 300 / 72;
    std::vector<GlyphBitmap> glyphs;
    for (int index = 0; index < 94; ++index) {
        const uint32_t left = (index % 10) * cell, top = (index / 10) * cell;
        uint32_t x0 = cell, x1 = 0, y0 = cell, y1 = 0;
        for (uint32_t y = 0; y < cell && top + y < height; ++y)
            for (uint32_t x = 0; x < cell && left + x < width; ++x)
                if (black(left + x, top + y)) {
                    x0 = std::min(x0, x), x1 = std::max(x1, x), y0 = std::min(y0, y), y1 = std::max(y1, y);
                }
        if (x0 > x1)
            continue;
        GlyphBitmap g;
        g.width = x1 - x0 + 1;
        g.height = y1 - y0 + 1;
        g.rise = int32_t(25 * 300 / 72) - int32_t(y0);
        g.rows.assign(size_t(g.Stride()) * g.height, 0);
        for (uint32_t y = 0; y < g.height; ++y)
            for (uint32_t x = 0; x < g.width; ++x)
                if (black(left + x0 + x, top + y0 + y))
                    g.rows[size_t(y) * g.Stride() + x / 8] |= uint8_t(0x80 >> (x % 8));
        glyphs.push_back(g);
    }
    // A dictionary takes its symbols by height.
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const GlyphBitmap& a, const GlyphBitmap& b) { return a.height < b.height; });
    return glyphs;
}

// What a scan's dictionary holds instead of clean glyphs: `variants`
// copies of each glyph whose edge pixels flip now and then (each copy a
// symbol of its own, as a scan's matcher keeps them apart), and specks of
// dust of one to three pixels a side; sorted by height again.
inline std::vector<GlyphBitmap> ScanLikeGlyphs(const std::vector<GlyphBitmap>& clean, uint32_t variants, uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<GlyphBitmap> glyphs;
    for (const GlyphBitmap& glyph : clean)
        for (uint32_t v = 0; v < variants; ++v) {
            GlyphBitmap g = glyph;
            auto black = [&](int64_t x, int64_t y) {
                return x >= 0 && y >= 0 && x < int64_t(g.width) && y < int64_t(g.height) &&
                       ((glyph.rows[size_t(y) * g.Stride() + size_t(x) / 8] >> (7 - x % 8)) & 1);
            };
            for (uint32_t y = 0; y < g.height; ++y)
                for (uint32_t x = 0; x < g.width; ++x)
                    if (black(x, y) != black(int64_t(x) + 1, y) && random() % 100 < 15)
                        g.rows[size_t(y) * g.Stride() + x / 8] ^= uint8_t(0x80 >> (x % 8));
            glyphs.push_back(g);
        }
    for (uint32_t w = 1; w <= 3; ++w)
        for (uint32_t h = 1; h <= 3; ++h) {
            GlyphBitmap g;
            g.width = w, g.height = h, g.speck = true;
            g.rows.assign(size_t(g.Stride()) * h, uint8_t(0xE0 << (3 - w)));
            glyphs.push_back(g);
        }
    std::stable_sort(glyphs.begin(), glyphs.end(),
                     [](const GlyphBitmap& a, const GlyphBitmap& b) { return a.height < b.height; });
    return glyphs;
}

inline uint32_t Collect(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(user);
    if (bytes->size() < size_t(offset) + count)
        bytes->resize(size_t(offset) + count);
    std::copy(buffer, buffer + count, bytes->begin() + offset);
    return count;
}

// The segments one after the other, as an embedded stream.
inline std::vector<uint8_t> Stream(const std::vector<JB2SegmentHeader*>& segments, JB2Memory* memory,
                                   JB2Message* message)
{
    std::vector<uint8_t> bytes;
    JB2WriteData* output = nullptr;
    JB2WriteDataCreate(&output, memory, Collect, &bytes, message);
    uint32_t offset = 0;
    for (JB2SegmentHeader* segment : segments) {
        uint32_t length = 0;
        JB2SegmentWriteHeader(segment, output, offset, &length, message);
        offset += length;
        JB2SegmentWriteData(segment, output, offset, message);
        offset += JB2SegmentDataLength(segment);
    }
    JB2WriteDataRelease(&output, memory);
    return bytes;
}

struct SymbolDocument {
    std::vector<uint8_t> globals;
    std::vector<std::vector<uint8_t>> pages;
};

class SymbolPageWriter {
public:
    SymbolPageWriter(JB2Memory* memory, JB2Message* message, const std::vector<GlyphBitmap>& glyphs)
        : m_memory(memory), m_message(message), m_glyphs(glyphs)
    {
        JB2FileCreate(&m_file, memory, message);
        JB2FileSetOrganisation(m_file, cJB2_Organisation_Sequential);
        JB2PageNewSymbolDictionary(m_file, 0, nullptr, 0, &m_dictionarySegment, &m_dictionary, message);
        for (const GlyphBitmap& glyph : glyphs) {
            const JB2BitmapView view = glyph.View();
            JB2Symbol* symbol = nullptr;
            JB2SymbolDictionaryAddSymbol(m_dictionary, &view, memory, message, &symbol);
            JB2SymbolAddUse(symbol);  // every glyph is exported
            m_symbols.push_back(symbol);
        }
        JB2SymbolDictionaryFinish(m_dictionary, memory, message);
    }
    ~SymbolPageWriter()
    {
        JB2SegmentRelease(&m_dictionarySegment);
        JB2FileRelease(&m_file);
    }

    std::vector<uint8_t> Globals() { return Stream({m_dictionarySegment}, m_memory, m_message); }

    // Lines of words in glyphs drawn at random, the lines sloping as on a
    // skewed scan, and specks of dust over the page when the dictionary has
    // them; one instance in 25 is a speckled copy of its glyph, coded as a
    // refinement.
    std::vector<uint8_t> Page(uint32_t seed)
    {
        std::mt19937 random(seed);
        std::vector<uint32_t> letters, specks;
        for (uint32_t g = 0; g < m_glyphs.size(); ++g)
            (m_glyphs[g].speck ? specks : letters).push_back(g);
        // Up to 8 rows of drift across the page's width.
        const int32_t slope = int32_t(random() % 17) - 8;
        std::vector<std::vector<uint8_t>> speckles;
        speckles.reserve(kPageHeight);
        JB2SymbolInstanceArray* instances = nullptr;
        JB2SymbolInstanceArrayCreate(&instances, m_memory, m_message);
        uint32_t count = 0;
        for (uint32_t baseline = 240; baseline + 60 < kPageHeight - 200; baseline += 50) {
            for (uint32_t x = 180; x + 60 < kPageWidth - 180;) {
                const uint32_t word = 1 + random() % 9;
                for (uint32_t i = 0; i < word && x + 60 < kPageWidth - 180; ++i, ++count) {
                    const uint32_t g = letters[random() % letters.size()];
                    const GlyphBitmap& glyph = m_glyphs[g];
                    JB2BitmapView shape = glyph.View();
                    const uint8_t refine = count % 25 == 24;
                    if (refine) {
                        speckles.push_back(glyph.rows);
                        const uint32_t px = random() % glyph.width, py = random() % glyph.height;
                        speckles.back()[size_t(py) * glyph.Stride() + px / 8] ^= uint8_t(0x80 >> (px % 8));
                        shape.rows = speckles.back().data();
                    }
                    const int32_t drift = slope * int32_t(x) / int32_t(kPageWidth);
                    JB2SymbolInstanceArrayAdd(instances, m_symbols[g], &shape, int32_t(x),
                                              int32_t(baseline) + drift - glyph.rise, refine, m_memory, m_message);
                    x += glyph.width + 4;
                }
                x += 22;
            }
        }
        for (uint32_t i = 0; !specks.empty() && i < 3000; ++i) {
            const uint32_t g = specks[random() % specks.size()];
            JB2BitmapView shape = m_glyphs[g].View();
            JB2SymbolInstanceArrayAdd(instances, m_symbols[g], &shape, int32_t(random() % (kPageWidth - 4)),
                                      int32_t(random() % (kPageHeight - 4)), 0, m_memory, m_message);
        }
        JB2SymbolInstanceArraySort(instances);
        std::vector<uint8_t> bytes = EncodePage(instances);
        for (uint32_t i = 0; i < instances->count; ++i)
            JB2SymbolRemoveUse(instances->entries[i].symbol);
        JB2SymbolInstanceArrayFree(&instances, m_memory);
        return bytes;
    }

private:
    JB2SegmentHeader* PageInformation()
    {
        JB2SegmentHeader* information = nullptr;
        JB2SegmentHeader* last = nullptr;
        JB2FileGetSegment(m_file, JB2FileSegmentCount(m_file) - 1, &last);
        JB2SegmentCreate(&information, m_memory, last->number + 1, cJB2_Segment_Page_Information, m_message);
        JB2SegmentSetPageAssociation(information, 1);
        JB2PageInfoSetWidth(information, kPageWidth);
        JB2PageInfoSetHeight(information, kPageHeight);
        JB2PageInfoSetXResolution(information, kDotsPerMetre);
        JB2PageInfoSetYResolution(information, kDotsPerMetre);
        JB2PageInfoSetFlags(information, 0);
        JB2PageInfoSetStriping(information, 0);
        JB2SegmentAddReference(information);
        JB2FileAddSegment(m_file, &information, m_message);
        JB2FileGetSegment(m_file, JB2FileSegmentCount(m_file) - 1, &information);
        return information;
    }

    // Page information, the text region (refinement on, strips of 8 rows,
    // top-left corners, OR) and end of page.
    std::vector<uint8_t> EncodePage(const JB2SymbolInstanceArray* instances)
    {
        JB2SegmentHeader* information = PageInformation();
        const JB2TextRegionPlacement placement = {1, kPageWidth, kPageHeight, 0, 0, 0, 0x001E};
        JB2SegmentHeader* region = nullptr;
        JB2PageNewTextRegion(m_file, &placement, &m_dictionarySegment, 1, &region, m_message);
        JB2TextRegionEncoder* encoder = nullptr;
        Text_Region_Encoder_Start(&encoder, m_memory, region, m_message);
        if (Text_Region_Encode(encoder, m_memory, instances, m_message) != 0)
            std::fprintf(stderr, "text region encoding failed\n");
        Text_Region_Encoder_End(&encoder, m_memory);
        JB2PageAddNewSegment(m_file, cJB2_Segment_End_Of_Page, 1, m_message);
        JB2SegmentHeader* end = nullptr;
        JB2FileGetSegment(m_file, JB2FileSegmentCount(m_file) - 1, &end);
        std::vector<uint8_t> bytes = Stream({information, region, end}, m_memory, m_message);
        JB2SegmentRelease(&information);
        JB2SegmentRelease(&region);
        return bytes;
    }

    JB2Memory* m_memory;
    JB2Message* m_message;
    const std::vector<GlyphBitmap>& m_glyphs;
    JB2File* m_file = nullptr;
    JB2SegmentHeader* m_dictionarySegment = nullptr;
    JB2SymbolDictionary* m_dictionary = nullptr;
    std::vector<JB2Symbol*> m_symbols;
};

}  // namespace JB2Bench
