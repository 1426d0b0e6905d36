// The portable map decoders: CPPMDecoder (format 14, 24 bits),
// CPGMDecoder (format 13, 8-bit grey) and CPBMDecoder (format 12, 1 bit,
// palette white then black), text and binary forms alike.
#pragma once

#include "formats/codec/PicDecoder.h"
#include "formats/pnm/PnmFormat.h"

namespace ZAV {

class CPortableMapDecoder : public CPicDecoder {
public:
    explicit CPortableMapDecoder(const PnmFormat& format) : m_format(format) {}

protected:
    int DoLoadPicture(IDataSource* source, int* depth) override;
    int DoGetFileInfo(IDataSource* source, FilterImageInfo* info) override;

private:
    const PnmFormat& m_format;
};

class CPPMDecoder : public CPortableMapDecoder {
public:
    CPPMDecoder() : CPortableMapDecoder(kPpmFormat) {}
};

class CPGMDecoder : public CPortableMapDecoder {
public:
    CPGMDecoder() : CPortableMapDecoder(kPgmFormat) {}
};

class CPBMDecoder : public CPortableMapDecoder {
public:
    CPBMDecoder() : CPortableMapDecoder(kPbmFormat) {}
};

}  // namespace ZAV
