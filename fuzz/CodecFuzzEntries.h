// What the codec fuzz targets do with one input, shared with the test that
// replays every input kept under tests/data/fuzz/: the bytes are loaded as a
// picture of one format through the image object. A refusal is a text
// exception; anything else (a crash, undefined behaviour, a leak) fails.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAVFuzz {

inline void LoadPicture(const uint8_t* data, size_t size, int format)
{
    ZAV::CZAVImg image;
    try {
        image.LoadFromMemory(data, static_cast<int64_t>(size), format);
    } catch (const CTextException&) {
    }
}

}  // namespace ZAVFuzz
