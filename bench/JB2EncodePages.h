// The encode benches' pages: bitonal A4 pages at 300 dpi (text with rules
// and dust; on request scan-like: turned by a fraction of a degree, with
// ragged edges), rendered once by ghostscript into a cache folder
// beside the build and reused by later runs and by every encode bench; and
// what those benches do alike with them: compress one through
// JB2_Compress_*, and time jbig2enc on the page files.
#pragma once

#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "bench/JB2BenchCallbacks.h"
#include "jbig2codec/kvd_jb2.h"

namespace JB2EncodePages {

constexpr uint32_t kWidth = 2480;  // A4 at 300 dpi
constexpr uint32_t kHeight = 3508;
constexpr uint32_t kStride = (kWidth + 7) / 8;
constexpr uint32_t kPixelsPerMetre = 11811;  // 300 dpi

using Rows = std::vector<uint8_t>;

// Lines of words from a small vocabulary, a heading, table rules, and
// dust scattered over the page, different on every page.
const char kPageProgram[] = R"PS(%!PS
/vocabulary [(the) (of) (and) (a) (to) (in) (is) (that) (for) (it) (with) (as) (was) (on) (document)
  (compression) (page) (scanned) (invoice) (total) (amount) (payment) (received) (number) (date) (customer)
  (account) (reference) (1,024.50) (2026) (Section) (Article) (therefore) (according) (agreement)] def
/pick { rand exch mod } def
/page 0 def
PAGES {
  /page page 1 add def
  page srand
  /Helvetica-Bold findfont 16 scalefont setfont
  72 780 moveto (Report page ) show page 4 string cvs show
  /Times-Roman findfont 10 scalefont setfont
  /y 750 def
  { y 70 lt { exit } if
    72 y moveto
    { currentpoint pop 500 gt { exit } if
      vocabulary vocabulary length pick get show ( ) show } loop
    /y y 12.5 sub def
    40 pick 0 eq { 0.6 setlinewidth 72 y 4 add moveto 523 y 4 add lineto stroke /y y 6 sub def } if
  } loop
  1 setlinewidth 72 50 moveto 523 50 lineto stroke
  800 { 595 pick 842 pick 0.24 0.24 rectfill } repeat
  60 { 595 pick 842 pick 0.72 0.48 rectfill } repeat
  showpage
} repeat
)PS";

// Scanned pages are turned about their centre by -0.45 to 0.45 degrees.
const char kTurn[] = "  gsave 297 421 translate page 7 mod 3 sub 0.15 mul rotate -297 -421 translate\n";

inline std::string PageProgram(uint32_t pages, bool scanned)
{
    std::string program = kPageProgram;
    if (scanned) {
        program.replace(program.find("  showpage"), 10, "  grestore showpage");
        program.insert(program.find("page srand\n") + 11, kTurn);
    }
    return program.replace(program.find("PAGES"), 5, std::to_string(pages));
}

inline std::string CacheFolder(bool scanned = false)
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    std::string folder = n > 0 ? std::string(self, size_t(n)) : std::string("./x");
    folder = folder.substr(0, folder.rfind('/'));
    return folder + (scanned ? "/../bench-cache/jbig2_encode_scanned" : "/../bench-cache/jbig2_encode");
}

inline std::string PagePath(const std::string& folder, uint32_t page)
{
    char name[32];
    std::snprintf(name, sizeof(name), "/page-%03u.pbm", page);
    return folder + name;
}

// The next header number of a PBM, past blanks and comment lines.
inline uint32_t ReadPbmNumber(std::istream& in)
{
    while (in && (std::isspace(in.peek()) || in.peek() == '#')) {
        if (in.get() == '#')
            in.ignore(1 << 16, '\n');
    }
    uint32_t value = 0;
    in >> value;
    return value;
}

