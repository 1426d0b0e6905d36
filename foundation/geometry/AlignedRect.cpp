#include "foundation/geometry/AlignedRect.h"

namespace ZAV {

namespace {

LONG Truncate(double value)
{
    return static_cast<LONG>(value);
}

RECT MakeRect(double left, double top, double right, double bottom)
{
    RECT r;
    r.left = Truncate(left);
    r.top = Truncate(top);
    r.right = Truncate(right);
    r.bottom = Truncate(bottom);
    return r;
}

// Start of a run of length item along a frame side, for position 0, 1 or 2.
LONG Place(LONG start, LONG frameLength, LONG item, int position)
{
    switch (position) {
    case 0:
        return start;
    case 1:
        return start + (frameLength - item) / 2;
    default:
        return start + frameLength - item;
    }
}

}  // namespace

RECT GetAlignedRect(const RECT& frame, const SIZE& size, int alignment, bool keepProportions, bool fitWidth,
                    bool fitHeight)
{
    const LONG frameWidth = frame.right - frame.left;
    const LONG frameHeight = frame.bottom - frame.top;
    const bool known = alignment >= 0 && alignment <= 8;
    const int column = known ? alignment / 3 : 0;
    const int row = known ? alignment % 3 : 0;

    LONG x0 = known ? Place(frame.left, frameWidth, size.cx, column) : 0;
    LONG y0 = known ? Place(frame.top, frameHeight, size.cy, row) : 0;
    LONG width = size.cx;
    LONG height = size.cy;
    if (fitWidth) {
        width = frameWidth;
        x0 = frame.left;
    }
    if (fitHeight) {
        height = frameHeight;
        y0 = frame.top;
    }
    const LONG x1 = x0 + width;
    const LONG y1 = y0 + height;
    // An item without width or height has no proportions to keep.
    if (!keepProportions || size.cx == 0 || size.cy == 0)
        return MakeRect(x0, y0, x1, y1);

    const double sx = static_cast<double>(width) / size.cx;
    const double sy = static_cast<double>(height) / size.cy;
    const bool byWidth = (fitWidth && (!fitHeight || sx < sy)) || (!fitWidth && !fitHeight && sx < sy);
    if (byWidth) {
        const double newHeight = sx * size.cy;
        if (row == 0)
            return MakeRect(x0, y0, x1, y0 + newHeight);
        if (row == 2)
            return MakeRect(x0, y1 - newHeight, x1, y1);
        const double top = y0 + height / 2 - newHeight / 2;
        return MakeRect(x0, top, x1, top + newHeight);
    }
    const double newWidth = sy * size.cx;
    if (column == 0)
        return MakeRect(x0, y0, x0 + newWidth, y1);
    if (column == 2)
        return MakeRect(x1 - newWidth, y0, x1, y1);
    const double left = x0 + width / 2 - newWidth / 2;
    return MakeRect(left, y0, left + newWidth, y1);
}

}  // namespace ZAV
