// Extracting the middle page of generated text documents as a user runs it
// (the whole program, with its log), beside mutool merge doing the same on
// the same file: median wall time, the ratio and both peak memory figures.
//
//   tool_extractpage_bench [page count ...]   (default 5000 50000)
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchFiles.h"

namespace {

constexpr int kRounds = 5;

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<int> counts = ZAVBench::PageCounts(argc, argv);
    const std::string program = ZAVBench::ProgramPath(argv[0]);
    const std::string base = "/tmp/tool_extractpage_bench_" + std::to_string(getpid());
    const std::string output = base + "_out.pdf";
    const std::string log = base + "_log.txt";
    for (int pages : counts) {
        const std::string path = base + "_" + std::to_string(pages) + ".pdf";
        ZAVBench::WriteTextDocumentApart(path, pages);
        const std::string page = std::to_string(pages / 2);
        const std::string ours = program + " -p -f " + path + " -g " + page + " -z " + output + " -o " + log;
        ZAVBench::PrintSideBySide("extractpage, page " + page + " of " + std::to_string(pages), ours,
                                  "mutool merge -o " + output + " " + path + " " + page, kRounds);
        std::remove(path.c_str());
        std::remove(output.c_str());
        std::remove(log.c_str());
    }
    return 0;
}