// A grey page as a scanner makes it bi-level: each pixel thresholded at
// mid-grey moved by a little noise, so that edges are ragged and no two
// copies of a letter are quite alike. The grey file is replaced by a PBM.
inline bool Threshold(const std::string& grey, const std::string& pbm, uint32_t seed)
{
    std::ifstream in(grey, std::ios::binary);
    std::string magic(2, ' ');
    in.read(&magic[0], 2);
    const uint32_t width = ReadPbmNumber(in), height = ReadPbmNumber(in), depth = ReadPbmNumber(in);
    in.get();
    if (magic != "P5" || width != kWidth || height != kHeight || depth != 255)
        return false;
    std::vector<uint8_t> line(kWidth);
    Rows rows(size_t(kStride) * kHeight, 0);
    for (uint32_t y = 0; y < kHeight && in.read(reinterpret_cast<char*>(line.data()), kWidth); ++y)
        for (uint32_t x = 0; x < kWidth; ++x) {
            seed = seed * 1664525u + 1013904223u;
            if (int(line[x]) + int(seed >> 24) / 4 - 32 < 128)
                rows[size_t(y) * kStride + x / 8] |= uint8_t(0x80 >> (x % 8));
        }
    if (!in)
        return false;
    std::ofstream out(pbm, std::ios::binary);
    out << "P4\n" << kWidth << " " << kHeight << "\n";
    out.write(reinterpret_cast<const char*>(rows.data()), std::streamsize(rows.size()));
    return bool(out) && std::remove(grey.c_str()) == 0;
}

// Renders the pages with ghostscript unless the cache holds them already.
// Skewed pages are drawn in grey without the glyph cache, so that every
// glyph sits at its own sub-pixel place, and then thresholded.
inline bool RenderPages(const std::string& folder, uint32_t pages, bool scanned)
{
    if (access(PagePath(folder, pages).c_str(), R_OK) == 0)
        return true;
    std::system(("mkdir -p " + folder).c_str());
    std::ofstream(folder + "/pages.ps") << PageProgram(pages, scanned);
    const std::string device =
        scanned ? "-dNOCACHE -dTextAlphaBits=4 -dGraphicsAlphaBits=4 -sDEVICE=pgmraw " : "-sDEVICE=pbmraw ";
    const std::string command = "gs -q -dNOPAUSE -dBATCH -dSAFER " + device +
                                "-r300 -g2480x3508 -sOutputFile=" + folder +
                                (scanned ? "/page-%03d.pgm " : "/page-%03d.pbm ") + folder + "/pages.ps";
    std::printf("rendering %u pages with ghostscript into %s\n", pages, folder.c_str());
    if (std::system(command.c_str()) != 0)
        return false;
    for (uint32_t page = 1; scanned && page <= pages; ++page) {
        const std::string pbm = PagePath(folder, page);
        if (!Threshold(pbm.substr(0, pbm.size() - 3) + "pgm", pbm, page))
            return false;
    }
    return true;
}

// The rows of a binary PBM of the bench's size (PBM: 1 is black).
inline bool ReadPage(const std::string& path, Rows& rows)
{
    std::ifstream in(path, std::ios::binary);
    std::string magic(2, ' ');
    in.read(&magic[0], 2);
    const uint32_t width = ReadPbmNumber(in);
    const uint32_t height = ReadPbmNumber(in);
    in.get();
    if (magic != "P4" || width != kWidth || height != kHeight)
        return false;
    rows.resize(size_t(kStride) * kHeight);
    return bool(in.read(reinterpret_cast<char*>(rows.data()), std::streamsize(rows.size())));
}

// Every page of the cache (rendered first when missing) as rows; false,
// with the reason on standard error, when that fails.
inline bool LoadPages(const std::string& folder, uint32_t count, std::vector<Rows>& pages, bool scanned = false)
{
    if (count == 0 || !RenderPages(folder, count, scanned)) {
        std::fprintf(stderr, "cannot render the pages (is ghostscript installed?)\n");
        return false;
    }
    pages.resize(count);
    for (uint32_t i = 0; i < count; ++i)
        if (!ReadPage(PagePath(folder, i + 1), pages[i])) {
            std::fprintf(stderr, "cannot read %s\n", PagePath(folder, i + 1).c_str());
            return false;
        }
    return true;
}

