// Helpers of the pixel kernel tests: random images, the error text, and
// numbers printed by Python for comparison.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "image/kernels/ImgKernels.h"

namespace ZAVTest {

// size random bytes, the same for the same seed.
inline std::vector<uint8_t> RandomBytes(size_t size, uint32_t seed)
{
    std::mt19937 generator(seed);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<uint8_t> bytes(size);
    for (uint8_t& value : bytes)
        value = static_cast<uint8_t>(byte(generator));
    return bytes;
}

// The kernel context's error text.
inline std::string ErrorText(const ZAV::CImgKernels& kernels)
{
    const char* text = kernels.GetErrorText().GetText();
    return text ? text : "";
}

// Runs a Python program with the system's Python (which owns Debian's
// modules) and returns the whitespace-separated numbers it prints. A
// failing run gives an empty list, and the caller's size check fails.
std::vector<double> PythonNumbers(const std::string& program);

// The program's source text of a byte list, as a Python bytes literal.
std::string PythonBytes(const std::vector<uint8_t>& bytes);

}  // namespace ZAVTest
