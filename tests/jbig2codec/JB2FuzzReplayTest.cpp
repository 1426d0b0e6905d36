// Replays every input the JBIG2 fuzz target ever found trouble with, and
// the test files themselves, through the fuzz target's own steps.
#include <gtest/gtest.h>

#include <filesystem>

#include "fuzz/JB2CompressFuzzEntries.h"
#include "fuzz/JB2FuzzEntries.h"
#include "support/FuzzReplay.h"
#include "support/TestSupport.h"

TEST(JB2FuzzReplay, KeptInputsEndWithoutACrashOrALeak)
{
    size_t replayed = 0;
    const struct {
        const char* folder;
        void (*decode)(const uint8_t*, size_t);
    } targets[] = {
        {"fuzz/jbig2codec_document_fuzzer", ZAVFuzz::DecodeJBIG2},
        {"jbig2", ZAVFuzz::DecodeJBIG2},
        {"fuzz/jbig2codec_globals_fuzzer", ZAVFuzz::DecodeGlobalsAndPage},
    };
    for (const auto& [folder, decode] : targets) {
        const std::filesystem::path path = ZAVTest::DataPath(folder);
        if (!std::filesystem::is_directory(path))
            continue;
        for (const auto& entry : std::filesystem::directory_iterator(path)) {
            if (!entry.is_regular_file() || entry.path().extension() == ".pbm" || entry.path().extension() == ".md")
                continue;
            const auto bytes = ZAVTest::ReadBytes(entry.path().string());
            SCOPED_TRACE(entry.path().string());
            decode(bytes.data(), bytes.size());
            ++replayed;
        }
    }
    EXPECT_GT(replayed, 0u);
}

TEST(JB2FuzzReplay, KeptCompressionInputsComeBackUnchanged)
{
    ZAVTest::ReplayKeptFuzzInputs("jbig2codec_compress_fuzzer", ZAVFuzz::CompressAndCheck);
}
