// Decodes A4 pages at 300 dpi with the codec and with jbig2dec, side by side
// on the same files, and prints the time of each and their ratio: 100 pages
// coded with the arithmetic coder (template 0), 100 with MMR, and 100
// symbol-coded pages as a PDF embeds them (one global dictionary of glyphs
// rendered by ghostscript, a text region per page with some refined
// instances), all made by the codec's own encoders. Both sides write each
// page as a PBM file.
//
//   jbig2_decode_bench [pages per coder, default 100]
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "bench/JB2BenchCallbacks.h"
#include "jbig2codec/document/JB2Document.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "bench/JB2SymbolPages.h"

using namespace ZAV;

namespace {

constexpr uint32_t kWidth = 2480;  // A4 at 300 dpi
constexpr uint32_t kHeight = 3508;
constexpr uint32_t kStride = (kWidth + 7) / 8;
constexpr uint32_t kDotsPerMetre = 11811;

struct Bitmap {
    std::vector<uint8_t> rows = std::vector<uint8_t>(size_t(kStride) * kHeight, 0);
    void Set(uint32_t x, uint32_t y) { rows[size_t(y) * kStride + x / 8] |= uint8_t(0x80 >> (x % 8)); }
};

// A page of text-like lines: words of glyphs drawn from a small alphabet of
// stroked shapes, as a scanned letter looks to a coder.
Bitmap MakePage(uint32_t seed)
{
    std::mt19937 random(seed);
    std::vector<std::vector<std::pair<int, int>>> glyphs(64);
    for (auto& glyph : glyphs)
        for (int stroke = 0; stroke < 4; ++stroke) {
            int x = int(random() % 20), y = int(random() % 30);
            const int dx = int(random() % 3) - 1, dy = int(random() % 3) - 1;
            for (int step = 0; step < 18; ++step, x = (x + dx + 20) % 20, y = (y + dy + 30) % 30)
                for (int t = 0; t < 3; ++t)
                    glyph.emplace_back(x + t, y);
        }
    Bitmap page;
    for (uint32_t line = 200; line + 40 < kHeight - 200; line += 50) {
        uint32_t x = 180;
        while (x + 30 < kWidth - 180) {
            const uint32_t letters = 2 + random() % 8;
            for (uint32_t i = 0; i < letters && x + 30 < kWidth - 180; ++i, x += 24)
                for (auto [gx, gy] : glyphs[random() % glyphs.size()])
                    page.Set(x + uint32_t(gx), line + uint32_t(gy));
            x += 20;
        }
    }
    return page;
}

// One page as a sequential JBIG2 file, its generic region coded by `coder`.
std::vector<uint8_t> Encode(const Bitmap& page, uint32_t coder)
{
    JB2Memory* memory = nullptr;
    JB2Message* message = nullptr;
    JB2File* file = nullptr;
    JB2MemoryCreate(&memory, ZAVBench::JB2Alloc, nullptr, ZAVBench::JB2Free, nullptr);
    JB2MessageCreate(&message, memory, nullptr, nullptr);
    JB2FileCreate(&file, memory, message);
    JB2FileSetOrganisation(file, cJB2_Organisation_Sequential);
    JB2SegmentHeader* information = nullptr;
    JB2SegmentCreate(&information, memory, 0, cJB2_Segment_Page_Information, message);
    JB2SegmentSetPageAssociation(information, 1);
    JB2PageInfoSetWidth(information, kWidth);
    JB2PageInfoSetHeight(information, kHeight);
    JB2PageInfoSetXResolution(information, kDotsPerMetre);
    JB2PageInfoSetYResolution(information, kDotsPerMetre);
    JB2PageInfoSetFlags(information, 0);
    JB2PageInfoSetStriping(information, 0);
    JB2FileAddSegment(file, &information, message);
    JB2SegmentHeader* region = nullptr;
    JB2PageNewGenericRegion(file, kWidth, kHeight, coder, 0, &region, message);
    JB2GenericRegionEncoder* encoder = nullptr;
    Generic_Region_Encoder_Start(&encoder, memory, region, message);
    for (uint32_t row = 0; row < kHeight; ++row)
        Generic_Region_Encoder_Line(encoder, page.rows.data() + size_t(row) * kStride);
    Generic_Region_Encoder_End(&encoder, memory);
    JB2SegmentRelease(&region);
    JB2PageAddNewSegment(file, cJB2_Segment_End_Of_Page, 1, message);
    JB2PageAddNewSegment(file, cJB2_Segment_End_Of_File, 0, message);
    JB2_Handle_Document handle = nullptr;
    JB2DocumentHandleCreate(&handle, memory, message, file);
    JB2FileRelease(&file);
    std::vector<uint8_t> bytes;
    JB2_Document_Export_Document(handle, ZAVBench::JB2Collect, &bytes, cJB2_Export_Format_JBIG2_File);
    JB2_Document_End(&handle);
    JB2MessageRelease(&message, memory);
    JB2MemoryRelease(&memory);
    return bytes;
}

struct Source {
    std::vector<uint8_t> bytes;
    static uint32_t Read(uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
    {
        auto* self = static_cast<Source*>(user);
        if (offset >= self->bytes.size())
            return 0;
        const uint32_t n = uint32_t(std::min<size_t>(count, self->bytes.size() - offset));
        std::memcpy(buffer, self->bytes.data() + offset, n);
        return n;
    }
};

JB2_Error WriteRow(const uint8_t* row, uint32_t, uint32_t width, uint32_t, void* user)
{
    std::fwrite(row, 1, (width + 7) / 8, static_cast<std::FILE*>(user));
    return 0;
}

std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Reads the files as jbig2dec does (a JBIG2 file, or the globals stream
// before the page stream, as picture extraction joins them) and writes the
// page as PBM.
bool DecodeOurs(const std::vector<std::string>& paths, const std::string& output)
{
    Source source;
    for (const std::string& path : paths) {
        const std::vector<uint8_t> bytes = ReadAll(path);
        source.bytes.insert(source.bytes.end(), bytes.begin(), bytes.end());
    }
    JB2_Handle_Document handle = nullptr;
    if (JB2_Document_Start(&handle, ZAVBench::JB2Alloc, nullptr, ZAVBench::JB2Free, nullptr, Source::Read, &source,
                           nullptr, nullptr) != 0)
        return false;
    uint32_t width = 0, height = 0;
    JB2_Document_Get_Property(handle, cJB2_Prop_Width, &width);
    JB2_Document_Get_Property(handle, cJB2_Prop_Height, &height);
    std::FILE* file = std::fopen(output.c_str(), "wb");
    std::fprintf(file, "P4\n%u %u\n", width, height);
    const JB2_Error status = JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, WriteRow, file);
    std::fclose(file);
    JB2_Document_End(&handle);
    return status == 0;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each entry: the file, or the globals and page streams (read with -e).
using Inputs = std::vector<std::vector<std::string>>;

void Measure(const char* name, const Inputs& files, const std::string& dir)
{
    auto start = std::chrono::steady_clock::now();
    for (const auto& paths : files)
        if (!DecodeOurs(paths, dir + "/ours.pbm"))
            std::fprintf(stderr, "our decoder failed on %s\n", paths.back().c_str());
    const double ours = Seconds(start);
    start = std::chrono::steady_clock::now();
    for (const auto& paths : files) {
        std::string command =
            std::string("jbig2dec -q ") + (paths.size() > 1 ? "-e " : "") + "-t pbm -o " + dir + "/theirs.pbm";
        for (const std::string& path : paths)
            command += " " + path;
        if (std::system(command.c_str()) != 0)
            std::fprintf(stderr, "jbig2dec failed on %s\n", paths.back().c_str());
    }
    const double theirs = Seconds(start);
    const bool same = std::system(("cmp -s " + dir + "/ours.pbm " + dir + "/theirs.pbm").c_str()) == 0;
    std::printf("%-10s %3zu pages: ours %.3f s (%.1f ms/page), jbig2dec %.3f s (%.1f ms/page), ratio %.2f%s\n", name,
                files.size(), ours, 1000 * ours / files.size(), theirs, 1000 * theirs / files.size(), ours / theirs,
                same ? "" : "  (last page differs!)");
}

void Save(const std::string& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The globals stream and one stream per page; their sizes are printed.
Inputs WriteSymbolPages(uint32_t pages, const std::string& dir)
{
    const std::vector<JB2Bench::GlyphBitmap> glyphs = JB2Bench::RenderGlyphs(dir);
    if (glyphs.empty())
        return {};
    JB2Memory* memory = nullptr;
    JB2Message* message = nullptr;
    JB2MemoryCreate(&memory, ZAVBench::JB2Alloc, nullptr, ZAVBench::JB2Free, nullptr);
    JB2MessageCreate(&message, memory, nullptr, nullptr);
    Inputs inputs;
    size_t total = 0;
    {
        JB2Bench::SymbolPageWriter writer(memory, message, glyphs);
        const std::string globals = dir + "/globals.sym";
        Save(globals, writer.Globals());
        for (uint32_t i = 0; i < pages; ++i) {
            const std::string path = dir + "/symbol" + std::to_string(i) + ".0000";
            const std::vector<uint8_t> bytes = writer.Page(i + 1);
            total += bytes.size();
            Save(path, bytes);
            inputs.push_back({globals, path});
        }
    }
    JB2MessageRelease(&message, memory);
    JB2MemoryRelease(&memory);
    std::printf("symbol pages: %zu glyphs in the globals, %.1f KB per page stream\n", glyphs.size(),
                double(total) / 1024 / std::max<uint32_t>(pages, 1));
    return inputs;
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t pages = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    char pattern[] = "/tmp/jbig2_decode_bench.XXXXXX";
    const std::string dir = mkdtemp(pattern);
    Inputs arithmetic, mmr;
    for (uint32_t i = 0; i < pages; ++i) {
        const Bitmap page = MakePage(i + 1);
        for (uint32_t coder : {cJB2_Coder_Arithmetic, cJB2_Coder_MMR}) {
            const bool isMmr = coder == cJB2_Coder_MMR;
            const std::string path = dir + (isMmr ? "/mmr" : "/mq") + std::to_string(i) + ".jb2";
            const std::vector<uint8_t> bytes = Encode(page, coder);
            std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
            (isMmr ? mmr : arithmetic).push_back({path});
        }
    }
    Measure("arithmetic", arithmetic, dir);
    Measure("MMR", mmr, dir);
    const Inputs symbol = WriteSymbolPages(pages, dir);
    if (symbol.empty())
        std::fprintf(stderr, "symbol pages not made: ghostscript failed\n");
    else
        Measure("symbol", symbol, dir);
    std::system(("rm -rf " + dir).c_str());
    return 0;
}
