#include "formats/runlength/RunLengthDecoder.h"

#include <algorithm>
#include <cstring>

#include "foundation/text/TextException.h"
#include "image/core/ZAVImgBase.h"
#include "image/core/ImageLimits.h"

namespace ZAV {

namespace {

constexpr uint8_t kLastLiteralLength = 127;
constexpr int kRepeatBase = 257;

}  // namespace

size_t DecodePackBits(const uint8_t* data, size_t size, uint8_t* output, size_t capacity)
{
    size_t in = 0;
    size_t out = 0;
    while (in < size && out < capacity) {
        const uint8_t length = data[in++];
        if (length == kRunLengthEndOfData)
            break;
        if (length <= kLastLiteralLength) {
            const size_t count = std::min({size_t(length) + 1, size - in, capacity - out});
            std::memcpy(output + out, data + in, count);
            in += size_t(length) + 1;
            out += count;
        } else {
            if (in >= size)
                break;
            const size_t count = std::min(size_t(kRepeatBase - length), capacity - out);
            std::memset(output + out, data[in++], count);
            out += count;
        }
    }
    return out;
}

void DecodeRunLengthRows(const uint8_t* data, size_t size, int width, int height, int bitsPerPixel,
                         CArraySimple<unsigned char, 1>& output)
{
    const int64_t bytes = CZAVImgBase::CalcImageSize(width, height, bitsPerPixel);
    if (width <= 0 || height <= 0 || bytes <= 0)
        ThrowTextException("Invalid Parameter!");
    // The image library's ceiling: the rows must fit any image it holds.
    if (!IsWithinImageCeiling(bytes))
        ThrowTextException("Invalid Image Size!");
    output.SetSize(static_cast<int32_t>(bytes));
    DecodePackBits(data, data ? size : 0, output.GetData(), static_cast<size_t>(bytes));
}

}  // namespace ZAV
