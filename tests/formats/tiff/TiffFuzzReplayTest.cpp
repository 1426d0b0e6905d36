// Every input kept for the TIFF fuzz target (seeds and every input that
// once failed) runs again here under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/TiffFuzzEntries.h"
#include "support/TestSupport.h"

TEST(TiffFuzzReplay, KeptInputsDecodeOrFailCleanly)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ZAVTest::DataPath("fuzz/image_tiff_fuzzer")))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = ZAVTest::ReadBytes(file);
        ZAVFuzz::DecodeTiff(bytes.data(), bytes.size());
    }
}
