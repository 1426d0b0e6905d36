// What the PNG and JPEG fuzz targets do with one input, shared with the
// test that replays every input kept under tests/data/fuzz/. Each input
// must load, or fail with the codec's error, without a crash, undefined
// behaviour or an allocation the data does not justify.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "formats/codec/BuiltInCodecs.h"
#include "foundation/datasource/DataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

namespace ZAVFuzz {

constexpr int kPngFormat = 6;
constexpr int kJpegFormat = 4;
// Pictures past this many pixels are only read to their header: a few
// bytes of JPEG may ask for the work of a huge picture, more than one run
// of the fuzzer should spend.
constexpr int64_t kFuzzMaxPixels = int64_t(1) << 22;

// The picture's size from its header; false when the header fails.
inline bool ReadPictureSize(const uint8_t* data, size_t size, int format, int64_t& pixels)
{
    ZAV::CDataSource source;
    if (!source.OpenMemory(data, size))
        return false;
    ZAV::CZAVImg image;
    image.SetImageInfoList(&image.GetOwnImageInfo());
    std::unique_ptr<ZAV::CPicDecoder> decoder = ZAV::MakeBuiltInDecoder(format);
    try {
        decoder->GetFileInfo(&image, &source, nullptr);
        const ZAV::CNameVariantPairs& info = image.GetOwnImageInfo();
        pixels = int64_t(info.GetValue("WIDTH").GetAsInt()) * info.GetValue("HEIGHT").GetAsInt();
        return true;
    } catch (const CTextException&) {
        return false;
    }
}

inline void LoadPicture(const uint8_t* data, size_t size, int format)
{
    int64_t pixels = 0;
    if (!ReadPictureSize(data, size, format, pixels) || pixels > kFuzzMaxPixels)
        return;
    ZAV::CZAVImg image;
    try {
        image.LoadFromMemory(data, static_cast<int64_t>(size), format);
    } catch (const CTextException&) {
    }
}

}  // namespace ZAVFuzz
