// Replays every input kept for a fuzz target (its seeds and every input
// that once failed, under tests/data/fuzz/TARGET) under the sanitizers.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace ZAVTest {

// The kept inputs of a target, in name order.
inline std::vector<std::string> KeptFuzzInputs(const std::string& target)
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(DataPath("fuzz/" + target)))
        if (entry.is_regular_file())
            files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// Runs the target's entry over each kept input; a target without inputs fails.
inline void ReplayKeptFuzzInputs(const std::string& target, const std::function<void(const uint8_t*, size_t)>& entry)
{
    const std::vector<std::string> files = KeptFuzzInputs(target);
    ASSERT_FALSE(files.empty()) << target;
    for (const std::string& file : files) {
        SCOPED_TRACE(file);
        const std::vector<uint8_t> bytes = ReadBytes(file);
        entry(bytes.data(), bytes.size());
    }
}

}  // namespace ZAVTest
