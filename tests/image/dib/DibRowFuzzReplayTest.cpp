// Every input kept for the image fuzz targets (their seeds and every input
// that once failed) runs again here under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fuzz/ImageFuzzEntries.h"
#include "support/TestSupport.h"

namespace {

TEST(ImageFuzzReplay, DibRowInputs)
{
    const std::filesystem::path folder = ZAVTest::DataPath("fuzz/image_dibrow_fuzzer");
    int replayed = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file())
            continue;
        SCOPED_TRACE(entry.path().string());
        const std::vector<uint8_t> bytes = ZAVTest::ReadBytes(entry.path().string());
        ZAVFuzz::ConvertDibRow(bytes.data(), bytes.size());
        ++replayed;
    }
    EXPECT_GT(replayed, 0);
}

}  // namespace
