#include "outside/korvex55/core/SourceImage.h"

#include <cstring>

#include "outside/korvex55/core/Checks.h"

namespace KORVEX55 {

namespace {

bool SharesPixels(const Processor& destination, const ImageView& source)
{
    if (!destination.HasImage())
        return false;
    const ImageView& image = destination.Image();
    const uint8_t* imageEnd = image.pixels + image.SizeInBytes();
    const uint8_t* sourceEnd = source.pixels + source.SizeInBytes();
    return image.pixels < sourceEnd && source.pixels < imageEnd;
}

}  // namespace

SourceImage::SourceImage(const Processor& destination, const Processor& source, const char* role)
    : m_view(RequireImage(source, role))
{
    if (&destination != &source && !SharesPixels(destination, m_view))
        return;
    const int64_t rowBytes = SampleBytesPerLine(m_view);
    m_copy.resize(static_cast<size_t>(rowBytes * m_view.height));
    for (int32_t y = 0; y < m_view.height; ++y)
        std::memcpy(m_copy.data() + rowBytes * y, m_view.Row(y), static_cast<size_t>(rowBytes));
    m_view.bytesPerLine = static_cast<int32_t>(rowBytes);
    m_view.pixels = m_copy.data();
}

}  // namespace KORVEX55
