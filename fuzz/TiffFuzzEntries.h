// What the TIFF fuzz target does with one input, shared with the test that
// replays every input kept under tests/data/fuzz/image_tiff_fuzzer/. Each
// input must load or fail with a text, never crash.
#pragma once

#include <cstddef>
#include <cstdint>

#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAVFuzz {

// The bytes as a TIFF: the page count, then a load of page 0 (or page 1),
// with 16-bit samples kept or reduced by the input's length.
inline void DecodeTiff(const uint8_t* data, size_t size)
{
    ZAV::CZAVImg image;
    image.m_highDynamicRange = static_cast<int32_t>(size & 1);
    try {
        ZAV::CDataSource source;
        if (source.OpenMemory(data, size))
            image.m_pageIndex = image.GetPageCount(source, 5) > 1 && (size & 2) ? 1 : 0;
    } catch (const CTextException&) {
    }
    try {
        image.LoadFromMemory(data, static_cast<int64_t>(size), 5);
    } catch (const CTextException&) {
    }
}

}  // namespace ZAVFuzz
