#include "outside/korvex55/geometry/Transforms.h"

#include <algorithm>
#include <vector>

#include "outside/korvex55/geometry/Remap.h"

namespace KORVEX55 {

Matrix3 RotateMap(const PixelView& source, const PixelView& destination, double degrees)
{
    return Multiply(Translation(destination.width / 2.0, destination.height / 2.0),
                    Multiply(Rotation(degrees), Translation(-source.width / 2.0, -source.height / 2.0)));
}

Matrix3 RotateAboutPointMap(const PixelView& source, const PixelView& destination, double degrees, double pivotX,
                            double pivotY)
{
    const double shiftX = destination.width / 2.0 - source.width / 2.0;
    const double shiftY = destination.height / 2.0 - source.height / 2.0;
    return Multiply(Translation(pivotX + shiftX, pivotY + shiftY),
                    Multiply(Rotation(degrees), Translation(-pivotX, -pivotY)));
}

BoxProblem BoxedMap(const Matrix3& map, const PixelView& source, Matrix3& boxed)
{
    Box box;
    const BoxProblem problem = CornerBox(map, source.width, source.height, box);
    if (problem == BoxProblem::kNone)
        boxed = Multiply(Translation(-box.left, -box.top), map);
    return problem;
}

std::string TransformPicture(const PixelView& source, const PixelView& destination, const Matrix3& sourceToDestination,
                             int32_t interpolation)
{
    Matrix3 inverse;
    if (!Invert(sourceToDestination, inverse))
        return "the map has no inverse";
    Remap(source, destination, inverse, interpolation);
    return {};
}

namespace {

// Source index of each destination index for nearest: the centre
// (i + 0.5) x from / to, floored, in whole numbers so that it is exact.
std::vector<int32_t> NearestIndices(int32_t from, int32_t to)
{
    std::vector<int32_t> indices(static_cast<size_t>(to));
    for (int32_t i = 0; i < to; ++i)
        indices[i] = static_cast<int32_t>((2 * int64_t(i) + 1) * from / (2 * int64_t(to)));
    return indices;
}

}  // namespace

void ResizePicture(const PixelView& source, const PixelView& destination, int32_t interpolation)
{
    if (interpolation == kInterpolationBilinear) {
        const double sx = static_cast<double>(source.width) / destination.width;
        const double sy = static_cast<double>(source.height) / destination.height;
        Remap(source, destination, Scaling(sx, sy), interpolation);
        return;
    }
    const std::vector<int32_t> columns = NearestIndices(source.width, destination.width);
    const std::vector<int32_t> rows = NearestIndices(source.height, destination.height);
    for (int32_t y = 0; y < destination.height; ++y)
        for (int32_t x = 0; x < destination.width; ++x)
            for (int32_t c = 0; c < source.Channels(); ++c)
                destination.Set(x, y, c, source.Get(columns[x], rows[y], c));
}

void MirrorLeftRight(const PixelView& picture)
{
    const int32_t channels = picture.Channels();
    for (int32_t y = 0; y < picture.height; ++y)
        for (int32_t x = 0; x < picture.width / 2; ++x) {
            const int32_t opposite = picture.width - 1 - x;
            for (int32_t c = 0; c < channels; ++c) {
                const uint8_t left = picture.Get(x, y, c);
                picture.Set(x, y, c, picture.Get(opposite, y, c));
                picture.Set(opposite, y, c, left);
            }
        }
}

void MirrorTopBottom(const PixelView& picture)
{
    const size_t rowBytes = static_cast<size_t>(UnpaddedBytesPerLine(picture.width, picture.bitsPerPixel));
    std::vector<uint8_t> spare(rowBytes);
    for (int32_t y = 0; y < picture.height / 2; ++y) {
        uint8_t* top = picture.Row(y);
        uint8_t* bottom = picture.Row(picture.height - 1 - y);
        std::copy(top, top + rowBytes, spare.begin());
        std::copy(bottom, bottom + rowBytes, top);
        std::copy(spare.begin(), spare.end(), bottom);
    }
}

}  // namespace KORVEX55
