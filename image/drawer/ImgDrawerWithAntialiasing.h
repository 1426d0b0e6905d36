// The drawer every image owns: the base drawer plus a resampling path for
// draw modes 1, 3 and 4, done by advanced image-processing objects.
#pragma once

#include <memory>

#include "image/drawer/AntialiasProcessor.h"
#include "image/drawer/ImgDrawer.h"

namespace ZAV {

class CZAVImg;

constexpr int kDrawModeAntialiasFiltered = 1;
constexpr int kDrawModeAntialiasLogic = 3;
constexpr int kDrawModeAntialiasResample = 4;

// Work image 0 holds the 8-bit grey copy of a 1-bit image (kept between
// paints), 1 the section, 2 the resampled picture, 3 the filtered one.
struct CAntialiasHelpers {
    CAntialiasHelpers();
    ~CAntialiasHelpers();
    CAntialiasHelpers(const CAntialiasHelpers&) = delete;
    CAntialiasHelpers& operator=(const CAntialiasHelpers&) = delete;
    // Lets the pixels of every work image go.
    void ClearWorkImages();

    bool initialised = false;
    std::unique_ptr<CZAVImg> images[4];
    std::unique_ptr<IAntialiasProcessor> objects[3];
};

class CZAVImgDrawerWithAntialiasing : public CZAVImgDrawer {
public:
    explicit CZAVImgDrawerWithAntialiasing(CZAVImgBase* image) : CZAVImgDrawer(image) {}

    void ReleaseResources() override;
    int Paint(HDC dc, int x, int y, int w, int h, int sourceX, int sourceY, int sourceW, int sourceH,
              int flags) override;

    // Where the antialiased path gets its objects; none by default.
    static void SetAdvancedImgProcFactory(AdvancedImgProcFactory factory);

private:
    // True when the antialiased picture was drawn; otherwise the error box
    // may have been drawn and the caller takes the copy or stretch path.
    bool RenderAntialiased(HDC dc, const RECT& target, const RECT& source);
    bool Initialise();
    void DrawErrorBox(HDC dc, const RECT& target);
    // Work image 1 from the source rectangle, in 8-bit grey or 24 bits.
    void CopySection(const RECT& source);
    // Work image index created at the size with work image 1's depth and
    // lent to the object of the same index less one.
    CZAVImg& MakeStage(int index, int width, int height, int depth);
    void PaintResult(HDC dc, CZAVImg& result, const RECT& target);

    CAntialiasHelpers m_antialias;
};

}  // namespace ZAV
