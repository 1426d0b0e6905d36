// Drawing a view layer: the section of the image a world rectangle covers,
// placed where the caller's view maps it, into a device context or through
// the caller's drawing object.
#include <algorithm>
#include <cstdint>
#include <limits>

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/facets/cnv/WorldCoordinates.h"
#include "interfaces/imageedit/view/ZAVViewLayer.h"

namespace ZAV {

namespace {

// Destination sizes are device pixels.
constexpr int kUnitPixels = 5;

// The nearest 32-bit value, for sums of the caller's coordinates.
int SaturateToInt32(int64_t value)
{
    return static_cast<int>(
        std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int ClampInt(int value, int low, int high)
{
    return std::min(std::max(value, low), high);
}

// One more pixel on every side, so that the edges of the part are covered
// whatever the view rounds, kept within the image.
RECT WidenWithinImage(const RECT& pixels, int width, int height)
{
    const auto widen = [](int value, int step) { return SaturateToInt32(static_cast<int64_t>(value) + step); };
    return RECT{ClampInt(widen(pixels.left, -1), 0, width - 1), ClampInt(widen(pixels.top, -1), 0, height - 1),
                ClampInt(widen(pixels.right, 1), 0, width - 1), ClampInt(widen(pixels.bottom, 1), 0, height - 1)};
}

int Extent(int32_t first, int32_t last)
{
    return SaturateToInt32(static_cast<int64_t>(last) - first + 1);
}

}  // namespace

RECT CZAVViewLayer::SourceFor(int partial, const CWorldRect* part, CWorldRect& world) const
{
    const int width = m_owner->GetWidth();
    const int height = m_owner->GetHeight();
    if (!partial) {
        world = m_worldRect;
        return RECT{0, 0, width - 1, height - 1};
    }
    if (!part)
        ThrowTextException("Invalid Parameter!");
    const RECT pixels = WorldRectToPixelRect(m_worldRect, width, height, *part);
    const RECT source = WidenWithinImage(pixels, width, height);
    world = PixelRectToWorldRect(m_worldRect, width, height, source);
    return source;
}

CZAVViewLayer::CSection CZAVViewLayer::PlaceSection(IZAVLayerView* view, const POINT* origin, int partial,
                                                    const CWorldRect* part) const
{
    if (!view)
        ThrowTextException("Invalid Parameter!");
    CSection section;
    CWorldRect world;
    section.source = SourceFor(partial, part, world);
    RECT device{};
    view->WorldToDevice(world, device);
    const POINT at = origin ? *origin : POINT{0, 0};
    section.x = SaturateToInt32(static_cast<int64_t>(at.x) + device.left);
    section.y = SaturateToInt32(static_cast<int64_t>(at.y) + device.top);
    section.width = Extent(device.left, device.right);
    section.height = Extent(device.top, device.bottom);
    return section;
}

int CZAVViewLayer::Draw(HDC dc, WORD, WORD, IZAVLayerView* view, const POINT* origin, int partial,
                        const CWorldRect* part, double, double)
{
    if (!m_owner->HasImage())
        return 0;
    const CSection s = PlaceSection(view, origin, partial, part);
    return m_owner->DrawImageSection(dc, s.x, s.y, s.width, s.height, kUnitPixels, s.source.left, s.source.top,
                                     Extent(s.source.left, s.source.right), Extent(s.source.top, s.source.bottom));
}

CZAVPtr<IZAVLayerDrawing> CZAVViewLayer::KeptDrawing(IZAVLayerTarget* target)
{
    if (m_drawing)
        return m_drawing;
    CZAVPtr<IZAVLayerDrawing> drawing = target->CreateDrawing();
    if (!drawing)
        ThrowTextException("Invalid Parameter!");
    drawing->SetTarget(target);
    if (m_owner->GetDrawMode() == kDrawModeTransparent)
        drawing->SetTransparentColor(m_owner->GetTransparentColor(), 1);
    // The drawing object gets the interface, not a reference it keeps.
    CZAVPtr<IZAVImageEditSp> self = m_owner->GetImageEditSp();
    drawing->SetImageEdit(self.Get());
    m_drawing = drawing;
    return drawing;
}

int CZAVViewLayer::DrawTo(IZAVLayerTarget* target, WORD, IZAVLayerView* view, const POINT* origin, int partial,
                          const CWorldRect* part, double, double)
{
    if (!m_owner->HasImage())
        return 0;
    if (!target)
        ThrowTextException("Invalid Parameter!");
    const CSection s = PlaceSection(view, origin, partial, part);
    // A reference of its own, should the drawing reset the image meanwhile.
    const CZAVPtr<IZAVLayerDrawing> drawing = KeptDrawing(target);
    return drawing->DrawSection(target, s.x, s.y, s.width, s.height, kUnitPixels, s.source.left, s.source.top,
                                Extent(s.source.left, s.source.right), Extent(s.source.top, s.source.bottom));
}

}  // namespace ZAV
