// The Draw facet: the image's pixel access and drawing operations, and
// byte cursors over pixel rows.
#pragma once

#include "interfaces/imageedit/facets/draw/ImageEditDrawInterface.h"

namespace ZAV {

class CZAVImageEdit;
class CZAVImg;

class CZAVImageEditDraw : public IZAVImageEditDrawCpp {
public:
    explicit CZAVImageEditDraw(CZAVImageEdit* owner) : m_owner(owner) {}

    COLORREF GetPixel24(int32_t x, int32_t y) override;
    void SetPixel24(int32_t x, int32_t y, COLORREF color) override;
    uint32_t ReadPixel24AtCursor(BYTE** cursor) override;
    void WritePixel24AtCursor(BYTE** cursor, COLORREF color) override;
    BYTE GetPixel8(int32_t x, int32_t y) override;
    void SetPixel8(int32_t x, int32_t y, BYTE value) override;
    BYTE ReadByteAtCursor(BYTE** cursor) override;
    void WriteByteAtCursor(BYTE** cursor, BYTE value) override;
    void DrawRectangle(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color) override;
    void DrawLine(int32_t x1, int32_t y1, int32_t x2, int32_t y2, COLORREF color) override;

private:
    // The image, once the pixel of the given byte size at column x of row y
    // is known to lie in its block of those pixels; throws otherwise.
    CZAVImg& ImageHoldingPixel(int32_t x, int32_t y, int32_t pixelBytes);

    CZAVImageEdit* m_owner;
};

}  // namespace ZAV
