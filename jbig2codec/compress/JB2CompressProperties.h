// The properties of a compression handle: page size and resolution, coding
// choices, and from the first row on the stripe encoder and the file object
// that the page is coded into.
#pragma once

#include <cstdint>

#include "jbig2codec/compress/JB2StripeEncoder.h"

namespace ZAV {

// Page information flags: eventually lossless (bit 0), default combination
// operator XOR (bits 3-4), operator overridden (bit 6); T.88 7.4.8.5.
constexpr uint8_t kJB2CompressPageFlags = 0x51;
constexpr uint8_t kJB2PageFlagLossless = 0x01;

struct JB2CompressProperties {
    uint32_t width;
    uint32_t height;
    uint32_t xResolution;
    uint32_t yResolution;
    uint8_t pageFlags;
    JB2StripeEncoder* encoder;  // none until the first row
    JB2File* file;              // none until the first row
    uint32_t coder;
    uint32_t genericTemplate;
    uint8_t matchingMode;
    uint32_t textTemplate;
    uint32_t matchingQuality;
    uint8_t encodingMode;
};

JB2_Error JB2CompressPropertiesCreate(JB2CompressProperties** out, JB2Memory* memory, JB2Message* message);
// Frees the stripe encoder, releases the file object, frees the properties.
JB2_Error JB2CompressPropertiesRelease(JB2CompressProperties** holder, JB2Memory* memory);

// -11 with the key's text for a value out of range, -8 for an unknown key.
JB2_Error JB2CompressPropertiesSet(JB2CompressProperties* properties, uint32_t key, uint32_t value,
                                   JB2Message* message);
JB2_Error JB2CompressPropertiesGet(const JB2CompressProperties* properties, uint32_t key, uint32_t* value,
                                   JB2Message* message);

}  // namespace ZAV
