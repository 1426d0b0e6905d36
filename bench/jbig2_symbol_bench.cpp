// Compresses the encode bench's A4 pages through JB2_Compress_* with the
// symbol path: matching mode 1 lossless, mode 1 lossy at quality 5 and mode
// 2, against the generic arithmetic coding of the same pages; with JBIG2ENC
// naming a jbig2enc binary, against its symbol mode (`jbig2enc -s`) too.
// Prints the time per page and the total size of each, and the ratios.
//
//   jbig2_symbol_bench [pages, default 100]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/JB2EncodePages.h"
#include "jbig2codec/kvd_jb2.h"

namespace {

using namespace JB2EncodePages;

struct Choice {
    const char* name;
    uint32_t matching;
    uint32_t encoding;
};

struct Result {
    std::string name;
    double seconds = 0;
    size_t bytes = 0;
    uint32_t failures = 0;
};

// One page as a JBIG2 file with arithmetic coding and templates 0; its size, 0 on failure.
size_t Compress(const Rows& rows, const Choice& choice)
{
    return CompressPage(rows, {{cJB2_Prop_Bitmap_Coder, cJB2_Coder_Arithmetic},
                               {cJB2_Prop_Generic_Template, 0},
                               {cJB2_Prop_Text_Template, 0},
                               {cJB2_Prop_Symbol_Matching_Mode, choice.matching},
                               {cJB2_Prop_Encoding_Mode, choice.encoding}});
}

void Print(const Result& r, uint32_t pages)
{
    std::printf("  %-30s %8.1f ms/page   %10zu bytes (%7.1f KB/page)%s\n", r.name.c_str(), 1000 * r.seconds / pages,
                r.bytes, r.bytes / 1024.0 / pages, r.failures ? "  SOME PAGES FAILED" : "");
}

Result Measure(const std::vector<Rows>& pages, const Choice& choice)
{
    Result result;
    result.name = choice.name;
    const auto start = std::chrono::steady_clock::now();
    for (const Rows& page : pages) {
        const size_t bytes = Compress(page, choice);
        result.bytes += bytes;
        result.failures += bytes == 0;
    }
    result.seconds = Seconds(start);
    return result;
}

// Every result against the reference: size and time ratios.
void PrintRatios(const std::vector<Result>& results, const Result& reference)
{
    std::printf("against %s:\n", reference.name.c_str());
    for (const Result& r : results)
        std::printf("  %-30s size %.3f  time %.2f\n", r.name.c_str(), double(r.bytes) / reference.bytes,
                    r.seconds / reference.seconds);
}

}  // namespace

int main(int argc, char** argv)
{
    const uint32_t count = argc > 1 ? uint32_t(std::atoi(argv[1])) : 100;
    const std::string folder = CacheFolder();
    std::vector<Rows> pages;
    if (!LoadPages(folder, count, pages))
        return 1;
    const Choice choices[] = {
        {"generic arithmetic", cJB2_Matching_None, cJB2_Encoding_Lossless},
        {"mode 1 lossless", cJB2_Matching_Efficient, cJB2_Encoding_Lossless},
        {"mode 1 lossy, quality 5", cJB2_Matching_Efficient, cJB2_Encoding_Lossy},
        {"mode 2 lossless", cJB2_Matching_Single_Dictionary, cJB2_Encoding_Lossless},
    };
    std::vector<Result> results;
    for (const Choice& choice : choices)
        results.push_back(Measure(pages, choice));
    std::printf("%u pages of %u x %u at 300 dpi:\n", count, kWidth, kHeight);
    for (const Result& r : results)
        Print(r, count);
    const char* jbig2enc = std::getenv("JBIG2ENC");
    if (jbig2enc && *jbig2enc) {
        const Jbig2encRun run = TimeJbig2enc(jbig2enc, "-s", folder, count, folder + "/jbig2enc-s.jb2");
        Result theirs;
        theirs.name = "jbig2enc -s";
        theirs.seconds = run.seconds;
        theirs.bytes = run.bytes;
        Print(theirs, count);
        PrintRatios(results, theirs);
    } else {
        std::printf("  jbig2enc: not measured (set JBIG2ENC to a jbig2enc binary)\n");
        PrintRatios(results, results[0]);
    }
    return 0;
}
