// CZAVViewLayer: the view-layer state of an image-edit object and the
// operations of its IZAVViewLayerSp view. The image sits in a world
// coordinate system by its world rectangle; the caller's view maps world
// coordinates to the device, and the layer draws the image, or the part of
// it a world rectangle covers, where the view puts it.
#pragma once

#include <cstdint>
#include <string>

#include "foundation/objects/ZAVInterfaces.h"
#include "foundation/objects/ZAVPtr.h"
#include "interfaces/imageedit/view/LayerObjects.h"
#include "interfaces/imageedit/view/WorldRect.h"
#include "platform/WinTypes.h"
#include "platform/gdi/GdiTypes.h"

namespace ZAV {

class CZAVImageEdit;

class CZAVViewLayer {
public:
    explicit CZAVViewLayer(CZAVImageEdit* owner) : m_owner(owner) {}
    CZAVViewLayer(const CZAVViewLayer&) = delete;
    CZAVViewLayer& operator=(const CZAVViewLayer&) = delete;

    // The image was replaced or resized: the world rectangle becomes its
    // extent, the fourth flag 1, and the kept drawing object goes.
    void OnImageReset(int width, int height);
    void ReleaseDrawing() { m_drawing.Reset(); }

    // ---- drawing: 0 for an empty image ----
    int Draw(HDC dc, WORD reserved1, WORD reserved2, IZAVLayerView* view, const POINT* origin, int partial,
             const CWorldRect* part, double reserved3, double reserved4);
    int DrawTo(IZAVLayerTarget* target, WORD reserved1, IZAVLayerView* view, const POINT* origin, int partial,
               const CWorldRect* part, double reserved3, double reserved4);

    // ---- stored settings ----
    int GetLayerFlag1() const { return m_layerFlag1; }
    int SetLayerFlag1(int value) { return m_layerFlag1 = value; }
    int GetLayerFlag2() const { return m_layerFlag2; }
    int SetLayerFlag2(int value) { return m_layerFlag2 = value; }
    int GetLayerFlag3() const { return m_layerFlag3; }
    int SetLayerFlag3(int value) { return m_layerFlag3 = value; }
    int GetLayerFlag4() const { return m_layerFlag4; }
    int SetLayerFlag4(int value) { return m_layerFlag4 = value; }
    // A range is two values in either order; min and max sort them.
    double GetFirstRangeMin() const;
    double GetFirstRangeMax() const;
    void SetFirstRangeStart(double value) { m_range1[0] = value; }
    void SetFirstRangeEnd(double value) { m_range1[1] = value; }
    double GetSecondRangeMin() const;
    double GetSecondRangeMax() const;
    void SetSecondRangeStart(double value) { m_range2[0] = value; }
    void SetSecondRangeEnd(double value) { m_range2[1] = value; }
    const CWorldRect& GetWorldRect() const { return m_worldRect; }
    void SetWorldRect(const CWorldRect& rect) { m_worldRect = rect; }
    std::string GetLayerText() const { return m_layerText; }
    void SetLayerText(const std::string& text) { m_layerText = text; }
    int HasImageData() const;
    // No layer object exists here: always an empty holder.
    CZAVPtr<IZAVObjectSp> GetLayerObject() const { return CZAVPtr<IZAVObjectSp>(); }

private:
    // Where one draw puts which pixels: the destination in device pixels
    // and the source rectangle of the image (inclusive).
    struct CSection {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        RECT source{};
    };

    // The source rectangle and the world rectangle it covers; for a part,
    // the part's pixels widened by one on every side, within the image.
    RECT SourceFor(int partial, const CWorldRect* part, CWorldRect& world) const;
    CSection PlaceSection(IZAVLayerView* view, const POINT* origin, int partial, const CWorldRect* part) const;
    CZAVPtr<IZAVLayerDrawing> KeptDrawing(IZAVLayerTarget* target);

    CZAVImageEdit* m_owner;
    int32_t m_layerFlag1 = 1;
    int32_t m_layerFlag2 = 1;
    int32_t m_layerFlag3 = 1;
    int32_t m_layerFlag4 = 1;
    CWorldRect m_worldRect;
    std::string m_layerText;
    double m_range1[2] = {-1.0, -1.0};
    double m_range2[2] = {-1.0, -1.0};
    // Made by a DrawTo target and reused until the image is reset.
    CZAVPtr<IZAVLayerDrawing> m_drawing;
};

}  // namespace ZAV
