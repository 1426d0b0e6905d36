// Decodes A4 pages at 300 dpi with the codec and with jbig2dec, side by side
// on the same files, one process per page for each as jbig2dec is run (this
// program starts itself with --decode for our side), and prints per set the
// median time a page of each, the median ratio ours/jbig2dec and how many
// pages came out pixel-equal. The sets, all made by the codec's own
// encoders: clean text pages coded with the arithmetic coder (template 0)
// and with MMR; scan-like pages (the encode benches' text pages skewed,
// with dithered grey areas, ragged edges and dust) coded arithmetic,
// template 0, typical prediction on; and symbol-coded scan-like pages as a
// PDF embeds them (one global dictionary of damaged glyph variants and dust
// shared by all pages, a text region per page with some refined instances).
// Both sides write each page as a PBM file.
//
//   jbig2_decode_bench [pages per set, default 100]
//   jbig2_decode_bench --decode OUT.pbm FILE [PAGE-STREAM]   (one page, ours)
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/JB2BenchCallbacks.h"
#include "bench/JB2EncodePages.h"
#include "bench/JB2ScanPages.h"
#include "jbig2codec/document/JB2Document.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"
#include "jbig2codec/generic/JB2GenericRegionSegment.h"
#include "jbig2codec/generic/JB2MQContextEncoder.h"
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

// Codes the rows into the generic region with template 0, nominal AT
// pixels and typical prediction on (TPGDON, T.88 6.2.5.7).
void EncodeTypicalPrediction(JB2SegmentHeader* region, const std::vector<uint8_t>& rows, JB2Memory* memory,
                             JB2Message* message)
{
    JB2GenericSetFlags(region, 0x08);
    const int8_t atX[4] = {3, -3, 2, -2};
    const int8_t atY[4] = {-1, -1, -2, -2};
    JB2WriteData* output = nullptr;
    JB2WriteDataCreate(&output, memory, JB2SegmentWriteCallback, region, message);
    JB2MQContextEncoder* encoder = nullptr;
    MQ_Context_Encoder_Start_Adaptive(&encoder, memory, kWidth, kHeight, 0, atX, atY, 1,
                                      kJB2GenericHeaderFieldsLength + 8, output, message);
    JB2WriteDataRelease(&output, memory);
    for (uint32_t row = 0; row < kHeight; ++row)
        MQ_Context_Encoder_Line(encoder, rows.data() + size_t(row) * kStride);
    MQ_Context_Encoder_End(&encoder, memory);
}

// One page as a sequential JBIG2 file, its generic region coded by `coder`
// (with typical prediction when `typical` is set).
std::vector<uint8_t> Encode(const std::vector<uint8_t>& rows, uint32_t coder, bool typical = false)
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
    if (typical) {
        EncodeTypicalPrediction(region, rows, memory, message);
    } else {
        JB2GenericRegionEncoder* encoder = nullptr;
        Generic_Region_Encoder_Start(&encoder, memory, region, message);
        for (uint32_t row = 0; row < kHeight; ++row)
            Generic_Region_Encoder_Line(encoder, rows.data() + size_t(row) * kStride);
        Generic_Region_Encoder_End(&encoder, memory);
    }
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

// The whole file in one read.
std::vector<uint8_t> ReadAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    std::vector<uint8_t> bytes(in ? size_t(in.tellg()) : 0);
    in.seekg(0);
    in.read(reinterpret_cast<char*>(bytes.data()), std::streamsize(bytes.size()));
    return bytes;
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
    if (!file) {
        JB2_Document_End(&handle);
        return false;
    }
    // The rows leave in writes of 64 KB rather than of 4 KB.
    const std::unique_ptr<char[]> buffer(new char[1 << 16]);
    std::setvbuf(file, buffer.get(), _IOFBF, 1 << 16);
    std::fprintf(file, "P4\n%u %u\n", width, height);
    const JB2_Error status = JB2_Document_Decompress_Page(handle, 1, 1, 0, 0, 0, 0, WriteRow, file);
    const bool written = std::fclose(file) == 0;
    JB2_Document_End(&handle);
    return status == 0 && written;
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Each entry: the file, or the globals and page streams (read with -e).
using Inputs = std::vector<std::vector<std::string>>;

struct ProcessTime {
    double wall = -1;  // negative when the program could not run or failed
    double cpu = 0;    // user and system time
};

// Runs the program with its arguments and waits for it.
ProcessTime TimeProcess(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ProcessTime time;
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return time;
    int status = 0;
    struct rusage usage = {};
    wait4(child, &status, 0, &usage);
    const double wall = Seconds(start);
    time.cpu = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        time.wall = wall;
    return time;
}

