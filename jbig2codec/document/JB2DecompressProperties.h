// The decompression properties of a document handle: the current page, its
// rendered bitmap and the rows handed to the caller.
#pragma once

#include <cstdint>

#include "jbig2codec/document/JB2File.h"
#include "jbig2codec/kvd_jb2.h"

namespace ZAV {

struct JB2DecompressProperties {
    JB2File* file;  // link: the handle holds the file
    uint32_t page;  // current page, from 0
    uint8_t* buffer;
    uint32_t width;
    uint32_t height;
    uint32_t stride;
    uint32_t combination;
    uint32_t left;
    uint32_t right;
    uint32_t top;
    uint32_t bottom;
    JB2_Output_Callback output;
    void* outputUser;
    uint8_t* line;
    uint8_t rendered;
    uint32_t scaleUp;
    uint32_t scaleDown;
};

JB2_Error JB2DecompressPropertiesCreate(JB2DecompressProperties** out, JB2Memory* memory, JB2File* file,
                                        JB2Message* message);
JB2_Error JB2DecompressPropertiesRelease(JB2DecompressProperties** holder, JB2Memory* memory);
// Frees the page and line buffers; the page is no longer rendered.
void JB2DecompressPropertiesDropPage(JB2DecompressProperties* properties, JB2Memory* memory);
// Renders the current page (once) and delivers the requested rows.
JB2_Error JB2DecompressPage(JB2DecompressProperties* properties, JB2Memory* memory, uint32_t scaleUp,
                            uint32_t scaleDown, uint32_t left, uint32_t right, uint32_t top, uint32_t bottom,
                            JB2_Output_Callback output, void* outputUser, JB2Message* message);

}  // namespace ZAV
