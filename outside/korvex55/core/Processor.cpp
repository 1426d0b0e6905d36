#include "outside/korvex55/core/Processor.h"

#include <algorithm>
#include <functional>

#include "outside/korvex55/core/Failure.h"
#include "outside/korvex55/core/Limits.h"

namespace KORVEX55 {

namespace {

void CheckShape(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    if (!IsKnownDepth(bitsPerPixel))
        Fail(kStatusDepthMismatch,
             Format("%d bits per pixel is no depth of the library (1, 8, 9, 16, 24, 32, 48)!", bitsPerPixel));
    if (width < 1 || height < 1)
        Fail(kStatusBadValue, Format("an image of %d x %d pixels is empty!", width, height));
}

void CheckSize(int64_t bytes, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    if (bytes > kMaxImageBytes)
        Fail(kStatusTooLarge,
             Format("%d x %d pixels at %d bits per pixel need %lld bytes, more than %lld!", width, height, bitsPerPixel,
                    static_cast<long long>(bytes), static_cast<long long>(kMaxImageBytes)));
}

}  // namespace

int32_t CheckedBytesPerLine(int32_t width, int32_t bitsPerPixel)
{
    const int64_t rowBytes = UnpaddedBytesPerLine(width, bitsPerPixel);
    if (rowBytes > INT32_MAX)
        Fail(kStatusTooLarge, Format("a row of %d pixels is too long!", width));
    return static_cast<int32_t>(rowBytes);
}

void Processor::CreateOwn(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    CheckShape(width, height, bitsPerPixel);
    // A row that fits 32 bits keeps the product below 2^62.
    const int64_t bytesPerLine = CheckedBytesPerLine(width, bitsPerPixel);
    CheckSize(bytesPerLine * height, width, height, bitsPerPixel);
    std::vector<uint8_t> buffer(static_cast<size_t>(bytesPerLine * height));
    Release();
    m_own.swap(buffer);
    m_image = ImageView{width, height, bitsPerPixel, static_cast<int32_t>(bytesPerLine), m_own.data()};
    m_sizeInBytes = m_image.SizeInBytes();
}

void Processor::AttachBorrowed(void* pixels, int64_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel,
                               int32_t bytesPerLine)
{
    if (!pixels)
        Fail(kStatusNullPointer, "the pixel address is null!");
    CheckShape(width, height, bitsPerPixel);
    const int64_t unpadded = UnpaddedBytesPerLine(width, bitsPerPixel);
    if (bytesPerLine < unpadded)
        Fail(kStatusBadValue, Format("%d bytes per line are fewer than the %lld that %d pixels at %d bits per pixel "
                                     "need!",
                                     bytesPerLine, static_cast<long long>(unpadded), width, bitsPerPixel));
    const int64_t needed = static_cast<int64_t>(bytesPerLine) * (height - 1) + unpadded;
    CheckSize(static_cast<int64_t>(bytesPerLine) * height, width, height, bitsPerPixel);
    if (sizeInBytes < needed)
        Fail(kStatusSizeMismatch, Format("%lld bytes are fewer than the %lld that %d x %d pixels at %d bits per pixel "
                                         "with %d bytes per line need!",
                                         static_cast<long long>(sizeInBytes), static_cast<long long>(needed), width,
                                         height, bitsPerPixel, bytesPerLine));
    if (LiesInOwnBuffer(pixels))
        Fail(kStatusBadValue, "the pixels lie in the object's own buffer, which attaching would free!");
    Release();
    m_image = ImageView{width, height, bitsPerPixel, bytesPerLine, static_cast<uint8_t*>(pixels)};
    m_sizeInBytes = std::min(sizeInBytes, m_image.SizeInBytes());
}

bool Processor::LiesInOwnBuffer(const void* pixels) const
{
    const auto* address = static_cast<const uint8_t*>(pixels);
    return !m_own.empty() && std::less_equal<const uint8_t*>()(m_own.data(), address) &&
           std::less<const uint8_t*>()(address, m_own.data() + m_own.size());
}

void Processor::Release()
{
    std::vector<uint8_t>().swap(m_own);
    m_image = ImageView{};
    m_sizeInBytes = 0;
}

const ImageView& Processor::PrepareDestination(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    const bool sameSize = m_image.width == width && m_image.height == height;
    if (HasImage() && sameSize && SameLayout(m_image.bitsPerPixel, bitsPerPixel))
        return m_image;
    if (HasImage() && !OwnsPixels()) {
        const Status status = sameSize ? kStatusDepthMismatch : kStatusSizeMismatch;
        Fail(status, Format("the result is %d x %d pixels at %d bits per pixel, the attached image %s; they must "
                            "agree!",
                            width, height, bitsPerPixel, Describe(m_image).c_str()));
    }
    CreateOwn(width, height, bitsPerPixel);
    return m_image;
}

void Processor::SetScaleFactor(int32_t value)
{
    if (value < 0 || value > kMaxScaleFactor)
        Fail(kStatusBadValue, Format("the scale factor %d lies outside 0 to %d!", value, kMaxScaleFactor));
    m_scaleFactor = value;
}

}  // namespace KORVEX55
