// The Windows family and version the library runs on, as one number.
#pragma once

namespace ZAV {

// 0 Windows 9x below 4, 3 9x 4.10, 4 9x 4.90, 2 other 9x; 5 NT 4.x, 6 NT
// 5.0, 7 NT 5.1 and 5.2, 8 NT 6.0, 1 other NT. Without a version record the
// family's default (2 or 1).
int GetWindowsVersion();

// What the start-up initialiser found.
int GetStartupWindowsVersion();

}  // namespace ZAV
