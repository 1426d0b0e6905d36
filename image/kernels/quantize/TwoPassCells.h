// How the two-pass quantizer divides colour space: histogram cells of 5, 6
// and 5 bits of red, green and blue, the components' weights in colour
// distances, and the boxes of cells in which the inverse map is filled.
#pragma once

namespace ZAV {
namespace TwoPassCells {

constexpr int kShift[3] = {3, 2, 3};
constexpr int kCells[3] = {32, 64, 32};
constexpr int kScale[3] = {2, 3, 1};
constexpr int kBoxLog[3] = {2, 3, 2};
constexpr int kBoxCells[3] = {4, 8, 4};
// Shift + box log: a box spans 32 sample values along every component.
constexpr int kBoxSampleShift = 5;

}  // namespace TwoPassCells
}  // namespace ZAV
