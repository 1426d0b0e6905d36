#include "outside/korvex55/processing/Channels.h"

namespace KORVEX55 {

void SplitSamples(const PixelView& picture, const PixelView* parts, int32_t count)
{
    const int32_t channels = picture.Channels();
    for (int32_t y = 0; y < picture.height; ++y) {
        const uint8_t* in = picture.Row(y);
        for (int32_t c = 0; c < count; ++c) {
            uint8_t* out = parts[c].Row(y);
            for (int32_t x = 0; x < picture.width; ++x)
                out[x] = in[static_cast<ptrdiff_t>(x) * channels + c];
        }
    }
}

void JoinSamples(const PixelView* parts, int32_t count, const PixelView& picture)
{
    const int32_t channels = picture.Channels();
    for (int32_t y = 0; y < picture.height; ++y) {
        uint8_t* out = picture.Row(y);
        for (int32_t c = 0; c < count; ++c) {
            const uint8_t* in = parts[c].Row(y);
            for (int32_t x = 0; x < picture.width; ++x)
                out[static_cast<ptrdiff_t>(x) * channels + c] = in[x];
        }
    }
}

void ReorderSamples(const PixelView& source, const int32_t* order, const PixelView& destination)
{
    const int32_t channels = source.Channels();
    for (int32_t y = 0; y < source.height; ++y) {
        const uint8_t* in = source.Row(y);
        uint8_t* out = destination.Row(y);
        for (int32_t x = 0; x < source.width; ++x) {
            const ptrdiff_t at = static_cast<ptrdiff_t>(x) * channels;
            for (int32_t c = 0; c < channels; ++c)
                out[at + c] = in[at + order[c]];
        }
    }
}

}  // namespace KORVEX55
