// The portable map encoders: CPPMEncoder (24 bits), CPGMEncoder (8 bits)
// and CPBMEncoder (1 bit, 1 = black whatever the palette order); the
// image's portable-map option chooses the binary form, else the text form.
#pragma once

#include "formats/codec/PicEncoder.h"
#include "formats/pnm/PnmFormat.h"

namespace ZAV {

class CPortableMapEncoder : public CPicEncoder {
public:
    explicit CPortableMapEncoder(const PnmFormat& format) : m_format(format) {}

protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytesWritten) override;

private:
    const PnmFormat& m_format;
};

class CPPMEncoder : public CPortableMapEncoder {
public:
    CPPMEncoder() : CPortableMapEncoder(kPpmFormat) {}
};

class CPGMEncoder : public CPortableMapEncoder {
public:
    CPGMEncoder() : CPortableMapEncoder(kPgmFormat) {}
};

class CPBMEncoder : public CPortableMapEncoder {
public:
    CPBMEncoder() : CPortableMapEncoder(kPbmFormat) {}
};

}  // namespace ZAV
