// Rotation of pictures whose two resolutions differ: the picture is first
// made square-pixelled, so the turned picture keeps its proportions on paper.
#include <algorithm>
#include <cmath>
#include <utility>

#include "image/object/ZAVImg.h"
#include "image/operations/ImageOperation.h"

namespace ZAV {

namespace {

bool IsQuarterTurn(double degrees)
{
    return std::fmod(degrees, 90.0) == 0.0;
}

}  // namespace

void CZAVImg::RotateWithResolution(double degrees)
{
    if (!HasImage())
        return;
    const double angle = NormalizeAngle(degrees);
    const int xDpi = m_xResolution;
    const int yDpi = m_yResolution;
    if (xDpi == yDpi || xDpi <= 0 || yDpi <= 0 || IsQuarterTurn(angle)) {
        Rotate(angle);
        if (xDpi != yDpi && (angle == 90.0 || angle == 270.0)) {
            m_xResolution = yDpi;
            m_yResolution = xDpi;
        }
        return;
    }
    // The axis of the smaller resolution is resampled to the larger; both
    // steps run on a work copy, so a failure in the second leaves the image
    // as it was.
    const int larger = std::max(xDpi, yDpi);
    const double ratio = static_cast<double>(larger) / std::min(xDpi, yDpi);
    const int width = xDpi < yDpi ? static_cast<int>(std::lround(m_width * ratio)) : m_width;
    const int height = yDpi < xDpi ? static_cast<int>(std::lround(m_height * ratio)) : m_height;
    CZAVImg work(GetNotification());
    CopyTo(work);
    work.GetDrawer().m_background.color = GetDrawer().m_background.color;
    work.Resize(width, height, false);
    work.Rotate(angle);
    work.SetXResolution(larger);
    work.SetYResolution(larger);
    CImageOperation operation(*this);
    operation.InstallFrom(work);
}

}  // namespace ZAV
