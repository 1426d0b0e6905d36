// Entry points that fill and copy: Fill .. CopyWithReplicateBorder, FloodFill.
#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/processing/Arguments.h"
#include "outside/korvex55/processing/Copying.h"
#include "outside/korvex55/processing/FloodFill.h"

using namespace KORVEX55;

namespace {

// The object's image when it has the source's depth, else a new one of the
// source's size grown by the offsets on both sides.
const ImageView& BorderDestination(Processor& self, const ImageView& source, int32_t offsetX, int32_t offsetY)
{
    if (self.HasImage() && SameLayout(self.Image().bitsPerPixel, source.bitsPerPixel))
        return self.Image();
    RequireRange(offsetX, "border width", 0, INT32_MAX);
    RequireRange(offsetY, "border height", 0, INT32_MAX);
    const int64_t width = source.width + 2 * int64_t(offsetX);
    const int64_t height = source.height + 2 * int64_t(offsetY);
    if (width > INT32_MAX || height > INT32_MAX)
        Fail(kStatusTooLarge,
             Format("%lld x %lld pixels is too large!", static_cast<long long>(width), static_cast<long long>(height)));
    return self.PrepareDestination(static_cast<int32_t>(width), static_cast<int32_t>(height), source.bitsPerPixel);
}

void CopyWithBorder(Processor& self, KORV_Handle sourceHandle, int32_t offsetX, int32_t offsetY,
                    const int32_t* colourValue)
{
    const SourceImage source(self, Operand(sourceHandle));
    const ImageView& in = RequirePicture(source);
    const ImageView& out = BorderDestination(self, in, offsetX, offsetY);
    if (!colourValue) {
        CopyShifted(ViewOf(in), ViewOf(out), offsetX, offsetY, nullptr);
        return;
    }
    const Samples colour = ColourSamples(*colourValue, out.bitsPerPixel);
    CopyShifted(ViewOf(in), ViewOf(out), offsetX, offsetY, &colour);
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Fill(KORV_Handle handle, int32_t value)
{
    return RunOperation(handle, "Fill", [&](Processor& self) {
        const ImageView& image = RequireOwnPicture(self);
        FillPicture(ViewOf(image), ColourSamples(value, image.bitsPerPixel));
    });
}

KORV_API KORV_Status KORV_Copy(KORV_Handle handle, KORV_Handle source)
{
    return RunOperation(handle, "Copy", [&](Processor& self) {
        const SourceImage picture(self, Operand(source));
        const ImageView& in = RequirePicture(picture);
        const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
        CopyRect(ViewOf(in), Rect{0, 0, in.width, in.height}, ViewOf(out), 0, 0);
    });
}

KORV_API KORV_Status KORV_CopyWithMask(KORV_Handle handle, KORV_Handle source, KORV_Handle mask)
{
    return RunOperation(handle, "CopyWithMask", [&](Processor& self) {
        const SourceImage picture(self, Operand(source));
        const SourceImage stencil(self, Operand(mask), "mask");
        const ImageView& in = RequirePicture(picture);
        RequireDepth(stencil.View(), "mask", {1, 8, 9});
        RequireSameSize(stencil.View(), "mask", in, "source");
        const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
        CopyMasked(ViewOf(in), ViewOf(stencil.View()), ViewOf(out));
    });
}

KORV_API KORV_Status KORV_Crop(KORV_Handle handle, KORV_Handle source, int32_t x, int32_t y, int32_t width,
                               int32_t height)
{
    return RunOperation(handle, "Crop", [&](Processor& self) {
        const SourceImage picture(self, Operand(source));
        const ImageView& in = RequirePicture(picture);
        const Rect rect{x, y, width, height};
        RequireRectInside(rect, "rectangle", in, "source");
        const ImageView& out = self.PrepareDestination(width, height, in.bitsPerPixel);
        CopyRect(ViewOf(in), rect, ViewOf(out), 0, 0);
    });
}

KORV_API KORV_Status KORV_CropTo(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2, int32_t value3,
                                 int32_t value4, int32_t value5, int32_t value6)
{
    return RunOperation(handle, "CropTo", [&](Processor& self) {
        const SourceImage picture(self, Operand(source));
        const ImageView& in = RequirePicture(picture);
        const ImageView& out = RequireImage(self, "image");
        RequireSameDepth(in, "source", out, "image");
        const Rect from{value1, value2, value3, value4};
        RequireRectInside(from, "rectangle", in, "source");
        RequireRectInside(Rect{value5, value6, value3, value4}, "target rectangle", out, "image");
        CopyRect(ViewOf(in), from, ViewOf(out), value5, value6);
    });
}

KORV_API KORV_Status KORV_CopyWithConstBorder(KORV_Handle handle, KORV_Handle source, int32_t value1, int32_t value2,
                                              int32_t value3)
{
    return RunOperation(handle, "CopyWithConstBorder",
                        [&](Processor& self) { CopyWithBorder(self, source, value1, value2, &value3); });
}

KORV_API KORV_Status KORV_CopyWithReplicateBorder(KORV_Handle handle, KORV_Handle source, int32_t value1,
                                                  int32_t value2)
{
    return RunOperation(handle, "CopyWithReplicateBorder",
                        [&](Processor& self) { CopyWithBorder(self, source, value1, value2, nullptr); });
}

KORV_API KORV_Status KORV_FloodFill(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3, int32_t value4,
                                    int32_t value5, int32_t value6)
{
    return RunOperation(handle, "FloodFill", [&](Processor& self) {
        const ImageView& image = RequireOwnPicture(self);
        RequireRange(value1, "seed column", 0, image.width - 1);
        RequireRange(value2, "seed row", 0, image.height - 1);
        RequireRange(value4, "lower tolerance", 0, 255);
        RequireRange(value5, "upper tolerance", 0, 255);
        if (value6 != 4 && value6 != 8)
            Fail(kStatusBadValue, Format("the connectivity %d is neither 4 nor 8!", value6));
        FloodFillPicture(ViewOf(image), value1, value2, ColourSamples(value3, image.bitsPerPixel),
                         FloodRange{value4, value5, value6});
    });
}

}  // extern "C"
