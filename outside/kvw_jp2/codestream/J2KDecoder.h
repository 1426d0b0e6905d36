// Decodes a codestream with OpenJPEG's J2K decoder, which applies no palette,
// channel definition or colour conversion, and hands out its samples.
#pragma once

#include <memory>

#include "outside/kvw_jp2/box/JP2FileModel.h"
#include "outside/kvw_jp2/box/JP2Source.h"
#include "outside/kvw_jp2/codestream/OpjSupport.h"

namespace KVWJP2 {

class J2KDecoder {
public:
    J2KDecoder(const JP2Source& source, uint64_t offset, uint64_t length);
    ~J2KDecoder();
    J2KDecoder(const J2KDecoder&) = delete;
    J2KDecoder& operator=(const J2KDecoder&) = delete;

    // Reads the main header and checks its sizes; the image description is then known.
    JP2_Error ReadHeader();
    JP2_Error Decode();

    uint32_t Components() const { return m_image->numcomps; }
    uint32_t GridWidth() const { return m_image->x1 - m_image->x0; }
    uint32_t GridHeight() const { return m_image->y1 - m_image->y0; }
    const opj_image_comp_t& Component(uint32_t c) const { return m_image->comps[c]; }
    // Delivers every row of every component; fullGrid repeats subsampled samples.
    JP2_Error Deliver(bool fullGrid, JP2_Callback_Output output, void* user) const;
    const std::string& LastError() const { return m_messages.lastError; }

private:
    JP2_Error PrecheckSiz() const;
    JP2_Error CheckSizes() const;
    JP2_Error DeliverComponent(uint32_t c, bool fullGrid, JP2_Callback_Output output, void* user) const;

    const JP2Source& m_source;
    uint64_t m_offset;
    uint64_t m_length;
    uint64_t m_position = 0;
    opj_codec_t* m_codec = nullptr;
    opj_stream_t* m_stream = nullptr;
    opj_image_t* m_image = nullptr;
    OpjMessages m_messages;

    friend struct J2KStreamAccess;
};

}  // namespace KVWJP2
