// The facet interfaces of the image-edit object: plain objects, not
// reference counted, valid while their image-edit object lives and never
// released by a caller. Each facet works on the object's one image.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/containers/ArraySimple.h"
#include "foundation/containers/ArrayString.h"
#include "foundation/objects/ZAVArrayByteSp.h"
#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "image/core/ZAVImgBase.h"
#include "interfaces/imageedit/facets/clipboard/ImageEditClipboardInterface.h"
#include "interfaces/imageedit/facets/cnv/ImageEditCnvInterface.h"
#include "interfaces/imageedit/facets/color/ColorFacetInterface.h"
#include "interfaces/imageedit/facets/draw/ImageEditDrawInterface.h"
#include "interfaces/imageedit/facets/exif/ImageEditExifInterface.h"
#include "interfaces/imageedit/facets/filter/FilterFacetInterface.h"
#include "interfaces/imageedit/facets/hdr/ImageEditHDRInterface.h"
#include "interfaces/imageedit/facets/histogram/ImageEditHistogramInterface.h"
#include "interfaces/imageedit/facets/icc/ImageEditICCInterface.h"
#include "interfaces/imageedit/facets/mask/ImageEditMaskInterface.h"
#include "interfaces/imageedit/facets/processing/ImageProcessingFacetInterface.h"
#include "interfaces/imageedit/facets/shadow/ImageEditShadowInterface.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageStandardSp;

