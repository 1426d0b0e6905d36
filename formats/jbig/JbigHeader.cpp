#include "formats/jbig/JbigHeader.h"

#include "formats/FormatLimits.h"
#include "formats/jbig/JbigKit.h"
#include "foundation/text/TextException.h"

#include <cstdio>

namespace ZAV {

namespace {

constexpr size_t kHeaderBytes = 20;
constexpr uint32_t kOpenHeight = 0xFFFFFFFF;
// Field positions in the header (T.82 6.2.2).
constexpr size_t kLowestLayerAt = 0;
constexpr size_t kLayersAt = 1;
constexpr size_t kPlanesAt = 2;
constexpr size_t kReservedAt = 3;
constexpr size_t kWidthAt = 4;
constexpr size_t kHeightAt = 8;
constexpr size_t kStripeRowsAt = 12;
constexpr size_t kOrderAt = 18;
constexpr size_t kOptionsAt = 19;
constexpr uint8_t kOrderReservedBits = 0xF0;
constexpr uint8_t kOptionsReservedBits = 0x80;
constexpr size_t kErrorTextSize = 256;

uint32_t Big32(const std::vector<uint8_t>& data, size_t at)
{
    return (static_cast<uint32_t>(data[at]) << 24) | (static_cast<uint32_t>(data[at + 1]) << 16) |
           (static_cast<uint32_t>(data[at + 2]) << 8) | data[at + 3];
}

// A file starts with the header of its lowest resolution layer; reserved
// bits are 0 and no size is 0.
bool IsPlausible(const std::vector<uint8_t>& data)
{
    return data[kLowestLayerAt] == 0 && data[kLayersAt] >= data[kLowestLayerAt] && data[kPlanesAt] != 0 &&
           data[kReservedAt] == 0 && (data[kOrderAt] & kOrderReservedBits) == 0 &&
           (data[kOptionsAt] & kOptionsReservedBits) == 0 && Big32(data, kWidthAt) != 0 &&
           Big32(data, kHeightAt) != 0 && Big32(data, kStripeRowsAt) != 0;
}

void CheckSize(const JbigHeader& header)
{
    const int64_t planeBytes = (static_cast<int64_t>(header.width) + 7) / 8 * header.height;
    // Each plane is held at full size and at half size while decoding.
    const int64_t decodeBytes = (planeBytes + planeBytes / 4) * header.planes;
    if (header.width > INT32_MAX || header.height > INT32_MAX || planeBytes > kMaxJbigPlaneBytes ||
        decodeBytes > kMaxJbigDecodeBytes)
        ThrowTextException("Jbig image too large!");
}

}  // namespace

void ThrowJbigError(int code)
{
    char text[kErrorTextSize];
    std::snprintf(text, sizeof text, "JBIG Decoder error (%d): '%s'", code, jbg_strerror(code));
    ThrowTextException(text);
}

JbigHeader ReadJbigHeader(std::vector<uint8_t>& data)
{
    if (data.size() < kHeaderBytes || !IsPlausible(data))
        ThrowTextException("Invalid Jbig data!");
    if (Big32(data, kHeightAt) == kOpenHeight) {
        const int result = jbg_newlen(data.data(), data.size());
        if (result != JBG_EOK)
            ThrowJbigError(result);
        if (Big32(data, kHeightAt) == kOpenHeight || Big32(data, kHeightAt) == 0)
            ThrowTextException("Invalid Jbig data!");
    }
    JbigHeader header;
    header.width = Big32(data, kWidthAt);
    header.height = Big32(data, kHeightAt);
    header.planes = data[kPlanesAt];
    CheckSize(header);
    return header;
}

}  // namespace ZAV
