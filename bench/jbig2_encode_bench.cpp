// Compresses bitonal A4 pages at 300 dpi through JB2_Compress_* with the
// arithmetic coder (template 0) and with MMR, and the same rows with
// libtiff's Group 4 coder (what `tiffcp -c g4` runs); with JBIG2ENC naming a
// jbig2enc binary, that too in its generic mode. Prints the time per page
// and the total size of each, and the size ratios against Group 4.
//
// The pages (text with rules and speckle) are rendered once by ghostscript
// into a cache folder beside the build and reused by later runs.
//
//   jbig2_encode_bench [pages, default 100]
#include <sys/stat.h>
#include <tiffio.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "jbig2codec/kvd_jb2.h"

namespace {

constexpr uint32_t kWidth = 2480;  // A4 at 300 dpi
constexpr uint32_t kHeight = 3508;
constexpr uint32_t kStride = (kWidth + 7) / 8;
constexpr uint32_t kPixelsPerMetre = 11811;  // 300 dpi

using Rows = std::vector<uint8_t>;

// Lines of words from a small vocabulary, a heading, table rules, and
// specks of dust scattered over the page, different on every page.
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

std::string CacheFolder()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    std::string folder = n > 0 ? std::string(self, size_t(n)) : std::string("./x");
    folder = folder.substr(0, folder.rfind('/'));
    return folder + "/../bench-cache/jbig2_encode";
}

std::string PagePath(const std::string& folder, uint32_t page)
{
    char name[32];
    std::snprintf(name, sizeof(name), "/page-%03u.pbm", page);
    return folder + name;
}

// Renders the pages with ghostscript unless the cache holds them already.
bool RenderPages(const std::string& folder, uint32_t pages)
{
    if (access(PagePath(folder, pages).c_str(), R_OK) == 0)
        return true;
    std::system(("mkdir -p " + folder).c_str());
    std::string program = kPageProgram;
    program.replace(program.find("PAGES"), 5, std::to_string(pages));
    std::ofstream(folder + "/pages.ps") << program;
    const std::string command =
        "gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pbmraw -r300 -g2480x3508 -sOutputFile=" + folder + "/page-%03d.pbm " +
        folder + "/pages.ps";
    std::printf("rendering %u pages with ghostscript into %s\n", pages, folder.c_str());
    return std::system(command.c_str()) == 0;
}

// The next header number of a PBM, past blanks and comment lines.
uint32_t ReadPbmNumber(std::istream& in)
{
    while (in && (std::isspace(in.peek()) || in.peek() == '#')) {
        if (in.get() == '#')
            in.ignore(1 << 16, '\n');
    }
    uint32_t value = 0;
    in >> value;
    return value;
}

// The rows of a binary PBM of the bench's size (PBM: 1 is black).
bool ReadPage(const std::string& path, Rows& rows)
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

void* Alloc(uint32_t size, void*)
{
    return std::malloc(size);
}

JB2_Error Free(void* block, void*)
{
    std::free(block);
    return 0;
}

uint32_t Collect(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user)
{
    auto* bytes = static_cast<std::vector<uint8_t>*>(user);
    if (bytes->size() < size_t(offset) + count)
        bytes->resize(size_t(offset) + count);
    std::memcpy(bytes->data() + offset, buffer, count);
    return count;
}

// One page as a JBIG2 file, lossless, generic region only; its size.
size_t CompressJbig2(const Rows& rows, uint32_t coder)
{
    JB2_Handle_Compress handle = nullptr;
    JB2_Compress_Start(&handle, Alloc, nullptr, Free, nullptr, nullptr, nullptr);
    const uint32_t properties[][2] = {{cJB2_Prop_Width, kWidth},
                                      {cJB2_Prop_Height, kHeight},
                                      {cJB2_Prop_X_Resolution, kPixelsPerMetre},
                                      {cJB2_Prop_Y_Resolution, kPixelsPerMetre},
                                      {cJB2_Prop_Bitmap_Coder, coder},
                                      {cJB2_Prop_Generic_Template, 0},
                                      {cJB2_Prop_Symbol_Matching_Mode, cJB2_Matching_None},
                                      {cJB2_Prop_Encoding_Mode, cJB2_Encoding_Lossless}};
    for (const auto& property : properties)
        JB2_Compress_Set_Property(handle, property[0], property[1]);
    for (uint32_t y = 0; y < kHeight; ++y)
        JB2_Compress_Line(handle, rows.data() + size_t(y) * kStride);
    JB2_Handle_Document document = nullptr;
    std::vector<uint8_t> bytes;
    if (JB2_Compress_End(&handle, &document) == 0) {
        JB2_Document_Export_Document(document, Collect, &bytes, cJB2_Export_Format_JBIG2_File);
        JB2_Document_End(&document);
    }
    return bytes.size();
}

