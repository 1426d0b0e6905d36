// Scopes the stream routines put around the image they code, so that every
// path out, a failure included, leaves the caller's settings and pixels as
// they were.
#pragma once

#include <cstdint>
#include <memory>

namespace ZAV {

class CZAVImg;

// The settings one internal save needs, derived from the depth, without
// the image's save preparation (which would change depth, compression or
// quality); everything is put back at the end of the scope.
class CInternalSaveScope {
public:
    explicit CInternalSaveScope(CZAVImg& image);
    ~CInternalSaveScope();
    CInternalSaveScope(const CInternalSaveScope&) = delete;
    CInternalSaveScope& operator=(const CInternalSaveScope&) = delete;

private:
    CZAVImg& m_image;
    int32_t m_prepareBeforeSave;
    int32_t m_jpegGray;
    int32_t m_pngColorType;
    int32_t m_pngInterlace;
    int32_t m_jbig2ExportFormat;
};

// Inverts a 1-bit image's pixel bits in place when asked and inverts them
// back at the end of the scope; needs no memory, so the restore can't fail.
class CInvertedPixelsScope {
public:
    CInvertedPixelsScope(CZAVImg& image, bool invert);
    ~CInvertedPixelsScope();
    CInvertedPixelsScope(const CInvertedPixelsScope&) = delete;
    CInvertedPixelsScope& operator=(const CInvertedPixelsScope&) = delete;

private:
    void Flip();

    CZAVImg& m_image;
    bool m_inverted;
};

// The image saved in a format into memory, with the internal save settings.
struct CSavedImage {
    std::unique_ptr<uint8_t[]> bytes;
    int64_t size = 0;
};
CSavedImage SaveImageToMemory(CZAVImg& image, int format);

}  // namespace ZAV
