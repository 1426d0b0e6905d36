// The Encode facet: each operation codes the owner's image through a
// temporary PDF encoder, or decodes stream bytes with the image as its work
// image, and hands the bytes back as a new byte array.
#pragma once

#include "interfaces/imageedit/facets/ImageEditFacetInterfaces.h"

namespace ZAV {

class CZAVImageEdit;
class CZAVImg;

class CZAVImageEditEncode : public IZAVImageEditEncodeCpp {
public:
    explicit CZAVImageEditEncode(CZAVImageEdit* owner) : m_owner(owner) {}

    CZAVPtr<IZAVArrayByteSp> EncodeRunLength() override;
    CZAVPtr<IZAVArrayByteSp> EncodeDct() override;
    CZAVPtr<IZAVArrayByteSp> EncodeJpx() override;
    CZAVPtr<IZAVArrayByteSp> EncodeJbig2() override;
    CZAVPtr<IZAVArrayByteSp> EncodeToFormat(int32_t format) override;
    CZAVPtr<IZAVArrayByteSp> EncodeCcitt() override;
    CZAVPtr<IZAVArrayByteSp> EncodeLzw() override;
    CZAVPtr<IZAVArrayByteSp> EncodeFlate() override;
    CZAVPtr<IZAVArrayByteSp> EncodeFlatePng() override;
    CZAVPtr<IZAVArrayByteSp> DecodeRunLength(int width, int height, zavBitsPerPixel bitsPerPixel,
                                             const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeDct(int width, int height, zavBitsPerPixel bitsPerPixel,
                                       const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeJpx(int width, int height, zavBitsPerPixel bitsPerPixel,
                                       const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeJbig2(int width, int height, zavBitsPerPixel bitsPerPixel,
                                         const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeFromFormat(int width, int height, zavBitsPerPixel bitsPerPixel, int32_t format,
                                              const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeCcitt(int width, int height, zavBitsPerPixel bitsPerPixel, int32_t k,
                                         const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeLzw(int width, int height, zavBitsPerPixel bitsPerPixel,
                                       const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeFlateTiffPredictor(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                      const CArraySimple<unsigned char, 1>& data) override;
    CZAVPtr<IZAVArrayByteSp> DecodeFlatePngPredictor(int width, int height, zavBitsPerPixel bitsPerPixel,
                                                     int32_t predictor,
                                                     const CArraySimple<unsigned char, 1>& data) override;

private:
    CZAVImg& Image();

    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
