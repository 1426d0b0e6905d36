// Neighbourhood kernels: the predefined filter kinds and the user's own.
#pragma once

#include <cstdint>
#include <vector>

namespace KORVEX55 {

// Filter kinds of KORV_Filter.
enum FilterKind : int32_t {
    kFilterBox3 = 0,
    kFilterGauss3 = 1,
    kFilterGauss5 = 2,
    kFilterSharpen = 3,
    kFilterLaplace = 4,
    kFilterSobelHorizontal = 5,
    kFilterSobelVertical = 6,
    kFilterMedian = 7,
    kFilterMinimum = 8,
    kFilterMaximum = 9,
    // Apart from the others: the number an effect of the image-edit object
    // asks for, the box of 25 weights.
    kFilterBox5 = 25,
};
// Kinds 0 to kFilterKindCount - 1, and kFilterBox5.
constexpr int32_t kFilterKindCount = 10;

// Longest side of a user kernel: every output sample weighs at most 255 x 255
// source samples, which keeps one call's work bounded.
constexpr int32_t kMaxKernelSide = 255;

// A weighted kernel laid over the picture without flipping: weight (i, j)
// multiplies the pixel i columns and j rows from the anchor's top-left.
struct Kernel {
    int32_t width = 0;
    int32_t height = 0;
    int32_t anchorX = 0;
    int32_t anchorY = 0;
    std::vector<int32_t> weights;
    int64_t divisor = 1;
    // Edge detectors report the strength of an edge, whatever its sign.
    bool magnitude = false;
};

// Kinds 7 to 9 pick a value of the 3 x 3 neighbourhood instead of weighing it.
bool IsRankKind(int32_t kind);

// Fails with a bad-value status for a kind the library does not have.
void RequireFilterKind(int32_t kind);

// The kernel of kinds 0 to 6 and 25.
Kernel PredefinedKernel(int32_t kind);

// Columns (first) and rows (second) a kind reaches beyond a pixel on each side.
int32_t PredefinedBorder(int32_t kind);

}  // namespace KORVEX55
