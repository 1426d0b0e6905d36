#include "formats/codec/BuiltInCodecs.h"

#include "formats/bmp/BMPDecoder.h"
#include "formats/bmp/BMPEncoder.h"
#include "formats/emf/WMFDecoder.h"
#include "formats/emf/WMFEncoder.h"
#include "formats/gif/GIFDecoder.h"
#include "formats/gif/GIFEncoder.h"
#include "formats/jbig/JBIGDecoder.h"
#include "formats/jbig/JBIGEncoder.h"
#include "formats/jpeg/JPEGEncoder.h"
#include "formats/jpeg/JPGDecoder.h"
#include "formats/pdf/PDFEncoder.h"
#include "formats/png/PNGDecoder.h"
#include "formats/png/PNGEncoder.h"
#include "formats/psd/PSDDecoder.h"
#include "formats/psd/PSDEncoder.h"
#include "formats/registry/ImgFormat.h"
#include "formats/tiff/decode/TIFFDecoder.h"
#include "formats/tiff/encode/TIFFEncoder.h"

namespace ZAV {

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
