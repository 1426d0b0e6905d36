// The caller's objects a view layer draws with. The view maps world
// coordinates to device pixels; the target is whatever the caller draws on
// and makes the drawing object that paints an image-edit object's sections
// onto it. The image-edit object keeps the drawing object it got and reuses
// it until its image is reset.
#pragma once

#include <cstdint>

#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/imageedit/view/WorldRect.h"
#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditSp;
class IZAVLayerDrawing;

class IZAVLayerView {
public:
    // The device rectangle (left, top, right, bottom) the world rectangle
    // covers.
    virtual void WorldToDevice(const CWorldRect& world, RECT& device) = 0;

protected:
    ~IZAVLayerView() = default;
};

class IZAVLayerTarget {
public:
    // A new drawing object for this target; the holder owns it.
    virtual CZAVPtr<IZAVLayerDrawing> CreateDrawing() = 0;

protected:
    ~IZAVLayerTarget() = default;
};

// Reference counted, since the image-edit object keeps it.
class IZAVLayerDrawing : public IZAVUnknownSp {
public:
    virtual void SetTarget(IZAVLayerTarget* target) = 0;
    // Draw mode 5 leaves this colour out; enabled is 1 then.
    virtual void SetTransparentColor(COLORREF color, int32_t enabled) = 0;
    // The image to draw. The drawing object must not keep a reference: the
    // image-edit object holds the drawing object, and a reference back would
    // keep both alive for ever.
    virtual void SetImageEdit(IZAVImageEditSp* image) = 0;
    // The source rectangle (pixels of the image) drawn into the destination
    // (in the unit; 5 is device pixels). The result is the drawing object's.
    virtual int32_t DrawSection(IZAVLayerTarget* target, int x, int y, int width, int height, int unit, int sourceX,
                                int sourceY, int sourceWidth, int sourceHeight) = 0;

protected:
    ~IZAVLayerDrawing() = default;
};

}  // namespace ZAV