std::string SelfPath()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    return n > 0 ? std::string(self, size_t(n)) : std::string();
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Wall time is what a user waits; the CPU time (user and system) of the
// same runs is printed beside it, as it varies less on a busy machine.
void Measure(const char* name, const Inputs& files, const std::string& dir)
{
    const std::string self = SelfPath();
    std::vector<double> ours, theirs, ratios, cpuRatios;
    size_t equal = 0, failures = 0;
    for (const auto& paths : files) {
        std::vector<std::string> ourCommand = {self, "--decode", dir + "/ours.pbm"};
        std::vector<std::string> theirCommand = {"jbig2dec", "-q", "-t", "pbm", "-o", dir + "/theirs.pbm"};
        if (paths.size() > 1)
            theirCommand.push_back("-e");
        ourCommand.insert(ourCommand.end(), paths.begin(), paths.end());
        theirCommand.insert(theirCommand.end(), paths.begin(), paths.end());
        const ProcessTime our = TimeProcess(ourCommand);
        const ProcessTime their = TimeProcess(theirCommand);
        if (our.wall < 0 || their.wall < 0) {
            std::fprintf(stderr, "%s failed on %s\n", our.wall < 0 ? "our decoder" : "jbig2dec", paths.back().c_str());
            ++failures;
            continue;
        }
        ours.push_back(our.wall);
        theirs.push_back(their.wall);
        ratios.push_back(our.wall / their.wall);
        if (their.cpu > 0)
            cpuRatios.push_back(our.cpu / their.cpu);
        equal += std::system(("cmp -s " + dir + "/ours.pbm " + dir + "/theirs.pbm").c_str()) == 0;
    }
    std::printf("%-10s %3zu pages: ours %.1f ms/page, jbig2dec %.1f ms/page (medians), median ratio %.2f "
                "(CPU time %.2f), %zu of %zu pixel-equal%s\n",
                name, files.size(), 1000 * Median(ours), 1000 * Median(theirs), Median(ratios), Median(cpuRatios),
                equal, ours.size(), failures ? ", SOME PAGES FAILED" : "");
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
        const std::vector<JB2Bench::GlyphBitmap> scanGlyphs = JB2Bench::ScanLikeGlyphs(glyphs, 8, 7);
        JB2Bench::SymbolPageWriter writer(memory, message, scanGlyphs);
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
    std::printf("symbol pages: %zu symbols in the globals, %.1f KB per page stream\n", glyphs.size() * 8 + 9,
                double(total) / 1024 / std::max<uint32_t>(pages, 1));
    return inputs;
}

// Scan-like pages from the encode benches' rendered text pages, coded
// arithmetic, template 0, typical prediction on.
Inputs WriteScanPages(uint32_t pages, const std::string& dir)
{
    std::vector<JB2EncodePages::Rows> rendered;
    if (!JB2EncodePages::LoadPages(JB2EncodePages::CacheFolder(), pages, rendered))
        return {};
    Inputs inputs;
    size_t total = 0;
    for (uint32_t i = 0; i < pages; ++i) {
        const JB2ScanPages::Page scan = JB2ScanPages::ScanOf({kWidth, kHeight, rendered[i]}, i + 1);
        const std::vector<uint8_t> bytes = Encode(scan.rows, cJB2_Coder_Arithmetic, true);
        total += bytes.size();
        const std::string path = dir + "/scan" + std::to_string(i) + ".jb2";
        Save(path, bytes);
        inputs.push_back({path});
    }
    std::printf("scan pages: %.1f KB per page\n", double(total) / 1024 / std::max<uint32_t>(pages, 1));
    return inputs;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 4 && std::strcmp(argv[1], "--decode") == 0)
        return DecodeOurs(std::vector<std::string>(argv + 3, argv + argc), argv[2]) ? 0 : 1;
    const uint32_t pages = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    char pattern[] = "/tmp/jbig2_decode_bench.XXXXXX";
    const std::string dir = mkdtemp(pattern);
    Inputs arithmetic, mmr;
    for (uint32_t i = 0; i < pages; ++i) {
        const Bitmap page = MakePage(i + 1);
        for (uint32_t coder : {cJB2_Coder_Arithmetic, cJB2_Coder_MMR}) {
            const bool isMmr = coder == cJB2_Coder_MMR;
            const std::string path = dir + (isMmr ? "/mmr" : "/mq") + std::to_string(i) + ".jb2";
            Save(path, Encode(page.rows, coder));
            (isMmr ? mmr : arithmetic).push_back({path});
        }
    }
    Measure("arithmetic", arithmetic, dir);
    Measure("MMR", mmr, dir);
    const Inputs scan = WriteScanPages(pages, dir);
    if (scan.empty())
        std::fprintf(stderr, "scan pages not made: ghostscript failed\n");
    else
        Measure("scan TPGD", scan, dir);
    const Inputs symbol = WriteSymbolPages(pages, dir);
    if (symbol.empty())
        std::fprintf(stderr, "symbol pages not made: ghostscript failed\n");
    else
        Measure("symbol", symbol, dir);
    std::system(("rm -rf " + dir).c_str());
    return 0;
}
