// The decoding side of the JBIG2 plug-in: the first page of a JBIG2 file or
// memory block through kvd_jb2's document functions, as a 1-bit pixel block
// with the palette white, black (the codec's rows have 1 = black).
#pragma once

#include "formats/filter/FilterSteps.h"
#include "plugins/jbig2/status/Jbig2StatusReporter.h"

namespace ZAV {

class CNameVariantPairs;

class Jbig2Reader {
public:
    // properties may be null: the plug-in's image-information list.
    Jbig2Reader(CDataSource& source, CNameVariantPairs* properties);
    ~Jbig2Reader();
    Jbig2Reader(const Jbig2Reader&) = delete;
    Jbig2Reader& operator=(const Jbig2Reader&) = delete;

    // The file's facts alone.
    void ReadFacts(FilterImageInfo* info);
    // The first page into new global blocks.
    void Load(FilterLoadedPicture& picture);

    // The codec's output callback, through a static trampoline.
    JB2_Error TakeRow(const uint8_t* row, uint32_t rowNumber);

    const Jbig2MessageList& Messages() const { return m_messages; }

private:
    void Describe(FilterImageInfo* info);
    void Start();
    uint32_t Property(uint32_t key);
    void ReportFacts(FilterImageInfo* info);
    void AllocatePixels();
    void Decode();
    void MakePalette(FilterLoadedPicture& picture);
    void End();

    CDataSource& m_source;
    CNameVariantPairs* m_properties;
    JB2_Handle_Document m_document = nullptr;
    uint32_t m_width = 0;
    uint32_t m_height = 0;
    uint32_t m_bytesPerRow = 0;
    uint32_t m_xResolution = 0;
    uint32_t m_yResolution = 0;
    HGLOBAL m_pixels = nullptr;
    uint64_t m_pixelBytes = 0;
    uint8_t* m_lockedPixels = nullptr;
    Jbig2MessageList m_messages;
};

}  // namespace ZAV
