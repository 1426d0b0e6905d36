// Extracting the middle page of generated text documents through the
// program's own command (load, page copy, save), beside mutool and qpdf
// doing the same on the same file.
//
//   tool_extractpage_bench [page count ...]   (default 5000 50000)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchFiles.h"
#include "foundation/files/LogFile.h"
#include "foundation/text/TextException.h"
#include "tool/Commands.h"

namespace {

constexpr int kMostPagesForWholeDocumentQpdf = 10000;

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<int> counts = ZAVBench::PageCounts(argc, argv);
    const std::string base = "/tmp/tool_extractpage_bench_" + std::to_string(getpid());
    const std::string output = base + "_out.pdf";
    for (int pages : counts) {
        const std::string path = base + "_" + std::to_string(pages) + ".pdf";
        ZAVBench::WriteTextDocument(path, pages);
        const std::string page = std::to_string(pages / 2);
        ZAV::CLogFile log;  // no name: the log writes nothing
        std::remove(output.c_str());
        ZAVBench::Stopwatch clock;
        try {
            ZAV::ExtractPage(path, pages / 2, output, log);
        } catch (const CTextException& e) {
            std::fprintf(stderr, "error: %s\n", e.GetText());
            return 2;
        }
        const double ours = clock.Seconds();
        std::printf("extractpage of page %s of %d: %.3f s, peak memory %.1f MB\n", page.c_str(), pages, ours,
                    ZAVBench::PeakMegabytes());
        ZAVBench::PrintComparison("extractpage", ours, "mutool merge -o " + output + " " + path + " " + page);
        ZAVBench::PrintComparison("extractpage", ours,
                                  "qpdf --empty --pages " + path + " " + page + " -- " + output);
        // qpdf keeping the whole document around the page grows with the
        // square of the pages: past this size it runs for many minutes.
        if (pages <= kMostPagesForWholeDocumentQpdf)
            ZAVBench::PrintComparison("extractpage", ours,
                                      "qpdf " + path + " --pages " + path + " " + page + " -- " + output);
        std::remove(path.c_str());
        std::remove(output.c_str());
    }
    return 0;
}
