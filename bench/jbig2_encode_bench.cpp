// Compresses bitonal A4 pages at 300 dpi through JB2_Compress_* with the
// arithmetic coder (template 0) and with MMR, and the same rows with
// libtiff's Group 4 coder (what `tiffcp -c g4` runs); with JBIG2ENC naming a
// jbig2enc binary, that too in its generic mode. Prints the time per page
// and the total size of each, and the size ratios against Group 4.
//
// The pages (text with rules and dust) come from JB2EncodePages.h.
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

#include "bench/JB2BenchCallbacks.h"
#include "bench/JB2EncodePages.h"
#include "jbig2codec/kvd_jb2.h"

namespace {

using namespace JB2EncodePages;

// One page as a JBIG2 file, lossless, generic region only; its size.
size_t CompressJbig2(const Rows& rows, uint32_t coder)
{
    JB2_Handle_Compress handle = nullptr;
    JB2_Compress_Start(&handle, ZAVBench::JB2Alloc, nullptr, ZAVBench::JB2Free, nullptr, nullptr, nullptr);
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
        JB2_Document_Export_Document(document, ZAVBench::JB2Collect, &bytes, cJB2_Export_Format_JBIG2_File);
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
