// Every input kept for the PDF fuzz targets (their seeds and every input
// that once failed) runs again here under the sanitizers.
#include "fuzz/PDFFuzzEntries.h"
#include "support/FuzzReplay.h"

namespace {

void Replay(const std::string& target, void (*entry)(const uint8_t*, size_t))
{
    ZAVTest::ReplayKeptFuzzInputs(target, entry);
}

TEST(PDFFuzzReplay, ObjectParserInputs)
{
    Replay("pdf_object_fuzzer", ZAVFuzz::ParsePDFObjects);
}

TEST(PDFFuzzReplay, FileInputs)
{
    Replay("pdf_file_fuzzer", ZAVFuzz::ParsePDFFile);
}

}  // namespace
