// What the JBIG2 plug-in's fuzz target does with one input, shared with the
// test that replays every input kept under tests/data/fuzz/: the file facts,
// then a load through LoadPictureFromMem as the host calls it, of pages up to
// a small scan. Any result is fine; a crash, a hang or a leak is not.
#pragma once

#include <cstddef>
#include <cstdint>

#include "formats/FilterInterface.h"
#include "platform/GlobalMem.h"

namespace ZAVFuzz {

// The largest page the load decodes: decoding costs time by the pixel.
constexpr uint64_t kMaxJbig2PluginPixels = 1u << 22;

inline void LoadJbig2Picture(FilterGetFileInfoFromMem* facts, FilterLoadPictureFromMem* load, const uint8_t* data,
                             size_t size)
{
    if (size == 0 || size > UINT32_MAX)
        return;
    char error[kFilterTextBufferSize] = {};
    FilterImageInfo info = {};
    if (facts(data, static_cast<uint32_t>(size), &info, error) == 0)
        return;
    const uint64_t pixels = uint64_t(uint32_t(info.width)) * uint32_t(info.height);
    if (pixels > kMaxJbig2PluginPixels)
        return;
    HGLOBAL block = nullptr, palette = nullptr;
    uint32_t blockBytes = 0, paletteBytes = 0;
    int32_t isDib = 0;
    if (load(data, static_cast<uint32_t>(size), &block, &blockBytes, &isDib, &palette, &paletteBytes, &info, error)) {
        GlobalFree(block);
        GlobalFree(palette);
    }
}

}  // namespace ZAVFuzz
