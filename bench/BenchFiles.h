// What the benchmarks share: generated text documents written by the
// library's own writer, a clock, and timing another tool on the same file.
#pragma once

#include <sys/resource.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <boost/make_shared.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <algorithm>
#include <vector>

#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"

namespace ZAVBench {

inline boost::shared_ptr<ZAVPDF::CPDFRef> ReferenceTo(ZAVPDF::CPDFDocument& document,
                                                      const boost::shared_ptr<ZAVPDF::CPDFObject>& object)
{
    boost::shared_ptr<ZAVPDF::CPDFRef> reference =
        ZAVPDF::CreatePDFRef(&document, object->GetObjectNumber(), object->GetGenerationNumber());
    reference->SetCachedObject(object);
    return reference;
}

// A document of pageCount pages, each with a line of text in one shared
// font and a content stream of its own.
inline void WriteTextDocument(const std::string& path, int pageCount)
{
    using namespace ZAVPDF;
    boost::shared_ptr<CPDFDocument> document = boost::make_shared<CPDFDocument>();
    boost::shared_ptr<CPDFDictionary> font = CreatePDFDictionary(document.get());
    font->SetName("/Type", "/Font");
    font->SetName("/Subtype", "/Type1");
    font->SetName("/BaseFont", "/Helvetica");
    boost::shared_ptr<CPDFObject> fontObject = document->AddObject(font);
    for (int i = 0; i < pageCount; ++i) {
        boost::shared_ptr<CPDFObject> content = document->AddObject(CreatePDFDictionary(document.get()));
        const std::string text =
            "BT /F1 24 Tf 72 700 Td (Page " + std::to_string(i + 1) + " of a generated text) Tj ET";
        content->SetStreamData(reinterpret_cast<const unsigned char*>(text.data()), static_cast<int>(text.size()));
        boost::shared_ptr<CPDFDictionary> fonts = CreatePDFDictionary(document.get());
        fonts->Set("/F1", ReferenceTo(*document, fontObject));
        boost::shared_ptr<CPDFDictionary> resources = CreatePDFDictionary(document.get());
        resources->Set("/Font", fonts);
        boost::shared_ptr<CPDFDictionary> page = CreatePDFDictionary(document.get());
        page->SetName("/Type", "/Page");
        page->Set("/MediaBox", CreatePDFArrayOf4Reals(document.get(), 0, 0, 612, 792));
        page->Set("/Resources", resources);
        page->Set("/Contents", ReferenceTo(*document, content));
        document->AddPage()->SetPageObject(document->AddObject(page));
    }
    std::ofstream out(path, std::ios::binary);
    document->Write(out);
}

// WriteTextDocument in a child process of its own. A process started later
// inherits the memory high-water mark of the one that forks it, so the bench
// itself must never hold a large document: its peak would hide the measured
// tool's own.
inline bool WriteTextDocumentApart(const std::string& path, int pageCount)
{
    const pid_t child = fork();
    if (child < 0)
        return false;
    if (child == 0) {
        WriteTextDocument(path, pageCount);
        _exit(0);
    }
    int status = 0;
    return waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

class Stopwatch {
public:
    double Seconds() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - m_start).count(); }

private:
    std::chrono::steady_clock::time_point m_start = std::chrono::steady_clock::now();
};

// Seconds the shell command takes, or a negative value when it fails (a
// tool that is not installed).
inline double TimeCommand(const std::string& command)
{
    Stopwatch clock;
    const int status = std::system((command + " >/dev/null 2>&1").c_str());
    return status == 0 ? clock.Seconds() : -1.0;
}

inline void PrintComparison(const char* what, double ours, const std::string& command)
{
    const double theirs = TimeCommand(command);
    if (theirs < 0)
        std::printf("  %-48s not available\n", command.c_str());
    else
        std::printf("  %-48s %8.3f s   %s / it = %.2f\n", command.c_str(), theirs, what, ours / theirs);
    std::fflush(stdout);
}

// The page counts given on the command line, else 5,000 and 50,000.
inline std::vector<int> PageCounts(int argc, char** argv)
{
    std::vector<int> counts;
    for (int i = 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {5000, 50000};
    return counts;
}

inline double PeakMegabytes()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

// One whole process as a user runs it: its wall time and its peak resident
// memory (the kernel's own figure for the child, so libraries and the mapped
// input count as they would for the user).
struct ProcessFigures {
    bool ok = false;
    double seconds = 0;
    double peakMegabytes = 0;
};

inline ProcessFigures RunProcess(const std::string& command)
{
    ProcessFigures figures;
    const Stopwatch clock;
    const pid_t child = fork();
    if (child < 0)
        return figures;
    if (child == 0) {
        const std::string quiet = command + " >/dev/null 2>&1";
        execl("/bin/sh", "sh", "-c", quiet.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (wait4(child, &status, 0, &usage) != child)
        return figures;
    figures.seconds = clock.Seconds();
    figures.peakMegabytes = usage.ru_maxrss / 1024.0;  // kilobytes on Linux
    figures.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return figures;
}

// The median wall time of rounds runs and the highest peak memory among them.
inline ProcessFigures MedianRun(const std::string& command, int rounds)
{
    std::vector<double> times;
    ProcessFigures result;
    result.ok = true;
    for (int i = 0; i < rounds; ++i) {
        const ProcessFigures run = RunProcess(command);
        result.ok = result.ok && run.ok;
        times.push_back(run.seconds);
        result.peakMegabytes = std::max(result.peakMegabytes, run.peakMegabytes);
    }
    std::sort(times.begin(), times.end());
    result.seconds = times.empty() ? 0 : times[times.size() / 2];
    return result;
}

// Ours beside a peer on the same input: median times, their ratio and both
// peak memory figures, one line.
inline void PrintSideBySide(const std::string& what, const std::string& ours, const std::string& peer, int rounds)
{
    const ProcessFigures mine = MedianRun(ours, rounds);
    const ProcessFigures theirs = MedianRun(peer, rounds);
    if (!mine.ok || !theirs.ok) {
        std::printf("  %-34s failed (%s%s)\n", what.c_str(), mine.ok ? "" : "ours ", theirs.ok ? "" : "peer");
        std::fflush(stdout);
        return;
    }
    std::printf("  %-34s ours %8.3f s %7.1f MiB | peer %8.3f s %7.1f MiB | ratio %.2f\n", what.c_str(), mine.seconds,
                mine.peakMegabytes, theirs.seconds, theirs.peakMegabytes, mine.seconds / theirs.seconds);
    std::fflush(stdout);
}

inline double FileMegabytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    return file ? static_cast<double>(file.tellg()) / (1024.0 * 1024.0) : 0;
}

// The program beside the benchmarks in the release build.
inline std::string ProgramPath(const char* argv0)
{
    std::string folder = argv0;
    const size_t slash = folder.rfind('/');
    folder = slash == std::string::npos ? std::string(".") : folder.substr(0, slash);
    return folder + "/ZAVPdf";
}

}  // namespace ZAVBench
