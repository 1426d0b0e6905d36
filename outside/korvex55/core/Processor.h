// One processing object: its image (a buffer of its own or borrowed pixels),
// its scale factor and the text of its last failure.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outside/korvex55/core/ImageView.h"

namespace KORVEX55 {

// The unpadded row of width pixels, refused (too large) when its bytes do not
// fit the 32-bit sizes of the interface.
int32_t CheckedBytesPerLine(int32_t width, int32_t bitsPerPixel);

class Processor {
public:
    const ImageView& Image() const { return m_image; }
    bool OwnsPixels() const { return !m_own.empty(); }
    bool HasImage() const { return !m_image.Empty(); }
    // Bytes per line x height, but never more than the caller attached.
    int64_t SizeInBytes() const { return m_sizeInBytes; }

    // A zero-filled buffer of its own at that size and depth; the old image goes.
    void CreateOwn(int32_t width, int32_t height, int32_t bitsPerPixel);
    // Works on the caller's pixels from now on and never frees them. The size
    // must cover height rows of bytesPerLine bytes.
    void AttachBorrowed(void* pixels, int64_t sizeInBytes, int32_t width, int32_t height, int32_t bitsPerPixel,
                        int32_t bytesPerLine);
    // Frees its own buffer or forgets the borrowed one.
    void Release();

    // The image an operation writes its result of that size and depth into: a
    // matching image is kept (8 and 9 bits match each other), borrowed pixels
    // of another size or depth are refused, and otherwise a buffer of its own
    // is made. Take a source's copy (SourceImage.h) before calling this.
    const ImageView& PrepareDestination(int32_t width, int32_t height, int32_t bitsPerPixel);

    int32_t ScaleFactor() const { return m_scaleFactor; }
    void SetScaleFactor(int32_t value);

    const std::string& ErrorText() const { return m_errorText; }
    void SetErrorText(std::string text) { m_errorText = std::move(text); }

private:
    bool LiesInOwnBuffer(const void* pixels) const;

    ImageView m_image;
    std::vector<uint8_t> m_own;
    int64_t m_sizeInBytes = 0;
    int32_t m_scaleFactor = 0;
    std::string m_errorText;
};

}  // namespace KORVEX55
