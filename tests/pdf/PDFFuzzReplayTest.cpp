// Every input kept for the PDF fuzz targets (their seeds and every input
// that once failed) runs again here under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/PDFFuzzEntries.h"
#include "support/TestSupport.h"

namespace {

std::vector<std::string> KeptInputs(const std::string& target)
{
    std::vector<std::string> files;
    std::filesystem::path folder = ZAVTest::DataPath("fuzz/" + target);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    return files;
}

void Replay(const std::string& target, void (*entry)(const uint8_t*, size_t))
{
    std::vector<std::string> files = KeptInputs(target);
    ASSERT_FALSE(files.empty()) << target;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        std::vector<uint8_t> bytes = ZAVTest::ReadBytes(file);
        entry(bytes.data(), bytes.size());
    }
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
