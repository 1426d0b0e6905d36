#include <algorithm>
#include <cstdint>
#include <vector>

#include "foundation/geometry/Geometry.h"
#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/tone/Contour.h"

namespace ZAV {

namespace {

constexpr const char kTextSizeRange[] = "Parameter 'Size' ranges from 1 to 254!";

// The contour kernel reports after every hundredth band row.
constexpr int kContourReportRows = 100;

// The profile resampled to size bytes, followed by zeros up to 256: distance
// d maps to profile byte d, and pixels no rim reached map to 0.
std::vector<BYTE> ContourTable(const BYTE* profile, int profileLength, int size)
{
    std::vector<BYTE> table(256, 0);
    for (int i = 0; i < size; ++i)
        table[i] = profile[static_cast<int64_t>(i) * profileLength / size];
    return table;
}

// The brush blended into the target with its top-left corner at (left, top),
// through the table: target = table[target x 256 + brush].
void StampBrush(BYTE* target, int width, int left, int top, const std::vector<BYTE>& brush, int side,
                const BYTE* table)
{
    for (int row = 0; row < side; ++row)
    {
        BYTE* out = target + (static_cast<int64_t>(top) + row) * width + left;
        const BYTE* in = brush.data() + static_cast<int64_t>(row) * side;
        for (int column = 0; column < side; ++column)
            out[column] = table[out[column] * 256 + in[column]];
    }
}

}  // namespace

int PointDistance(int x, int y)
{
    CPointD point;
    point.x = x;
    point.y = y;
    return static_cast<int>(CVector(point).GetLength());
}

int CImgKernels::BuildDistanceBrush(const BYTE* ramp, int size, std::vector<BYTE>& brush, int& width, int& height)
{
    ClearErrorText();
    if (!ramp || size < kMinContourSize || size > kMaxContourSize)
        return Fail(kTextInvalidParameter);
    const int side = 2 * size - 1;
    brush.assign(static_cast<size_t>(side) * side, 0);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
        {
            const int distance = PointDistance(x - side / 2, y - side / 2);
            brush[static_cast<size_t>(y) * side + x] = ramp[std::min(size - 1, distance)];
        }
    width = side;
    height = side;
    return 1;
}

int CImgKernels::CreateContourImage(const BYTE* source, int width, int height, int size, const BYTE* profile,
                                    int profileLength, const BYTE* blendTable, BYTE* target)
{
    ClearErrorText();
    if (!source || !profile || !target || !blendTable || profileLength < 1 || width < 0 || height < 0)
        return Fail(kTextInvalidParameter);
    if (size < kMinContourSize || size > kMaxContourSize)
        return Fail(kTextSizeRange);
    BYTE ramp[kMaxContourSize];
    for (int i = 0; i < size; ++i)
        ramp[i] = static_cast<BYTE>(i);
    std::vector<BYTE> brush;
    int side = 0, brushHeight = 0;
    BuildDistanceBrush(ramp, size, brush, side, brushHeight);
    // A brush larger than the image has no centre position in it.
    if (side > width || brushHeight > height)
        return 1;
    std::fill(target, target + static_cast<int64_t>(width) * height, 255);
    {
        CKernelProgress progress(*this);
        const int half = side / 2;
        const int bandEnd = height - (side - half);
        for (int y = half; y < bandEnd; ++y)
        {
            const BYTE* row = source + static_cast<int64_t>(y) * width;
            for (int x = half; x < width - (side - half); ++x)
                if (row[x] == 255)
                    StampBrush(target, width, x - half, y - half, brush, side, blendTable);
            if ((y - half) % kContourReportRows == 0 && !progress.Report(y - half, bandEnd - half))
                return 0;
        }
    }
    return ApplyLut8(target, width, height, ContourTable(profile, profileLength, size).data());
}

}  // namespace ZAV
