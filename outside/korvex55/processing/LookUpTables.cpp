#include "outside/korvex55/processing/LookUpTables.h"

namespace KORVEX55 {

namespace {

uint8_t Between(int32_t level, int32_t fromLevel, int32_t fromValue, int32_t toLevel, int32_t toValue, int32_t shape)
{
    if (shape == kTableSteps)
        return static_cast<uint8_t>(fromValue);
    const int64_t span = toLevel - fromLevel;
    return static_cast<uint8_t>(fromValue +
                                DivideRounded(static_cast<int64_t>(toValue - fromValue) * (level - fromLevel), span));
}

}  // namespace

Table PiecewiseTable(const int32_t* levels, const int32_t* values, int32_t count, int32_t shape)
{
    Table table{};
    int32_t pair = 0;
    for (int32_t level = 0; level < 256; ++level) {
        while (pair + 1 < count && levels[pair + 1] <= level)
            ++pair;
        if (level < levels[0])
            table[level] = static_cast<uint8_t>(values[0]);
        else if (pair + 1 >= count)
            table[level] = static_cast<uint8_t>(values[count - 1]);
        else
            table[level] = Between(level, levels[pair], values[pair], levels[pair + 1], values[pair + 1], shape);
    }
    return table;
}

void ApplyTables(const PixelView& source, const Table* tables, int32_t tableCount, const PixelView& destination)
{
    const int32_t channels = source.Channels();
    for (int32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = source.Row(y);
        uint8_t* out = destination.Row(y);
        for (int32_t x = 0; x < source.width; ++x)
            for (int32_t c = 0; c < channels; ++c) {
                const ptrdiff_t at = static_cast<ptrdiff_t>(x) * channels + c;
                out[at] = c < tableCount ? tables[c][in[at]] : in[at];
            }
    }
}

}  // namespace KORVEX55
