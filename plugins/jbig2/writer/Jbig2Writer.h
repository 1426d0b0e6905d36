// The encoding side of the JBIG2 plug-in: one 1-bit picture through kvd_jb2's
// compression functions, exported as a JBIG2 file, a PDF file or a stream
// for a PDF image with the settings last given by JBIG2Settings. The codec
// always gets rows in which 1 is black.
#pragma once

#include <vector>

#include "formats/filter/FilterSteps.h"
#include "plugins/jbig2/status/Jbig2StatusReporter.h"

namespace ZAV {

// The settings after validation, as the writer sends them.
struct Jbig2WriteSettings {
    int32_t quiet;
    uint32_t exportFormat;
    uint32_t coder;
    uint32_t genericTemplate;
    uint32_t symbolTemplate;
    uint32_t encodingMode;  // 0 lossless, 1 lossy
    uint32_t matchingMode;
    uint32_t matchingQuality;
};

// Checks the host's eight values in a fixed order and resolves the "not
// set" values; throws the text of the first check that fails.
Jbig2WriteSettings ValidateJbig2Settings(const Jbig2EncoderSettings& settings);

// True when the rows must be inverted for 1 to be black: the palette's
// entry 0 is darker than entry 1. Without a full two-entry palette pixel 1
// is black already.
bool Jbig2RowsNeedInverting(const uint8_t* palette, uint32_t paletteBytes);

class Jbig2Writer {
public:
    Jbig2Writer(CDataSource& target, const FilterSavePixels& pixels, const Jbig2EncoderSettings& settings);
    ~Jbig2Writer();
    Jbig2Writer(const Jbig2Writer&) = delete;
    Jbig2Writer& operator=(const Jbig2Writer&) = delete;

    void Write();

    const Jbig2MessageList& Messages() const { return m_messages; }

private:
    void CheckPixels();
    void Start();
    void SetProperties();
    void SetProperty(uint32_t key, uint32_t value);
    void CompressRows();
    void Export();

    CDataSource& m_target;
    const FilterSavePixels& m_pixels;
    Jbig2EncoderSettings m_hostSettings;
    Jbig2WriteSettings m_settings = {};
    bool m_invert = false;
    uint32_t m_rowBytes = 0;
    uint8_t m_lastByteMask = 0xFF;
    uint32_t m_xResolution = 0;
    uint32_t m_yResolution = 0;
    std::vector<uint8_t> m_line;
    JB2_Handle_Compress m_compression = nullptr;
    JB2_Handle_Document m_document = nullptr;
    Jbig2MessageList m_messages;
};

}  // namespace ZAV
