// The shadow effect's image operations answered by the image object itself,
// as the image-edit object answers them, with the advanced filter pass only
// counted (no advanced object here). Counts the calls the tests look at.
#pragma once

#include <memory>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/shadow/ShadowImage.h"

namespace ZAVTest {

struct ShadowCallCounts {
    int created = 0;
    int soften = 0;
    int contour = 0;
    int advancedFilter = 0;
    int lastFilterValue = 0;
};

inline ShadowCallCounts& ShadowCalls()
{
    static ShadowCallCounts counts;
    return counts;
}

class CImgShadowImage : public ZAV::IShadowImage {
public:
    CImgShadowImage() { ++ShadowCalls().created; }
    ZAV::CZAVImg& Image() { return m_image; }

    void Create(int width, int height, int bitsPerPixel) override
    {
        if (!m_image.Create(width, height, bitsPerPixel))
            ::ThrowTextException(m_image.GetErrorText().GetText());
    }
    int GetWidth() override { return m_image.GetWidth(); }
    int GetHeight() override { return m_image.GetHeight(); }
    int GetBitsPerPixel() override { return m_image.GetBitsPerPixel(); }
    void CopyFrom(ZAV::IShadowImage& source) override { Of(source).CopyTo(m_image); }
    void FillRectangle(int x, int y, int width, int height, COLORREF colour) override
    {
        m_image.DrawRectangle(x, y, x + width, y + height, colour);
    }
    BYTE GetPixel8(int x, int y) override { return m_image.GetPixel8(x, y); }
    void SetPixel8(int x, int y, BYTE value) override { m_image.SetPixel8(x, y, value); }
    COLORREF GetPixel24(int x, int y) override { return m_image.GetPixel24(x, y); }
    void SetPixel24(int x, int y, COLORREF colour) override { m_image.SetPixel24(x, y, colour); }
    void Soften(int strength) override
    {
        ++ShadowCalls().soften;
        m_image.Soften(strength);
    }
    void CreateContourImage(int size, const BYTE* profile, int profileLength) override
    {
        ++ShadowCalls().contour;
        m_image.CreateContourImage(size, profile, profileLength);
    }
    void OverlayWithMask(ZAV::IShadowImage& overlay, ZAV::IShadowImage& mask, int x, int y) override
    {
        ZAV::CZAVImg& layer = Of(overlay);
        m_image.OverlayWithMask(Pixels(layer), layer.GetWidth(), layer.GetHeight(), Pixels(Of(mask)), x, y);
    }
    void OverlayBlended(ZAV::IShadowImage& layer, int x, int y, double opacity, int fast) override
    {
        ZAV::CZAVImg& image = Of(layer);
        m_image.OverlayBlended(Pixels(image), image.GetWidth(), image.GetHeight(), x, y, opacity, fast);
    }
    void AdvancedFilter(int value) override
    {
        ++ShadowCalls().advancedFilter;
        ShadowCalls().lastFilterValue = value;
    }

    static ZAV::ShadowImagePtr Make() { return std::make_shared<CImgShadowImage>(); }

private:
    static ZAV::CZAVImg& Of(ZAV::IShadowImage& image) { return static_cast<CImgShadowImage&>(image).Image(); }
    static const BYTE* Pixels(ZAV::CZAVImg& image) { return static_cast<const BYTE*>(image.GetImageData()); }

    ZAV::CZAVImg m_image;
};

}  // namespace ZAVTest
