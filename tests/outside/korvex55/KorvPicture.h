// Pictures for the library's tests: a processing object made and freed with
// the test, loaded and read through the C entry points, and small helpers to
// write expected pictures as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "outside/korvex55/KORVEX55.h"

namespace KorvPictureTest {

using Bytes = std::vector<uint8_t>;

class Picture {
public:
    Picture();
    // An image of its own holding these unpadded rows.
    Picture(int32_t width, int32_t height, int32_t bitsPerPixel, const Bytes& bytes);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    KORV_Handle Handle() const { return m_handle; }
    void Load(int32_t width, int32_t height, int32_t bitsPerPixel, const Bytes& bytes);
    Bytes Pixels() const;
    int32_t Width() const;
    int32_t Height() const;
    int32_t BitsPerPixel() const;
    std::string Error() const;

private:
    KORV_Handle m_handle;
};

// Each sample repeated n times: a grey row as 24-bit pixels, for example.
Bytes Repeat(const Bytes& samples, int32_t times);
// Rows of '#' (255 or a set bit) and '.' (0) as pixels of that depth.
Bytes Drawn(const std::vector<std::string>& rows, int32_t bitsPerPixel);

}  // namespace KorvPictureTest
