// What the JPEG 2000 fuzz targets do with one input, shared with the test
// that replays every input kept under tests/data/fuzz/: read the boxes and
// main header (with its comments and metadata), and, for the whole decode
// path, decode pictures below a small pixel count. Any status is fine; a
// crash, a hang or a leak is not.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "outside/kvw_jp2/kvw_jp2.h"

namespace ZAVFuzz {

// The largest picture the decode target decodes (grid samples over all components).
constexpr uint64_t kMaxJP2FuzzSamples = 1u << 20;

struct JP2Input {
    const uint8_t* data;
    size_t size;
};

inline void* JP2Alloc(uint32_t size, void*)
{
    return std::malloc(size);
}

inline int32_t JP2Free(void* block, void*)
{
    std::free(block);
    return 0;
}

inline uint32_t JP2Read(uint8_t* buffer, uint32_t offset, uint32_t size, void* user)
{
    const auto* input = static_cast<const JP2Input*>(user);
    if (offset >= input->size)
        return 0;
    const size_t available = input->size - offset;
    const uint32_t n = available < size ? static_cast<uint32_t>(available) : size;
    std::memcpy(buffer, input->data + offset, n);
    return n;
}

inline int32_t JP2TakeSamples(const uint8_t* samples, uint32_t, uint32_t, uint32_t, uint32_t count, void* user)
{
    // Touch the first and last sample so that a short row shows.
    if (count > 0)
        *static_cast<uint8_t*>(user) ^= static_cast<uint8_t>(samples[0] ^ samples[count - 1]);
    return 0;
}

inline void TouchMetadata(JP2_Decomp_Handle handle)
{
    uint32_t count = 0;
    const uint8_t* data = nullptr;
    uint32_t size = 0;
    JP2_Decompress_GetCOM_Num(handle, &count);
    for (uint32_t i = 0; i < count; ++i)
        JP2_Decompress_GetCOM_Data(handle, i, &data, &size);
    JP2_Decompress_GetUUID_Info_Num(handle, &count);
    for (uint32_t i = 0; i < count; ++i) {
        const JP2_UUID_Text* ids = nullptr;
        const char* url = nullptr;
        JP2_Decompress_GetUUID_Info_Data(handle, i, &ids, &size, &url);
    }
    const JP2_Palette* palette = nullptr;
    JP2_Decompress_GetPalette(handle, &palette);
    double x = 0, y = 0;
    JP2_Decompress_GetResolution(handle, &x, &y, nullptr, 0, 1);
}

// Opens the data, reads what the boxes and main header hold; decodes when decode is set and the picture is small.
inline void ReadJP2(const uint8_t* data, size_t size, bool decode)
{
    JP2Input input = {data, size};
    JP2_Decomp_Handle handle = nullptr;
    if (JP2_Decompress_Start(&handle, JP2Alloc, nullptr, JP2Free, nullptr, JP2Read, &input) != 0)
        return;
    TouchMetadata(handle);
    int32_t components = 0, width = 0, height = 0;
    JP2_Decompress_GetProp(handle, cJP2_Prop_Components, &components, 0, 0);
    JP2_Decompress_GetProp(handle, cJP2_Prop_Width, &width, 0, 0);
    JP2_Decompress_GetProp(handle, cJP2_Prop_Height, &height, 0, 0);
    const uint64_t samples = uint64_t(uint32_t(width)) * uint32_t(height) * uint32_t(components);
    if (decode && samples <= kMaxJP2FuzzSamples) {
        uint8_t sum = 0;
        JP2_Decompress_SetProp(handle, cJP2_Prop_Decomp_Output_User, reinterpret_cast<intptr_t>(&sum));
        JP2_Decompress_SetProp(handle, cJP2_Prop_Decomp_Output_Callback, reinterpret_cast<intptr_t>(JP2TakeSamples));
        JP2_Decompress_Image(handle);
    }
    JP2_Decompress_End(handle);
}

}  // namespace ZAVFuzz
