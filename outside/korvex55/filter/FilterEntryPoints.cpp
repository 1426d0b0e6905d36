// Entry points of the filter group: Filter .. GetFilterBorderEx.
#include <algorithm>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/filter/NeighbourhoodFilters.h"
#include "outside/korvex55/processing/Arguments.h"

using namespace KORVEX55;

namespace {

// Runs a filter from the source into the object's image of the same shape.
template <typename Work>
void FilterFromSource(Processor& self, KORV_Handle sourceHandle, Work&& work)
{
    const SourceImage source(self, Operand(sourceHandle));
    const ImageView& in = source.View();
    RequireDepth(in, "source", {8, 9, 24});
    const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
    work(ViewOf(in), ViewOf(out));
}

Kernel UserKernel(const int32_t* weights, int32_t width, int32_t height, int32_t anchorX, int32_t anchorY,
                  int32_t divisor)
{
    RequireRange(width, "kernel width", 1, kMaxKernelSide);
    RequireRange(height, "kernel height", 1, kMaxKernelSide);
    RequireRange(anchorX, "anchor column", 0, width - 1);
    RequireRange(anchorY, "anchor row", 0, height - 1);
    if (divisor == 0)
        Fail(kStatusBadValue, "the divisor is 0!");
    RequirePointer(weights, "kernel");
    Kernel kernel;
    kernel.width = width;
    kernel.height = height;
    kernel.anchorX = anchorX;
    kernel.anchorY = anchorY;
    kernel.weights.assign(weights, weights + static_cast<size_t>(width) * height);
    kernel.divisor = divisor;
    return kernel;
}

// Columns or rows a kernel side reaches beyond its anchor, the farther side.
int32_t Reach(int32_t size, int32_t anchor)
{
    return std::max(anchor, size - 1 - anchor);
}

void WritePair(int64_t first, int64_t second, int32_t* firstOut, int32_t* secondOut)
{
    RequirePointer(firstOut, "first");
    RequirePointer(secondOut, "second");
    if (first > INT32_MAX || second > INT32_MAX)
        Fail(kStatusTooLarge, Format("the region of %lld x %lld pixels is too large!", static_cast<long long>(first),
                                     static_cast<long long>(second)));
    *firstOut = static_cast<int32_t>(first);
    *secondOut = static_cast<int32_t>(second);
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Filter(KORV_Handle handle, int32_t kind, KORV_Handle source)
{
    return RunOperation(handle, "Filter", [&](Processor& self) {
        RequireFilterKind(kind);
        FilterFromSource(self, source, [&](const PixelView& in, const PixelView& out) {
            if (IsRankKind(kind))
                RankFilter3x3(in, out, kind);
            else
                Convolve(in, out, PredefinedKernel(kind));
        });
    });
}

KORV_API KORV_Status KORV_FilterUserDefined(KORV_Handle handle, KORV_Handle source, const int32_t* kernel,
                                            int32_t value3, int32_t value4, int32_t value5, int32_t value6,
                                            int32_t value7)
{
    return RunOperation(handle, "FilterUserDefined", [&](Processor& self) {
        const Kernel user = UserKernel(kernel, value3, value4, value5, value6, value7);
        FilterFromSource(self, source, [&](const PixelView& in, const PixelView& out) { Convolve(in, out, user); });
    });
}

KORV_API KORV_Status KORV_Antialias(KORV_Handle handle, KORV_Handle source)
{
    return RunOperation(handle, "Antialias", [&](Processor& self) {
        FilterFromSource(self, source, [&](const PixelView& in, const PixelView& out) { Antialias(in, out); });
    });
}

KORV_API KORV_Status KORV_GetRoiForFilter(KORV_Handle handle, int32_t kind, int32_t a, int32_t b, int32_t* first,
                                          int32_t* second)
{
    return RunOperation(handle, "GetRoiForFilter", [&](Processor&) {
        RequireFilterKind(kind);
        RequireRange(a, "width", 1, INT32_MAX);
        RequireRange(b, "height", 1, INT32_MAX);
        const int64_t border = PredefinedBorder(kind);
        WritePair(a + 2 * border, b + 2 * border, first, second);
    });
}

KORV_API KORV_Status KORV_GetRoiForFilterEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                            int32_t a, int32_t b, int32_t* first, int32_t* second)
{
    return RunOperation(handle, "GetRoiForFilterEx", [&](Processor&) {
        RequireRange(value1, "kernel width", 1, kMaxKernelSide);
        RequireRange(value2, "kernel height", 1, kMaxKernelSide);
        RequireRange(value3, "number of passes", 1, kMaxKernelSide);
        RequireRange(a, "width", 1, INT32_MAX);
        RequireRange(b, "height", 1, INT32_MAX);
        WritePair(a + int64_t(value3) * (value1 - 1), b + int64_t(value3) * (value2 - 1), first, second);
    });
}

KORV_API KORV_Status KORV_GetFilterBorder(KORV_Handle handle, int32_t value1, int32_t value2, int32_t* first,
                                          int32_t* second)
{
    return RunOperation(handle, "GetFilterBorder", [&](Processor&) {
        RequireRange(value1, "kernel width", 1, kMaxKernelSide);
        RequireRange(value2, "kernel height", 1, kMaxKernelSide);
        WritePair(value1 / 2, value2 / 2, first, second);
    });
}

KORV_API KORV_Status KORV_GetFilterBorderEx(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                            int32_t value4, int32_t* first, int32_t* second)
{
    return RunOperation(handle, "GetFilterBorderEx", [&](Processor&) {
        RequireRange(value1, "kernel width", 1, kMaxKernelSide);
        RequireRange(value2, "kernel height", 1, kMaxKernelSide);
        RequireRange(value3, "anchor column", 0, value1 - 1);
        RequireRange(value4, "anchor row", 0, value2 - 1);
        WritePair(Reach(value1, value3), Reach(value2, value4), first, second);
    });
}

}  // extern "C"
