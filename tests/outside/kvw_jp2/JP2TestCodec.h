// Drives the JP2_ functions over byte vectors for the tests, and runs the
// independent checkers (opj_decompress) on what they write.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "outside/kvw_jp2/kvw_jp2.h"

namespace JP2Test {

struct Plane {
    uint32_t width = 0;
    uint32_t height = 0;
    int32_t bits = 0;
    bool isSigned = false;
    std::vector<uint32_t> samples;
};

struct Decoded {
    JP2_Error status = 0;
    int32_t colourSpace = 0;
    std::vector<Plane> planes;
};

// Opens and decodes; delivery is property 21. Stops after opening when decode is false.
Decoded DecodeJP2(const std::vector<uint8_t>& bytes, int32_t delivery = 0, bool decode = true);

// Runs a function on an open decompression handle; the status of the start.
JP2_Error WithDecoder(const std::vector<uint8_t>& bytes, const std::function<void(JP2_Decomp_Handle)>& use);

struct EncodeRequest {
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t components = 3;      // samples per pixel in pixels
    std::vector<uint8_t> pixels;  // interleaved
    std::vector<std::pair<int32_t, intptr_t>> properties;
    std::function<void(JP2_Comp_Handle)> before;  // metadata and palette calls
};

JP2_Error EncodeJP2(const EncodeRequest& request, std::vector<uint8_t>& out);

// A pattern of the given depth over width x height x components, interleaved.
std::vector<uint32_t> Pattern(uint32_t width, uint32_t height, uint32_t components, uint32_t bits);

// opj_decompress's raw output of a file: planar, big-endian above 8 bits.
std::vector<uint8_t> OpjRaw(const std::string& path, const std::string& options = "");

}  // namespace JP2Test
