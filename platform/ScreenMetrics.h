// The screen's logical resolution. There is no display to ask here, so the
// screen reports the common 96 dots per inch unless a test sets other values;
// the screen device context of the graphics layer reports the same numbers.
#pragma once

// The GetDeviceCaps indexes of the two values.
constexpr int LOGPIXELSX = 88;
constexpr int LOGPIXELSY = 90;

// The resolution a screen reports when nobody has set one.
constexpr int kDefaultScreenDpi = 96;

// LOGPIXELSX or LOGPIXELSY of the screen; 0 for any other index.
int GetScreenLogPixels(int index);

// Tests set the screen's resolution; values below 1 restore the default.
void SetScreenLogPixels(int x, int y);