inline double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// The rows as a one-strip Group 4 TIFF at 300 dpi, as tiffcp -c g4 writes
// it; its size, 0 on failure.
inline size_t CompressGroup4(const Rows& rows, const std::string& path)
{
    TIFF* tiff = TIFFOpen(path.c_str(), "w");
    if (!tiff)
        return 0;
    TIFFSetField(tiff, TIFFTAG_IMAGEWIDTH, kWidth);
    TIFFSetField(tiff, TIFFTAG_IMAGELENGTH, kHeight);
    TIFFSetField(tiff, TIFFTAG_BITSPERSAMPLE, 1);
    TIFFSetField(tiff, TIFFTAG_SAMPLESPERPIXEL, 1);
    TIFFSetField(tiff, TIFFTAG_PHOTOMETRIC, PHOTOMETRIC_MINISWHITE);
    TIFFSetField(tiff, TIFFTAG_COMPRESSION, COMPRESSION_CCITTFAX4);
    TIFFSetField(tiff, TIFFTAG_ROWSPERSTRIP, kHeight);
    TIFFSetField(tiff, TIFFTAG_XRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_YRESOLUTION, 300.0);
    TIFFSetField(tiff, TIFFTAG_RESOLUTIONUNIT, RESUNIT_INCH);
    for (uint32_t y = 0; y < kHeight; ++y)
        TIFFWriteScanline(tiff, const_cast<uint8_t*>(rows.data() + size_t(y) * kStride), y, 0);
    TIFFClose(tiff);
    struct stat info = {};
    return stat(path.c_str(), &info) == 0 ? size_t(info.st_size) : 0;
}

typedef std::vector<std::pair<uint32_t, uint32_t>> Properties;

// One page as a JBIG2 file, with the page's size and resolution and then
// the given properties; its size, 0 on failure.
inline size_t CompressPage(const Rows& rows, const Properties& choices)
{
    JB2_Handle_Compress handle = nullptr;
    JB2_Compress_Start(&handle, ZAVBench::JB2Alloc, nullptr, ZAVBench::JB2Free, nullptr, nullptr, nullptr);
    Properties properties = {{cJB2_Prop_Width, kWidth},
                             {cJB2_Prop_Height, kHeight},
                             {cJB2_Prop_X_Resolution, kPixelsPerMetre},
                             {cJB2_Prop_Y_Resolution, kPixelsPerMetre}};
    properties.insert(properties.end(), choices.begin(), choices.end());
    for (const auto& property : properties)
        JB2_Compress_Set_Property(handle, property.first, property.second);
    JB2_Error status = 0;
    for (uint32_t y = 0; y < kHeight && status == 0; ++y)
        status = JB2_Compress_Line(handle, rows.data() + size_t(y) * kStride);
    JB2_Handle_Document document = nullptr;
    std::vector<uint8_t> bytes;
    if (JB2_Compress_End(&handle, status == 0 ? &document : nullptr) == 0 && document) {
        JB2_Document_Export_Document(document, ZAVBench::JB2Collect, &bytes, cJB2_Export_Format_JBIG2_File);
        JB2_Document_End(&document);
    }
    return bytes.size();
}

struct Jbig2encRun {
    double seconds = 0;
    size_t bytes = 0;
};

// The jbig2enc binary with its options on every page file of the cache,
// each into the output file: the time and the sum of the output sizes.
inline Jbig2encRun TimeJbig2enc(const std::string& binary, const std::string& options, const std::string& folder,
                                uint32_t pages, const std::string& output)
{
    Jbig2encRun run;
    const auto start = std::chrono::steady_clock::now();
    for (uint32_t i = 0; i < pages; ++i) {
        const std::string command =
            "'" + binary + "' " + options + " " + PagePath(folder, i + 1) + " > " + output + " 2>/dev/null";
        struct stat info = {};
        if (std::system(command.c_str()) == 0 && stat(output.c_str(), &info) == 0)
            run.bytes += size_t(info.st_size);
    }
    run.seconds = Seconds(start);
    return run;
}

}  // namespace JB2EncodePages
