// Opens a generated PDF file of many objects the way the program does (the
// document object's Load) and resolves every object: prints objects per
// second and the peak memory of the process.
//
//   interfaces_open_bench [object count, default 50000]
#include <sys/resource.h>
#include <unistd.h>

#include <boost/make_shared.hpp>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/document/PDFCrt.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/document/PDFPage.h"
#include "pdf/objects/PDFRef.h"

using namespace ZAVPDF;

namespace {

// Half the objects are pages, half their content streams.
void WriteFile(const std::string& path, int objectCount)
{
    boost::shared_ptr<CPDFDocument> document = boost::make_shared<CPDFDocument>();
    for (int i = 0; i < objectCount / 2; ++i) {
        boost::shared_ptr<CPDFObject> content = document->AddObject(CreatePDFDictionary(document.get()));
        std::string drawing = "0 0 m " + std::to_string(i % 500) + " 100 l S";
        content->SetStreamData(reinterpret_cast<const unsigned char*>(drawing.data()),
                               static_cast<int>(drawing.size()));
        boost::shared_ptr<CPDFDictionary> page = CreatePDFDictionary(document.get());
        page->SetName("/Type", "/Page");
        page->Set("/MediaBox", CreatePDFArrayOf4Reals(document.get(), 0, 0, 612, 792));
        boost::shared_ptr<CPDFRef> contents = CreatePDFRef(document.get(), content->GetObjectNumber(), 0);
        contents->SetCachedObject(content);
        page->Set("/Contents", contents);
        document->AddPage()->SetPageObject(document->AddObject(page));
    }
    std::ofstream out(path, std::ios::binary);
    document->Write(out);
}

double PeakMegabytes()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss / 1024.0;  // kilobytes on Linux
}

}  // namespace

int main(int argc, char** argv)
{
    int objectCount = argc > 1 ? std::atoi(argv[1]) : 50000;
    if (objectCount < 2)
        objectCount = 2;
    std::string path = "/tmp/pdf_open_bench_" + std::to_string(getpid()) + ".pdf";
    try {
        WriteFile(path, objectCount);
        const double afterWriting = PeakMegabytes();

        auto start = std::chrono::steady_clock::now();
        ZAV::CZAVPdfDocument loaded;
        loaded.Load(path);
        boost::shared_ptr<CPDFDocument> document = loaded.GetDocument();
        std::vector<boost::shared_ptr<CPDFRef>> references;
        int resolved = 0;
        // Every number of the file's table, each object under its own.
        const int size = document->GetFileTrailer()->GetInteger("/Size", true)->GetInteger();
        references.reserve(static_cast<size_t>(size));
        for (int number = 1; number < size; ++number) {
            references.push_back(boost::make_shared<CPDFRef>(document.get(), number, 0));
            if (references.back()->GetReferencedObject(nullptr, false)->HasInnerObject())
                ++resolved;
        }
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

        std::printf("file: %d objects, %d pages\n", size - 1, document->GetPageCount());
        std::printf("opened and resolved %d objects in %.3f s: %.0f objects per second\n", resolved, seconds,
                    resolved / seconds);
        std::printf("peak memory: %.1f MB (%.1f MB after writing the file)\n", PeakMegabytes(), afterWriting);
        document.reset();
        references.clear();
    } catch (const CTextException& e) {
        std::fprintf(stderr, "error: %s\n", e.GetText());
        std::remove(path.c_str());
        return 2;
    }
    std::remove(path.c_str());
    return 0;
}
