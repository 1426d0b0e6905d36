// Text through cairo's font selection (fontconfig picks the nearest face
// present): the selected font's face, height, weight, italic and
// escapement; the text colour; the background mode and colour; and the
// text alignment, with the current position for TA_UPDATECP. Internal to
// the graphics layer.
#pragma once

#include "platform/gdi/GdiObjects.h"

#include <string>

namespace ZAV {
namespace Gdi {

// Draws the characters (code points) at the logical point; advances, when
// given, place each character that many logical units after the one before.
// ETO_OPAQUE fills the rectangle in the background colour first;
// ETO_CLIPPED keeps the text inside it.
bool PaintText(DC& dc, int x, int y, UINT options, const RECT* rect, const std::u32string& text, const int* advances);

// The characters as UTF-8.
std::string ToUtf8(const std::u32string& text);

}  // namespace Gdi
}  // namespace ZAV
