// What the GIF and PSD fuzz targets do with one input, shared with the test
// that replays every input kept under tests/data/fuzz/: the first frames
// (GIF frames, the merged PSD image and its first layers) are loaded one by
// one. A refusal is a text exception; anything else fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAVFuzz {

// Frames past the first few cost the same paths again.
constexpr int kFuzzFramesLoaded = 3;

inline void LoadFrames(const uint8_t* data, size_t size, int format)
{
    for (int frame = 0; frame < kFuzzFramesLoaded; ++frame) {
        ZAV::CZAVImg image;
        image.m_pageIndex = frame;
        try {
            image.LoadFromMemory(data, static_cast<int64_t>(size), format);
        } catch (const CTextException&) {
        }
    }
}

}  // namespace ZAVFuzz