// How the image is saved (and for a few formats loaded): the settings of
// the built-in codecs, of the plug-ins and of the PDF image coding. Getters
// return the setting; setters store it unchecked.
class IZAVImageEditFileFormatSettingsCpp {
public:
    virtual int GetPrepareOnSave() = 0;
    virtual void SetPrepareOnSave(int value) = 0;
    // Converts the image to a depth the format stores and sets the format's
    // settings.
    virtual void PrepareForFormat(int format) = 0;
    virtual int GetJpegQuality() = 0;
    virtual void SetJpegQuality(int value) = 0;
    virtual int GetJpegProgressive() = 0;
    virtual void SetJpegProgressive(int value) = 0;
    virtual int GetJpegGrayscale() = 0;
    virtual void SetJpegGrayscale(int value) = 0;
    virtual int GetBmpRle() = 0;
    virtual void SetBmpRle(int value) = 0;
    // libtiff codes: 1 none, 3 and 4 CCITT Group 3 and 4, 5 LZW, 7 JPEG, 8 or
    // 32946 Deflate, 32773 PackBits.
    virtual int GetTiffCompression() = 0;
    virtual void SetTiffCompression(int value) = 0;
    virtual int GetTiffPredictor() = 0;
    virtual void SetTiffPredictor(int value) = 0;
    // Bit 0: two-dimensional Group 3 coding.
    virtual int GetTiffT4Options() = 0;
    virtual void SetTiffT4Options(int value) = 0;
    virtual int GetTiffT6Options() = 0;
    virtual void SetTiffT6Options(int value) = 0;
    virtual int GetTiffFaxMode() = 0;
    virtual void SetTiffFaxMode(int value) = 0;
    virtual int GetPngColorType() = 0;
    virtual void SetPngColorType(int value) = 0;
    virtual int GetPngInterlace() = 0;
    virtual void SetPngInterlace(int value) = 0;
    virtual int GetSpareValue() = 0;
    virtual void SetSpareValue(int value) = 0;
    virtual int GetPsdReadResources() = 0;
    virtual void SetPsdReadResources(int value) = 0;
    // The values handed to the JPEG 2000 plug-in before it codes the image.
    virtual void SetJpeg2000Settings(int value1, int value2, int value3, int value4, int value5, int value6, int value7,
                                     int value8, int value9, double compressionRate, double compressionBitRate,
                                     int compressionDestinationFileSize) = 0;
    // Replaces the metadata; the region-of-interest rectangles stay.
    virtual void SetJpeg2000Metadata(const CArraySimple<unsigned char, 1>& xmlData,
                                     const CArraySimple<unsigned char, 1>& ipData,
                                     const CArraySimple<unsigned char, 1>& iptcData, const std::string& uuidId,
                                     const CArraySimple<unsigned char, 1>& uuidData, CArrayString& uuidInfoIds,
                                     const std::string& uuidInfoUrl) = 0;
    // Four values a rectangle; the other metadata stays.
    virtual void SetJpeg2000RoiRectangles(const CArraySimple<int32_t, 2>& values) = 0;
    virtual void SetJbig2Settings(int value1, int value2, int value3, int value4, int value5, int value6, int value7,
                                  int value8) = 0;
    // The format id of the first bound plug-in taking those settings; -1
    // when none is bound.
    virtual int GetJpeg2000DllId() = 0;
    virtual int GetJbig2DllId() = 0;
    virtual COLORREF GetWmfBackgroundColor() = 0;
    virtual void SetWmfBackgroundColor(COLORREF value) = 0;
    virtual int GetSpareValue2() = 0;
    virtual void SetSpareValue2(int value) = 0;
    // Written into the information dictionary of a PDF saved from the image.
    virtual void SetPdfDocumentTexts(const std::string& creator, const std::string& creationDate,
                                     const std::string& author, const std::string& producer, const std::string& title,
                                     const std::string& subject, const std::string& keywords) = 0;
    // 4 JPEG, 5 TIFF-coded, or the format id of the JPEG 2000 or JBIG2
    // plug-in.
    virtual int GetPdfImageCoding() = 0;
    virtual void SetPdfImageCoding(int value) = 0;
    // Chooses the PDF image coding by the image's depth; "Invalid bit depth
    // %d!" with nothing changed for depths other than 1, 8 and 24.
    virtual void SelectPdfImageCoding() = 0;
    virtual void SetGifSettings(int writerMode, CArrayString& comments, int transparentIndex, int delay,
                                int disposalMethod, int frameLeft, int frameTop, int loopCount,
                                int localColorTable) = 0;
    virtual int GetPnmBinary() = 0;
    virtual void SetPnmBinary(int value) = 0;
    virtual int GetGifBuiltInDecoding() = 0;
    virtual void SetGifBuiltInDecoding(int value) = 0;
    virtual double GetExrValue1() = 0;
    virtual void SetExrValue1(double value) = 0;
    virtual double GetExrValue2() = 0;
    virtual void SetExrValue2(double value) = 0;
    virtual int GetExrValue3() = 0;
    virtual void SetExrValue3(int value) = 0;
    virtual int GetMagickValue1() = 0;
    virtual void SetMagickValue1(int value) = 0;
    virtual int GetMagickValue2() = 0;
    virtual void SetMagickValue2(int value) = 0;
    virtual int GetMagickValue3() = 0;
    virtual void SetMagickValue3(int value) = 0;
    virtual int GetMagickValue4() = 0;
    virtual void SetMagickValue4(int value) = 0;
    virtual int GetMagickValue5() = 0;
    virtual void SetMagickValue5(int value) = 0;

protected:
    ~IZAVImageEditFileFormatSettingsCpp() = default;
};

// The image coded into the bytes of one PDF image filter, and such bytes
// decoded back into pixel rows (bytes per line x height, rows back to back,
// 24-bit pixels red, green, blue). Every result is a new byte array.
class IZAVImageEditEncodeCpp {
public:
    // PackBits rows ending with the end-of-data code, for /RunLengthDecode.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeRunLength() = 0;
    virtual CZAVPtr<IZAVArrayByteSp> EncodeDct() = 0;
    // "There is no Jpeg2000 filter dll assigned!" without the plug-in.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeJpx() = 0;
    // "There is no Jbig2 filter dll assigned!" without the plug-in.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeJbig2() = 0;
    virtual CZAVPtr<IZAVArrayByteSp> EncodeToFormat(int32_t format) = 0;
    // The strips of the image saved as TIFF with its TIFF compression.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeCcitt() = 0;
    // As EncodeCcitt; a 1-bit image that is not black-first is inverted for
    // the coding. With TIFF compression 32946 it gives Flate data.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeLzw() = 0;
    virtual CZAVPtr<IZAVArrayByteSp> EncodeFlate() = 0;
    // The IDAT data of the image saved as PNG.
    virtual CZAVPtr<IZAVArrayByteSp> EncodeFlatePng() = 0;

