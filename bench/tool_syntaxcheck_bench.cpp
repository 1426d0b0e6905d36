// The syntax check of generated text documents through the program's own
// command (load, listing, page texts), beside qpdf --check on the same file.
//
//   tool_syntaxcheck_bench [page count ...]   (default 5000 50000)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "foundation/files/LogFile.h"
#include "foundation/text/TextException.h"
#include "tool/Commands.h"
#include "tool/SyntaxCheck.h"

int main(int argc, char** argv)
{
    const std::vector<int> counts = ZAVBench::PageCounts(argc, argv);
    const std::string base = "/tmp/tool_syntaxcheck_bench_" + std::to_string(getpid());
    for (int pages : counts) {
        const std::string path = base + "_" + std::to_string(pages) + ".pdf";
        ZAVBench::WriteTextDocument(path, pages);
        ZAV::CLogFile log;  // no name: the log writes nothing
        ZAVBench::Stopwatch clock;
        try {
            ZAV::SyntaxCheck(path, log);
        } catch (const CTextException& e) {
            std::fprintf(stderr, "error: %s\n", e.GetText());
            return 2;
        }
        const double ours = clock.Seconds();
        std::printf("syntaxcheck of %d pages: %.3f s (%.1f us per page), peak memory %.1f MB\n", pages, ours,
                    ours * 1e6 / pages, ZAVBench::PeakMegabytes());
        ZAVBench::PrintComparison("syntaxcheck", ours, "qpdf --check " + path);
        std::remove(path.c_str());
        std::remove(ZAV::MakePageTextFileName(path).c_str());
    }
    return 0;
}
