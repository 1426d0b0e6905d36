// Entry points of erosion and dilation: Erode .. DilateEx.
#include <algorithm>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/processing/Arguments.h"
#include "outside/korvex55/processing/Morphology.h"

using namespace KORVEX55;

namespace {

// Longest side of a mask, for the same reason as a user kernel's.
constexpr int32_t kMaxMaskSide = 255;

using Operation = void (*)(const PixelView&, const PixelView&, const StructuringElement&);

// In place: the image is read from a copy while it is written.
void Morph(Processor& self, Operation operation, const StructuringElement& element)
{
    const ImageView& image = RequireOwnPicture(self);
    const SourceImage before(self, self, "image");
    operation(ViewOf(before.View()), ViewOf(image), element);
}

StructuringElement MaskElement(const int32_t* mask, int32_t width, int32_t height)
{
    RequireRange(width, "mask width", 1, kMaxMaskSide);
    RequireRange(height, "mask height", 1, kMaxMaskSide);
    RequirePointer(mask, "mask");
    StructuringElement element{width, height, std::vector<int32_t>(mask, mask + static_cast<size_t>(width) * height)};
    if (std::all_of(element.mask.begin(), element.mask.end(), [](int32_t entry) { return entry == 0; }))
        Fail(kStatusBadValue, "the mask has no element set!");
    return element;
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Erode(KORV_Handle handle)
{
    return RunOperation(handle, "Erode", [&](Processor& self) { Morph(self, Erode, Square3x3()); });
}

KORV_API KORV_Status KORV_Dilate(KORV_Handle handle)
{
    return RunOperation(handle, "Dilate", [&](Processor& self) { Morph(self, Dilate, Square3x3()); });
}

KORV_API KORV_Status KORV_ErodeEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return RunOperation(handle, "ErodeEx",
                        [&](Processor& self) { Morph(self, Erode, MaskElement(mask, value1, value2)); });
}

KORV_API KORV_Status KORV_DilateEx(KORV_Handle handle, const int32_t* mask, int32_t value1, int32_t value2)
{
    return RunOperation(handle, "DilateEx",
                        [&](Processor& self) { Morph(self, Dilate, MaskElement(mask, value1, value2)); });
}

}  // extern "C"
