#include "image/kernels/ImgKernels.h"
#include "image/core/ImagePalette.h"

namespace ZAV {

namespace {

// Worse than any distance of three channels in a table of squares.
constexpr int kNoPaletteDistance = 3 * 65536;

int Square(int v)
{
    return v * v;
}

}  // namespace

bool CImgKernels::ColorsMatch(COLORREF a, COLORREF b, uint32_t tolerance)
{
    if (a == b)
        return true;
    if (tolerance == 0)
        return false;
    const uint32_t distance = static_cast<uint32_t>(Square(GetRValue(a) - GetRValue(b)) +
                                                    Square(GetGValue(a) - GetGValue(b)) +
                                                    Square(GetBValue(a) - GetBValue(b)));
    return tolerance >= distance;
}

int CImgKernels::GetColorLuminance(COLORREF color)
{
    return static_cast<int>(GetRValue(color) * 0.299 + GetGValue(color) * 0.587 + GetBValue(color) * 0.114 + 0.1);
}

COLORREF CImgKernels::DarkerColor(COLORREF a, COLORREF b)
{
    return GetColorLuminance(a) < GetColorLuminance(b) ? a : b;
}

int CImgKernels::FindNearestPaletteIndex(int red, int green, int blue, const int* squares, const uint32_t* entries,
                                         int count)
{
    int best = 0;
    int bestDistance = kNoPaletteDistance;
    for (int i = 0; i < count && entries; ++i) {
        const uint32_t entry = entries[i];
        const int distance =
            squares[PaletteRed(entry) - red] + squares[PaletteGreen(entry) - green] + squares[PaletteBlue(entry) - blue];
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
            if (distance == 0)
                break;
        }
    }
    return best;
}

}  // namespace ZAV
