// Pixel access and simple drawing on the image. Colours are COLORREF values
// (red in the low byte), as the image stores them red first.
#pragma once

#include <cstdint>

#include "platform/WinTypes.h"

namespace ZAV {

class IZAVImageEditDrawCpp {
public:
    // A 24-bit pixel; "Invalid Parameter!" outside the image or at another
    // depth.
    virtual COLORREF GetPixel24(int32_t x, int32_t y) = 0;
    virtual void SetPixel24(int32_t x, int32_t y, COLORREF color) = 0;
    // The cursor operations serve callers walking pixel rows they took from
    // the image's data: they trust the cursor and check nothing.
    // The three bytes at the cursor, the first in the low byte; the cursor
    // stays.
    virtual uint32_t ReadPixel24AtCursor(BYTE** cursor) = 0;
    // The colour's bytes 0, 1 and 2 at the cursor, which moves past them.
    virtual void WritePixel24AtCursor(BYTE** cursor, COLORREF color) = 0;
    // A byte of an 8- or 16-bit image's row; "Invalid Parameter!" outside
    // the row or at another depth.
    virtual BYTE GetPixel8(int32_t x, int32_t y) = 0;
    virtual void SetPixel8(int32_t x, int32_t y, BYTE value) = 0;
    virtual BYTE ReadByteAtCursor(BYTE** cursor) = 0;
    virtual void WriteByteAtCursor(BYTE** cursor, BYTE value) = 0;
    // (x2, y2) lies past the rectangle; clipped to the image.
    virtual void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color) = 0;
    virtual void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color) = 0;

protected:
    ~IZAVImageEditDrawCpp() = default;
};

}  // namespace ZAV