// The same rows as a one-strip Group 4 TIFF, as tiffcp -c g4 writes it.
size_t CompressGroup4(const Rows& rows, const std::string& path)
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

size_t RunJbig2enc(const std::string& binary, const std::string& page, const std::string& output)
{
    const std::string command = "'" + binary + "' " + page + " > " + output + " 2>/dev/null";
    if (std::system(command.c_str()) != 0)
        return 0;
    struct stat info = {};
    return stat(output.c_str(), &info) == 0 ? size_t(info.st_size) : 0;
}

struct Result {
    const char* name;
    double seconds = 0;
    size_t bytes = 0;
};

void Print(const Result& result, uint32_t pages)
{
    std::printf("  %-28s %8.1f ms/page   %10zu bytes (%7.1f KB/page)\n", result.name, 1000 * result.seconds / pages,
                result.bytes, result.bytes / 1024.0 / pages);
}

double Seconds(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t pages = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    const std::string folder = CacheFolder();
    if (pages == 0 || !RenderPages(folder, pages)) {
        std::fprintf(stderr, "cannot render the pages (is ghostscript installed?)\n");
        return 1;
    }
    std::vector<Rows> rows(pages);
    for (uint32_t i = 0; i < pages; ++i)
        if (!ReadPage(PagePath(folder, i + 1), rows[i])) {
            std::fprintf(stderr, "cannot read %s\n", PagePath(folder, i + 1).c_str());
            return 1;
        }
    Result arithmetic{"kvd_jb2 arithmetic, T0"}, mmr{"kvd_jb2 MMR"}, group4{"libtiff Group 4"};
    for (Result* result : {&arithmetic, &mmr, &group4}) {
        const auto start = std::chrono::steady_clock::now();
        for (const Rows& page : rows)
            result->bytes += result == &group4
                                 ? CompressGroup4(page, folder + "/g4.tif")
                                 : CompressJbig2(page, result == &mmr ? cJB2_Coder_MMR : cJB2_Coder_Arithmetic);
        result->seconds = Seconds(start);
    }
    std::printf("%u pages of %u x %u at 300 dpi:\n", pages, kWidth, kHeight);
    for (const Result* result : {&arithmetic, &mmr, &group4})
        Print(*result, pages);
    const char* jbig2enc = std::getenv("JBIG2ENC");
    if (jbig2enc && *jbig2enc) {
        Result theirs{"jbig2enc generic"};
        const auto start = std::chrono::steady_clock::now();
        for (uint32_t i = 0; i < pages; ++i)
            theirs.bytes += RunJbig2enc(jbig2enc, PagePath(folder, i + 1), folder + "/jbig2enc.jb2");
        theirs.seconds = Seconds(start);
        Print(theirs, pages);
        std::printf("  size arithmetic / jbig2enc = %.3f\n", double(arithmetic.bytes) / theirs.bytes);
    } else {
        std::printf("  jbig2enc: not measured (set JBIG2ENC to a jbig2enc binary)\n");
    }
    std::printf("size arithmetic / Group 4 = %.3f (%.0f %% smaller), MMR / Group 4 = %.3f; "
                "time arithmetic / Group 4 = %.2f, MMR / Group 4 = %.2f\n",
                double(arithmetic.bytes) / group4.bytes, 100.0 * (1.0 - double(arithmetic.bytes) / group4.bytes),
                double(mmr.bytes) / group4.bytes, arithmetic.seconds / group4.seconds, mmr.seconds / group4.seconds);
    return 0;
}
