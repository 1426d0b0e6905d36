// Compresses bitonal A4 pages at 300 dpi through JB2_Compress_* with the
// arithmetic coder (template 0) and with MMR, and the same rows with
// libtiff's Group 4 coder (what `tiffcp -c g4` runs); with JBIG2ENC naming a
// jbig2enc binary, that too in its generic mode. Prints the time per page
// and the total size of each, and the size ratios against Group 4.
//
// The pages (text with rules and dust) come from JB2EncodePages.h.
//
//   jbig2_encode_bench [pages, default 100]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/JB2EncodePages.h"
#include "jbig2codec/kvd_jb2.h"

namespace {

using namespace JB2EncodePages;

// One page as a JBIG2 file, lossless, generic region only; its size.
size_t CompressJbig2(const Rows& rows, uint32_t coder)
{
    return CompressPage(rows, {{cJB2_Prop_Bitmap_Coder, coder},
                               {cJB2_Prop_Generic_Template, 0},
                               {cJB2_Prop_Symbol_Matching_Mode, cJB2_Matching_None},
                               {cJB2_Prop_Encoding_Mode, cJB2_Encoding_Lossless}});
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

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t pages = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    const std::string folder = CacheFolder();
    std::vector<Rows> rows;
    if (!LoadPages(folder, pages, rows))
        return 1;
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
        const Jbig2encRun run = TimeJbig2enc(jbig2enc, "", folder, pages, folder + "/jbig2enc.jb2");
        Result theirs{"jbig2enc generic", run.seconds, run.bytes};
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
