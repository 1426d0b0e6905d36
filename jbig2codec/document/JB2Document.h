// The document handle behind JB2_Handle_Document: the file object with its
// memory, message and read objects, and the decompression properties.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2DecompressProperties.h"
#include "jbig2codec/document/JB2File.h"
#include "jbig2codec/kvd_jb2.h"

constexpr uint32_t kJB2DocumentMagic = 0x6A646563;

struct JB2_Document_Handle_Rec {
    uint32_t magic;
    ZAV::JB2Memory* memory;
    ZAV::JB2DecompressProperties* properties;
    ZAV::JB2ReadData* readData;  // null for a document made by a compression
    ZAV::JB2File* file;
    ZAV::JB2Message* message;
};

namespace ZAV {

// A document handle over a file object that already exists (one more
// reference is taken on memory, message and file). For the compressor.
JB2_Error JB2DocumentHandleCreate(JB2_Handle_Document* out, JB2Memory* memory, JB2Message* message, JB2File* file);

}  // namespace ZAV
