// Compresses the encode bench's A4 pages through JB2_Compress_* with the
// symbol path: matching mode 1 lossless, mode 1 lossy at quality 5 and mode
// 2, against the generic arithmetic coding of the same pages; with JBIG2ENC
// naming a jbig2enc binary, against its symbol mode (`jbig2enc -s`) too.
// Prints the time per page and the total size of each, and the ratios.
//
// With `pdf` it times instead whole processes on scan-like pages written as
// Group 4 TIFFs: the program (`ZAVPdf -i`, beside this bench, with a log)
// against `tiffcp -c g4` re-coding the same TIFFs in one process, each run
// a few times; it prints the median times, their ratio and both peak RSS
// figures. With ZAVPDF_REFERENCE naming a folder that holds another build
// of the program, it also tells whether that build writes the same PDF
// (the creation and modification dates aside).
//
//   jbig2_symbol_bench [pages, default 100]
//   jbig2_symbol_bench pdf [pages, default 100] [runs, default 3]
#include <malloc.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <regex>
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

struct ProcessRun {
    double seconds = -1;  // negative when the process failed
    double peakMegabytes = 0;
};

// Runs the program with its arguments as a child process: wall time and peak RSS.
ProcessRun RunProcess(const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ProcessRun run;
    std::fflush(stdout);  // else the child's stdout would write what is buffered once more
    const auto start = std::chrono::steady_clock::now();
    const pid_t child = fork();
    if (child == 0) {
        freopen("/dev/null", "w", stdout);
        freopen("/dev/null", "w", stderr);
        execvp(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    struct rusage usage = {};
    if (child < 0 || wait4(child, &status, 0, &usage) != child)
        return run;
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        run.seconds = Seconds(start);
    run.peakMegabytes = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
    return run;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A PDF without its creation and modification dates.
std::string Dateless(const std::string& pdf)
{
    return std::regex_replace(pdf, std::regex("\\(D:[0-9]{14}"), "(D:");
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

std::string ProgramFolder()
{
    char self[4096] = {};
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    const std::string path = n > 0 ? std::string(self, size_t(n)) : std::string("./x");
    return path.substr(0, path.rfind('/'));
}

// The whole-process comparison on scan-like pages as Group 4 TIFFs.
int ComparePdf(uint32_t count, uint32_t runs)
{
    const std::string folder = CacheFolder(true);
    std::vector<Rows> pages;
    if (!LoadPages(folder, count, pages, true))
        return 1;
    const std::string work = "/tmp/jbig2_symbol_bench_" + std::to_string(getpid());
    const std::string tiffs = work + "/tif";
    std::system(("mkdir -p " + tiffs).c_str());
    std::vector<std::string> peer = {"tiffcp", "-c", "g4"};
    size_t tiffBytes = 0;
    for (uint32_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof(name), "/p%03u.tif", i + 1);
        tiffBytes += CompressGroup4(pages[i], tiffs + name);
        peer.push_back(tiffs + name);
    }
    // A child's peak RSS counts what the forked copy of this process held
    // before its exec: the pages' memory goes back to the system first.
    pages.clear();
    pages.shrink_to_fit();
    malloc_trim(0);
    peer.push_back(work + "/tiffcp.tif");
    const std::vector<std::string> ours = {ProgramFolder() + "/ZAVPdf",
                                           "-i",
                                           "-f",
                                           work + "/ours.pdf",
                                           "-w",
                                           tiffs,
                                           "-m",
                                           "*.tif",
                                           "-o",
                                           work + "/log.txt"};
    std::vector<double> ourTimes, peerTimes;
    double ourPeak = 0, peerPeak = 0;
    bool failed = false;
    for (uint32_t r = 0; r < runs; ++r) {
        const ProcessRun a = RunProcess(ours), b = RunProcess(peer);
        failed = failed || a.seconds < 0 || b.seconds < 0;
        ourTimes.push_back(a.seconds);
        peerTimes.push_back(b.seconds);
        ourPeak = std::max(ourPeak, a.peakMegabytes);
        peerPeak = std::max(peerPeak, b.peakMegabytes);
    }
    const double mine = Median(ourTimes), theirs = Median(peerTimes);
    std::printf("%u scan-like pages of %u x %u at 300 dpi as Group 4 TIFFs (%zu bytes), %u runs each:\n", count, kWidth,
                kHeight, tiffBytes, runs);
    std::printf("  ZAVPdf -i -o log.txt      %8.3f s median (%6.1f ms/page), peak RSS %6.1f MB, PDF %zu bytes\n", mine,
                1000 * mine / count, ourPeak, ReadFile(work + "/ours.pdf").size());
    std::printf("  tiffcp -c g4              %8.3f s median (%6.1f ms/page), peak RSS %6.1f MB\n", theirs,
                1000 * theirs / count, peerPeak);
    std::printf("  time ZAVPdf / tiffcp = %.2f%s\n", mine / theirs, failed ? "  (SOME RUNS FAILED)" : "");
    const char* reference = std::getenv("ZAVPDF_REFERENCE");
    if (reference && *reference) {
        std::vector<std::string> theirsBuild = ours;
        theirsBuild[0] = std::string(reference) + "/ZAVPdf";
        theirsBuild[3] = work + "/reference.pdf";
        const ProcessRun run = RunProcess(theirsBuild);
        const bool same =
            run.seconds >= 0 && Dateless(ReadFile(work + "/ours.pdf")) == Dateless(ReadFile(work + "/reference.pdf"));
        std::printf("  reference build (%s): %.3f s, PDF %s\n", reference, run.seconds,
                    same ? "the same bytes" : "DIFFERENT");
    }
    std::system(("rm -rf " + work).c_str());
    return failed ? 2 : 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "pdf") == 0)
        return ComparePdf(argc > 2 ? uint32_t(std::atoi(argv[2])) : 100, argc > 3 ? uint32_t(std::atoi(argv[3])) : 3);
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
