// What the page writer asks of a picture it places: its size, depth and
// resolution, the PDF coding its caller chose, its palette, the two polarity
// changes, and its pixels coded for one PDF filter. The image-edit object
// answers all of it (ImageEditPageImage.cpp); keeping the questions in one
// narrow class lets the writer's tests give pictures of any coding.
#pragma once

#include <cstdint>
#include <memory>

#include "foundation/containers/ArraySimple.h"

namespace ZAV {

class IZAVImageEditSp;
class IZAVObjectSp;

// A picture's bytes coded for one filter. They are moved, never copied, on
// their way into the document's stream object: a document of pictures is
// mostly these bytes.
typedef CArraySimple<unsigned char, 1> CCodedBytes;

// The PDF filters the writer asks a picture's bytes for.
enum class ePageImageFilter {
    RunLength,
    Dct,
    Jpx,
    Jbig2,
    Ccitt,
    Lzw,
    Flate,
};

class CPageImage {
public:
    virtual ~CPageImage() = default;

    virtual int32_t GetWidth() = 0;
    virtual int32_t GetHeight() = 0;
    virtual int32_t GetBitsPerPixel() = 0;
    // Dots per inch.
    virtual int32_t GetXResolution() = 0;
    virtual int32_t GetYResolution() = 0;

    // 4 JPEG, 5 TIFF-coded, or a bound plug-in's format id.
    virtual int32_t GetPdfImageCoding() = 0;
    virtual int32_t GetTiffCompression() = 0;
    virtual void SetTiffCompression(int32_t compression) = 0;
    // Bit 0: two-dimensional Group 3 coding.
    virtual int32_t GetTiffT4Options() = 0;
    // -1 when no such plug-in is bound.
    virtual int32_t GetJbig2DllId() = 0;
    virtual int32_t GetJpeg2000DllId() = 0;

    virtual bool IsGrayScale() = 0;
    virtual int32_t GetPaletteCount() = 0;
    // 0x00BBGGRR; 0 for an index out of range.
    virtual uint32_t GetPaletteEntry(int32_t index) = 0;
    // A 1-bit picture's palette made black-first or white-first.
    virtual void SetMinIsBlack() = 0;
    virtual void SetMinIsWhite() = 0;

    virtual CCodedBytes Encode(ePageImageFilter filter) = 0;
};

typedef std::shared_ptr<CPageImage> CPageImagePtr;

// The image-edit object as a page picture; the result holds one reference
// of it. Null is refused.
CPageImagePtr WrapImageEdit(IZAVImageEditSp* image);

// An element of an image array as a page picture: "Provided imagearray is
// no ZAVImageEdit object!" unless it answers the image-edit interface.
CPageImagePtr QueryPageImage(IZAVObjectSp* element);

}  // namespace ZAV
