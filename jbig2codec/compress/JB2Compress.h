// The compression handle behind JB2_Handle_Compress.
#pragma once

#include <cstdint>

#include "jbig2codec/compress/JB2CompressProperties.h"
#include "jbig2codec/kvd_jb2.h"

constexpr uint32_t kJB2CompressMagic = 0x6A636D70;

struct JB2_Compress_Handle_Rec {
    uint32_t magic;
    ZAV::JB2Memory* memory;
    ZAV::JB2CompressProperties* properties;
    ZAV::JB2Message* message;
};
