// The syntax check of generated text documents as a user runs it (the whole
// program, with its log), beside qpdf --check on the same file: median wall
// time of a few runs, their ratio and both peak memory figures.
//
//   tool_syntaxcheck_bench [page count ...]   (default 1000 5000 50000)
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "tool/SyntaxCheck.h"

namespace {

constexpr int kRounds = 3;

}  // namespace

int main(int argc, char** argv)
{
    std::vector<int> counts = ZAVBench::PageCounts(argc, argv);
    if (argc < 2)
        counts = {1000, 5000, 50000};
    const std::string program = ZAVBench::ProgramPath(argv[0]);
    const std::string base = "/tmp/tool_syntaxcheck_bench_" + std::to_string(getpid());
    const std::string log = base + "_log.txt";
    for (int pages : counts) {
        const std::string path = base + "_" + std::to_string(pages) + ".pdf";
        ZAVBench::WriteTextDocumentApart(path, pages);
        const std::string texts = ZAV::MakePageTextFileName(path);
        // The page text file grows with every run: each run starts without it.
        const std::string ours = "rm -f " + texts + " && " + program + " -s -f " + path + " -o " + log;
        ZAVBench::PrintSideBySide("syntaxcheck, " + std::to_string(pages) + " pages", ours, "qpdf --check " + path,
                                  kRounds);
        std::remove(path.c_str());
        std::remove(texts.c_str());
        std::remove(log.c_str());
    }
    return 0;
}
