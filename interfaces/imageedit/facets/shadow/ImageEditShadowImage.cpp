#include "interfaces/imageedit/facets/shadow/ImageEditShadowImage.h"

#include "foundation/text/TextException.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"
#include "interfaces/advanced/facets/ZAVAIPFilter.h"
#include "interfaces/imageedit/ZAVImageEdit.h"

namespace ZAV {

namespace {

const char kInvalidParameterText[] = "Invalid Parameter!";

class CImageEditShadowImage : public IShadowImage {
public:
    CImageEditShadowImage(IZAVImageEditSp* picture, bool holdsReference) : m_picture(picture, false)
    {
        if (holdsReference)
            m_picture.Assign(picture);
    }

    IZAVImageEditSp* GetPicture() const { return m_picture.Get(); }

    void Create(int width, int height, int bitsPerPixel) override
    {
        m_picture->Create(width, height, static_cast<zavBitsPerPixel>(bitsPerPixel));
    }
    int GetWidth() override { return m_picture->GetWidth(); }
    int GetHeight() override { return m_picture->GetHeight(); }
    int GetBitsPerPixel() override { return m_picture->GetBitsPerPixel(); }
    void CopyFrom(IShadowImage& source) override { ImageOf(source).CopyTo(ImageOf(*this)); }

    // The Draw facet checks every position and depth.
    void FillRectangle(int x, int y, int width, int height, COLORREF colour) override
    {
        Draw().DrawRectangle(x, y, x + width, y + height, colour);
    }
    BYTE GetPixel8(int x, int y) override { return Draw().GetPixel8(x, y); }
    void SetPixel8(int x, int y, BYTE value) override { Draw().SetPixel8(x, y, value); }
    COLORREF GetPixel24(int x, int y) override { return Draw().GetPixel24(x, y); }
    void SetPixel24(int x, int y, COLORREF colour) override { Draw().SetPixel24(x, y, colour); }

    void Soften(int strength) override { m_picture->GetFilter()->Soften(strength); }
    void CreateContourImage(int size, const BYTE* profile, int profileLength) override
    {
        m_picture->GetImageProcessing()->CreateContourImage(size,
                                                            CArraySimple<unsigned char, 1>(profile, profileLength));
    }
    void OverlayWithMask(IShadowImage& overlay, IShadowImage& mask, int x, int y) override
    {
        m_picture->OverlayWithMask(PictureOf(overlay), PictureOf(mask), x, y);
    }
    void OverlayBlended(IShadowImage& layer, int x, int y, double opacity, int fast) override
    {
        m_picture->OverlayBlended(PictureOf(layer), x, y, opacity, fast);
    }
    // The picture filters itself: the advanced object made on it reads a
    // copy and writes the result back into the picture. The pass is part of
    // every effect, so a library that cannot be bound or a filter it refuses
    // fails the effect with the library's text.
    void AdvancedFilter(int value) override
    {
        CZAVPtr<IZAVAdvancedImgProcSp> advanced = m_picture->CreateAdvancedImgProc();
        advanced->GetFilter()->Filter(value, m_picture.Get());
    }

private:
    IZAVImageEditDrawCpp& Draw() { return *m_picture->GetDraw(); }

    static IZAVImageEditSp* PictureOf(IShadowImage& image)
    {
        auto* wrapped = dynamic_cast<CImageEditShadowImage*>(&image);
        if (!wrapped)
            ThrowTextException(kInvalidParameterText);
        return wrapped->GetPicture();
    }
    static CZAVImg& ImageOf(IShadowImage& image) { return PictureOf(image)->GetImageEdit()->GetImage(); }

    CZAVPtr<IZAVImageEditSp> m_picture;
};

ShadowImagePtr CreateWorkImage()
{
    CZAVPtr<IZAVImageEditSp> picture = CreateImageEditSp();
    return picture ? HeldShadowImage(picture.Get()) : nullptr;
}

}  // namespace

void UseImageEditShadowImages()
{
    SetShadowImageFactory(&CreateWorkImage);
}

ShadowImagePtr HeldShadowImage(IZAVImageEditSp* picture)
{
    if (!picture)
        ThrowTextException(kInvalidParameterText);
    return std::make_shared<CImageEditShadowImage>(picture, true);
}

ShadowImagePtr BorrowedShadowImage(IZAVImageEditSp* picture)
{
    if (!picture)
        ThrowTextException(kInvalidParameterText);
    return std::make_shared<CImageEditShadowImage>(picture, false);
}

CZAVPtr<IZAVImageEditSp> PictureOfShadowImage(const ShadowImagePtr& image)
{
    CZAVPtr<IZAVImageEditSp> picture;
    if (auto* wrapped = dynamic_cast<CImageEditShadowImage*>(image.get()))
        picture.Assign(wrapped->GetPicture());
    return picture;
}

}  // namespace ZAV