    virtual CZAVPtr<IZAVArrayByteSp> DecodeRunLength(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                     const CArraySimple<unsigned char, 1>& data) = 0;
    // The image keeps the decoded picture, whatever size the caller gave.
    virtual CZAVPtr<IZAVArrayByteSp> DecodeDct(int width, int height, zavBitsPerPixel bitsPerPixel,
                                               const CArraySimple<unsigned char, 1>& data) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> DecodeJpx(int width, int height, zavBitsPerPixel bitsPerPixel,
                                               const CArraySimple<unsigned char, 1>& data) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> DecodeJbig2(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                 const CArraySimple<unsigned char, 1>& data) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> DecodeFromFormat(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                      int32_t format, const CArraySimple<unsigned char, 1>& data) = 0;
    // k is /K of /DecodeParms: negative Group 4, 0 Group 3 1-D, positive 2-D.
    virtual CZAVPtr<IZAVArrayByteSp> DecodeCcitt(int width, int height, zavBitsPerPixel bitsPerPixel, int32_t k,
                                                 const CArraySimple<unsigned char, 1>& data) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> DecodeLzw(int width, int height, zavBitsPerPixel bitsPerPixel,
                                               const CArraySimple<unsigned char, 1>& data) = 0;
    virtual CZAVPtr<IZAVArrayByteSp> DecodeFlateTiffPredictor(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                              const CArraySimple<unsigned char, 1>& data) = 0;
    // predictor is /Predictor, 10 to 15.
    virtual CZAVPtr<IZAVArrayByteSp> DecodeFlatePngPredictor(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                             int32_t predictor,
                                                             const CArraySimple<unsigned char, 1>& data) = 0;

protected:
    ~IZAVImageEditEncodeCpp() = default;
};

// The palette as other image objects also give it. Colours are 0x00BBGGRR
// (red in the low byte).
class IZAVImageStandardPaletteCpp {
public:
    virtual int GetPaletteCount() = 0;
    // n entries, all zero.
    virtual void SetPaletteSize(int count) = 0;
    // 0 for an index outside the table.
    virtual COLORREF GetPaletteEntry(int index) = 0;
    // False without a table or for an index outside it.
    virtual bool SetPaletteEntry(int index, COLORREF color) = 0;
    // Nothing happens when this palette is empty.
    virtual void CopyPaletteToStandard(IZAVImageStandardSp* target) = 0;

protected:
    ~IZAVImageStandardPaletteCpp() = default;
};

class IZAVImageEditPaletteCpp {
public:
    virtual int GetPaletteCount() = 0;
    virtual void SetPaletteSize(int count) = 0;
    virtual COLORREF GetPaletteEntry(int index) = 0;
    virtual bool SetPaletteEntry(int index, COLORREF color) = 0;
    // By the sum of the red, green and blue differences; the first of equal
    // distances; 0 for an empty table.
    virtual int FindNearestEntry(COLORREF color) = 0;
    virtual bool IsGrayScale() = 0;
    virtual void CreateGrayScale() = 0;
    virtual void CreateBlackWhite() = 0;
    virtual void CreateWhiteBlack() = 0;
    // At least 2 entries and entry 0 brighter than entry 1.
    virtual bool IsInverted() = 0;
    virtual void InvertPalette() = 0;
    // Copies into the palette of the object's image-standard view (id 10).
    virtual void CopyPaletteTo(IZAVQueryInterfaceSp* target) = 0;

protected:
    ~IZAVImageEditPaletteCpp() = default;
};

}  // namespace ZAV
