#include "formats/psd/PsdPlanes.h"

#include "formats/codec/PicDecoder.h"
#include "formats/codec/FileBytes.h"

namespace ZAV {

namespace {

constexpr int kCodeCompression = 2;
constexpr int kCodeRunLength = 28;

[[noreturn]] void FailRunLength()
{
    CPicDecoder::ThrowError(kCodeRunLength, "Error decoding RLE!");
}

}  // namespace

void DecodePsdPackBitsRow(const uint8_t* codes, size_t count, uint8_t* row, size_t samples, size_t stride)
{
    size_t in = 0;
    size_t out = 0;
    while (in < count) {
        const int header = static_cast<int8_t>(codes[in++]);
        if (header == -128)
            continue;
        if (header >= 0) {
            const size_t length = static_cast<size_t>(header) + 1;
            if (length > count - in || length > samples - out)
                FailRunLength();
            for (size_t i = 0; i < length; ++i)
                row[(out++) * stride] = codes[in++];
        } else {
            const size_t length = static_cast<size_t>(1 - header);
            if (in >= count || length > samples - out)
                FailRunLength();
            const uint8_t value = codes[in++];
            for (size_t i = 0; i < length; ++i)
                row[(out++) * stride] = value;
        }
    }
}

uint16_t ReadPsdCompression(CFileBytes& cursor)
{
    const uint16_t compression = cursor.BE16();
    if (compression > 1)
        CPicDecoder::ThrowError(kCodeCompression, "Decoding PSD: Illegal compression value.");
    return compression;
}

void ReadPsdRawPlane(CFileBytes& cursor, const PsdPlaneTarget& target)
{
    for (size_t y = 0; y < target.rows; ++y) {
        const uint8_t* bytes = cursor.Take(target.bytesPerRow);
        uint8_t* row = target.base + y * target.bytesPerRow * target.stride;
        for (size_t i = 0; i < target.bytesPerRow; ++i)
            row[i * target.stride] = bytes[i];
    }
}

void ReadPsdPackBitsPlane(CFileBytes& cursor, const PsdPlaneTarget& target, const uint16_t* rowCounts)
{
    for (size_t y = 0; y < target.rows; ++y) {
        const uint8_t* codes = cursor.Take(rowCounts[y]);
        DecodePsdPackBitsRow(codes, rowCounts[y], target.base + y * target.bytesPerRow * target.stride,
                             target.bytesPerRow, target.stride);
    }
}

}  // namespace ZAV
