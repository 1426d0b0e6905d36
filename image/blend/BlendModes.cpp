#include "image/blend/BlendModes.h"

#include "foundation/text/String.h"
#include "image/kernels/overlay/Hsl.h"

namespace ZAV {

namespace {

struct CPsdBlendKey {
    const char* key;
    int mode;
};

// In the order keys are compared.
constexpr CPsdBlendKey kPsdBlendKeys[] = {
    {"norm", 0},  {"diss", 1},  {"mul", 3},   {"idiv", 4},  {"lbrn", 5},  {"dark", 2},  {"lite", 6},  {"scrn", 7},
    {"div", 8},   {"lddg", 9},  {"over", 10}, {"slit", 11}, {"hlit", 12}, {"vlit", 13}, {"llit", 14}, {"plit", 15},
    {"diff", 16}, {"smud", 17}, {"hue", 18},  {"sat", 19},  {"lum", 20},  {"colr", 21},
};

constexpr int kBlendModeCount = 22;
constexpr int kNoTable = -1;

// Slot of each mode 0..21.
constexpr int kSlotOfMode[kBlendModeCount] = {
    kNoTable, 1, 2, 3, 4, 5, 6, 7, 8, 8, 10, 11, 12, 13, 14, 15, 16, 0, kNoTable, kNoTable, kNoTable, kNoTable,
};

// The function of each slot, in the order the image declares its tables.
constexpr BlendFunction kFunctionOfSlot[kBlendTableCount] = {
    BlendExclusion, BlendAverage, BlendDarken,     BlendMultiply,    BlendColorBurn,  BlendSoftBurn,
    BlendLighten,   BlendScreen,  BlendColorDodge, nullptr,          BlendOverlay,    SoftLightBlend,
    BlendHardLight, BlendReflect, BlendAverage,    BlendLinearLight, BlendDifference,
};

}  // namespace

int FindPsdBlendMode(const std::string& key)
{
    String normalized(key);
    normalized.MakeLower();
    normalized.Trim();
    for (const CPsdBlendKey& entry : kPsdBlendKeys) {
        if (normalized == String(entry.key))
            return entry.mode;
    }
    return -1;
}

bool IsColorBlendMode(int mode)
{
    return mode >= kBlendModeHue && mode <= kBlendModeColor;
}

int MapColorBlendMode(int mode)
{
    switch (mode) {
    case kBlendModeSaturation:
        return kColorModeSaturation;
    case kBlendModeLuminosity:
        return kColorModeLuminosity;
    case kBlendModeColor:
        return kColorModeColor;
    default:
        return kColorModeHue;
    }
}

int BlendTableSlot(int mode)
{
    if (mode < 0 || mode >= kBlendModeCount)
        return kNoTable;
    return kSlotOfMode[mode];
}

BlendFunction BlendFunctionOfSlot(int slot)
{
    if (slot < 0 || slot >= kBlendTableCount)
        return nullptr;
    return kFunctionOfSlot[slot];
}

void FillBlendTable(BYTE* table, BlendFunction function)
{
    for (int a = 0; a < 256; ++a) {
        for (int b = 0; b < 256; ++b)
            table[a * 256 + b] = function(static_cast<BYTE>(a), static_cast<BYTE>(b));
    }
}

}  // namespace ZAV
