// The overlay blend modes: 0 the plain opacity blend, 1 to 17 blends through
// a 256 x 256 table of a blend function, 18 to 21 the colour modes of 24-bit
// overlays. The modes are the layer modes of Photoshop files, named there by
// four-character keys.
#pragma once

#include <string>

#include "image/blend/BlendFunctions.h"
#include "platform/WinTypes.h"

namespace ZAV {

constexpr int kBlendModeNormal = 0;
constexpr int kBlendModeDarken = 2;
constexpr int kBlendModeHue = 18;
constexpr int kBlendModeSaturation = 19;
constexpr int kBlendModeLuminosity = 20;
constexpr int kBlendModeColor = 21;

// An image keeps one table pointer per slot; slot 9 serves no mode.
constexpr int kBlendTableCount = 17;
// table[a x 256 + b] = f(a, b), a the base and b the overlay value.
constexpr int kBlendTableBytes = 256 * 256;

constexpr const char kTextUnsupportedPsdBlendMode[] = "Unsupported PSD blendmode!";

// The mode of a layer key, compared lower-cased and without surrounding
// blanks; -1 when no mode has that key.
int FindPsdBlendMode(const std::string& key);

// True for the modes 18 to 21.
bool IsColorBlendMode(int mode);

// The colour-mode code of the overlay kernels for the modes 18 to 21 (hue 1,
// saturation 2, luminosity 4, colour 3); 1 for any other value.
int MapColorBlendMode(int mode);

// The table slot of a mode; -1 for the modes without a table (0, 18 to 21)
// and for values outside 0..21. Modes 8 and 9 share one slot.
int BlendTableSlot(int mode);

// The function whose table a slot holds; null for the unused slot and for
// values outside 0..16.
BlendFunction BlendFunctionOfSlot(int slot);

// Fills kBlendTableBytes bytes, row a = 0..255, column b = 0..255.
void FillBlendTable(BYTE* table, BlendFunction function);

}  // namespace ZAV
