// Switches with which tests make graphics calls fail on purpose, to reach
// the error paths of the drawing code. All off by default.
#pragma once

namespace ZAV {

struct GdiFailureKnobs {
    bool bitmapCreation = false;   // CreateDIBSection, CreateDIBitmap, Create*Bitmap give null
    bool bitmapSelection = false;  // SelectObject of a bitmap gives null
    bool compatibleDC = false;     // CreateCompatibleDC gives null
    bool blit = false;             // BitBlt and StretchBlt give FALSE
    bool drawDibOpen = false;      // DrawDibOpen gives null
    bool drawDibDraw = false;      // DrawDibDraw gives FALSE
    bool objectCreation = false;   // CreatePen, CreateSolidBrush, CreateFontIndirectA give null
};

GdiFailureKnobs& GdiKnobs();

// Puts every knob back to off.
void ResetGdiKnobs();

}  // namespace ZAV
