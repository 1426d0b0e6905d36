// Entry points of alpha work: AlphaPremultiply .. AlphaOverlayWithConstant.
#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/processing/Alpha.h"
#include "outside/korvex55/processing/Arguments.h"

using namespace KORVEX55;

namespace {

// The result keeps the object's depth when its image has the operands' size
// and a depth the overlay writes; otherwise it takes the first operand's.
const ImageView& OverlayDestination(Processor& self, const ImageView& first)
{
    int32_t depth = first.bitsPerPixel;
    if (self.HasImage()) {
        const ImageView& image = self.Image();
        const bool writable = image.bitsPerPixel != 1 && image.bitsPerPixel != 16 && image.bitsPerPixel != 48;
        if (writable && image.width == first.width && image.height == first.height)
            depth = image.bitsPerPixel;
    }
    return self.PrepareDestination(first.width, first.height, depth);
}

void Overlay(Processor& self, KORV_Handle firstHandle, int32_t firstAlpha, KORV_Handle secondHandle,
             int32_t secondAlpha, int32_t op)
{
    RequireRange(op, "overlay operator", 0, kCompositeCount - 1);
    const SourceImage first(self, Operand(firstHandle), "first operand");
    const SourceImage second(self, Operand(secondHandle), "second operand");
    RequireDepth(first.View(), "first operand", {8, 9, 24, 32});
    RequireDepth(second.View(), "second operand", {8, 9, 24, 32});
    RequireSameSize(first.View(), "first operand", second.View(), "second operand");
    const ImageView& out = OverlayDestination(self, first.View());
    CompositePictures(Layer{ViewOf(first.View()), firstAlpha}, Layer{ViewOf(second.View()), secondAlpha}, op,
                      ViewOf(out));
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_AlphaPremultiply(KORV_Handle handle)
{
    return RunOperation(handle, "AlphaPremultiply",
                        [&](Processor& self) { PremultiplyByOwnAlpha(ViewOf(RequireOwnImage(self, {32}))); });
}

KORV_API KORV_Status KORV_AlphaPremultiplyWithConstant(KORV_Handle handle, int32_t value)
{
    return RunOperation(handle, "AlphaPremultiplyWithConstant", [&](Processor& self) {
        const ImageView& image = RequireOwnImage(self, {8, 9, 24, 32});
        RequireRange(value, "alpha", 0, 255);
        PremultiplyByConstant(ViewOf(image), static_cast<uint8_t>(value));
    });
}

KORV_API KORV_Status KORV_ApplyAlphaChannelConstant(KORV_Handle handle, int32_t value)
{
    return RunOperation(handle, "ApplyAlphaChannelConstant", [&](Processor& self) {
        const ImageView& image = RequireOwnImage(self, {32});
        RequireRange(value, "alpha", 0, 255);
        SetAlpha(ViewOf(image), static_cast<uint8_t>(value));
    });
}

KORV_API KORV_Status KORV_ApplyAlphaChannel(KORV_Handle handle, KORV_Handle alpha)
{
    return RunOperation(handle, "ApplyAlphaChannel", [&](Processor& self) {
        const ImageView& image = RequireOwnImage(self, {32});
        const SourceImage mask(self, Operand(alpha), "alpha image");
        RequireOneByteOfSize(mask.View(), "alpha image", image, "image");
        SetAlphaFrom(ViewOf(image), ViewOf(mask.View()));
    });
}

KORV_API KORV_Status KORV_AlphaOverlay(KORV_Handle handle, KORV_Handle first, KORV_Handle second, int32_t value)
{
    return RunOperation(handle, "AlphaOverlay", [&](Processor& self) { Overlay(self, first, -1, second, -1, value); });
}

KORV_API KORV_Status KORV_AlphaOverlayWithConstant(KORV_Handle handle, KORV_Handle first, int32_t value1,
                                                   KORV_Handle second, int32_t value2, int32_t value3)
{
    return RunOperation(handle, "AlphaOverlayWithConstant", [&](Processor& self) {
        RequireRange(value1, "alpha of the first operand", 0, 255);
        RequireRange(value2, "alpha of the second operand", 0, 255);
        Overlay(self, first, value1, second, value2, value3);
    });
}

}  // extern "C"
