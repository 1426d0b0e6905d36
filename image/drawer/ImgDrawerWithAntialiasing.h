// The drawer every image owns: the base drawer plus a resampling path for
// draw modes 1, 3 and 4, done by advanced image-processing objects.
#pragma once

#include "foundation/objects/ZAVInterfaces.h"
#include "image/drawer/ImgDrawer.h"

namespace ZAV {

constexpr int kDrawModeAntialiasFiltered = 1;
constexpr int kDrawModeAntialiasLogic = 3;
constexpr int kDrawModeAntialiasResample = 4;

// Makes one advanced image-processing object (its one reference handed
// over), or null when the outside library cannot be had.
using AdvancedImgProcFactory = IZAVUnknownSp* (*)();

struct CAntialiasHelpers {
    bool initialised = false;
    IZAVUnknownSp* objects[3] = {nullptr, nullptr, nullptr};
    ~CAntialiasHelpers();
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

    CAntialiasHelpers m_antialias;
};

}  // namespace ZAV
