// Every input kept for the codec fuzz targets (seeds and every input that
// once failed) runs again here under the sanitizers.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "formats/registry/ImgFormat.h"
#include "fuzz/CodecFuzzEntries.h"
#include "support/TestSupport.h"

namespace {

void ReplayAll(const std::string& target, int format)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(ZAVTest::DataPath("fuzz/" + target)))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    ASSERT_FALSE(files.empty());
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = ZAVTest::ReadBytes(file);
        ZAVFuzz::LoadPicture(bytes.data(), bytes.size(), format);
    }
}

TEST(CodecFuzzReplay, BmpInputs)
{
    ReplayAll("image_bmp_fuzzer", ZAV::zavifBMP);
}

TEST(CodecFuzzReplay, JbigInputs)
{
    ReplayAll("image_jbig_fuzzer", ZAV::zavifJBIG);
}

}  // namespace
