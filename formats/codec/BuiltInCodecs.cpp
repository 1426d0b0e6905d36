#include "formats/codec/BuiltInCodecs.h"

#include "formats/bmp/BMPDecoder.h"
#include "formats/bmp/BMPEncoder.h"
#include "formats/dcx/DCXDecoder.h"
#include "formats/dcx/DCXEncoder.h"
#include "formats/ico/IconDecoder.h"
#include "formats/emf/WMFDecoder.h"
#include "formats/emf/WMFEncoder.h"
#include "formats/gif/GIFDecoder.h"
#include "formats/gif/GIFEncoder.h"
#include "formats/jbig/JBIGDecoder.h"
#include "formats/jbig/JBIGEncoder.h"
#include "formats/jpeg/JPEGEncoder.h"
#include "formats/jpeg/JPGDecoder.h"
#include "formats/pcx/PCXDecoder.h"
#include "formats/pcx/PCXEncoder.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/pict/PICTDecoder.h"
#include "formats/png/PNGDecoder.h"
#include "formats/png/PNGEncoder.h"
#include "formats/psd/PSDDecoder.h"
#include "formats/psd/PSDEncoder.h"
#include "formats/pnm/PortableMapDecoders.h"
#include "formats/pnm/PortableMapEncoders.h"
#include "formats/registry/ImgFormat.h"
#include "formats/tga/TGADecoder.h"
#include "formats/tga/TGAEncoder.h"
#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/encode/TIFFEncoder.h"
#include "formats/wbmp/WBMPDecoder.h"
#include "formats/wbmp/WBMPEncoder.h"

namespace ZAV {

namespace {

std::unique_ptr<CPicDecoder> MakeCursorDecoder()
{
    auto decoder = std::make_unique<CIconDecoder>();
    decoder->m_isIcon = 0;
    return decoder;
}

}  // namespace

// Each codec adds its case to both switches when it arrives.
std::unique_ptr<CPicDecoder> MakeBuiltInDecoder(int formatId)
{
    switch (formatId) {
    case zavifBMP:
        return std::make_unique<CBMPDecoder>();
    case zavifJBIG:
        return std::make_unique<CJBIGDecoder>();
    case zavifPNG:
        return std::make_unique<CPNGDecoder>();
    case zavifJPEG:
        return std::make_unique<CJPGDecoder>();
    case zavifTIF:
    case zavifFAX:
        return std::make_unique<CTIFFDecoder>();
    case zavifPCX:
        return std::make_unique<CPCXDecoder>();
    case zavifDCX:
        return std::make_unique<CDCXDecoder>();
    case zavifTGA:
        return std::make_unique<CTGADecoder>();
    case zavifWBMP:
        return std::make_unique<CWBMPDecoder>();
    case zavifPPM:
        return std::make_unique<CPPMDecoder>();
    case zavifPGM:
        return std::make_unique<CPGMDecoder>();
    case zavifPBM:
        return std::make_unique<CPBMDecoder>();
    case zavifICO:
        return std::make_unique<CIconDecoder>();
    case zavifCUR:
        return MakeCursorDecoder();
    case zavifPICT:
        return std::make_unique<CPICTDecoder>();
    case zavifWMF:
        return std::make_unique<CWMFDecoder>();
    case zavifGIF:
        return std::make_unique<CGIFDecoder>();
    case zavifPSD:
        return std::make_unique<CPSDDecoder>();
    default:
        return nullptr;
    }
}

std::unique_ptr<CPicEncoder> MakeBuiltInEncoder(int formatId)
{
    switch (formatId) {
    case zavifBMP:
        return std::make_unique<CBMPEncoder>();
    case zavifJBIG:
        return std::make_unique<CJBIGEncoder>();
    case zavifPNG:
        return std::make_unique<CPNGEncoder>();
    case zavifJPEG:
        return std::make_unique<CJPEGEncoder>();
    case zavifTIF:
    case zavifFAX:
        return std::make_unique<CTIFFEncoder>();
    case zavifPDF:
        return std::make_unique<CPDFEncoder>();
    case zavifPCX:
        return std::make_unique<CPCXEncoder>();
    case zavifDCX:
        return std::make_unique<CDCXEncoder>();
    case zavifTGA:
        return std::make_unique<CTGAEncoder>();
    case zavifWBMP:
        return std::make_unique<CWBMPEncoder>();
    case zavifPPM:
        return std::make_unique<CPPMEncoder>();
    case zavifPGM:
        return std::make_unique<CPGMEncoder>();
    case zavifPBM:
        return std::make_unique<CPBMEncoder>();
    case zavifWMF:
        return std::make_unique<CWMFEncoder>();
    case zavifGIF:
        return std::make_unique<CGIFEncoder>();
    case zavifPSD:
        return std::make_unique<CPSDEncoder>();
    default:
        return nullptr;
    }
}

}  // namespace ZAV
