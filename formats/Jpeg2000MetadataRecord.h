// The metadata an image carries into a JPEG 2000 file: XML, IP and IPTC
// boxes, one UUID box, a UUID-info box and region-of-interest rectangles.
// The image owns one; the JPEG 2000 plug-in keeps a copy of the last one it
// was given, so every member copies by value.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ZAV {

struct Jpeg2000MetadataRecord {
    std::vector<uint8_t> xmlData;
    std::vector<uint8_t> ipData;
    std::vector<uint8_t> iptcData;
    // 32 hexadecimal digits.
    std::string uuidId;
    std::vector<uint8_t> uuidData;
    // Each 32 hexadecimal digits.
    std::vector<std::string> uuidInfoIds;
    std::string uuidInfoUrl;
    // Four values per rectangle: left, top, right, bottom.
    std::vector<int32_t> roiRectangles;
};

}  // namespace ZAV
