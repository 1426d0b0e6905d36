// Tables of 256 entries from (level, value) pairs, levels rising.
#pragma once

#include <array>
#include <cstdint>

#include "outside/korvex55/processing/PixelView.h"

namespace KORVEX55 {

enum TableShape : int32_t {
    // Straight lines between the pairs.
    kTableLinear = 0,
    // Each pair's value holds from its level up to the next level.
    kTableSteps = 1,
};

using Table = std::array<uint8_t, 256>;

// Below the first level the first value, above the last the last value.
// The pairs are checked: levels rise strictly within 0..255, values 0..255.
Table PiecewiseTable(const int32_t* levels, const int32_t* values, int32_t count, int32_t shape);

// Sample c of every pixel through tables[c]; samples beyond the tables (the
// alpha) are copied.
void ApplyTables(const PixelView& source, const Table* tables, int32_t tableCount, const PixelView& destination);

}  // namespace KORVEX55
