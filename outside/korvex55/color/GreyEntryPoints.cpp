// Grey conversions from a source of 1, 8, 9, 24 or 32 bits into the object's
// image, and the reduction of 16-bit samples to 8 bits.
#include <algorithm>

#include "outside/korvex55/color/PixelAccess.h"
#include "outside/korvex55/core/Core.h"

using namespace KORVEX55;

namespace {

constexpr std::initializer_list<int32_t> kGreySourceDepths = {1, 8, 9, 24, 32};

const ImageView& GreySource(const SourceImage& source)
{
    RequireDepth(source.View(), "source", kGreySourceDepths);
    return source.View();
}

// Grey in the source's own depth: 24 and 32 bits get R = G = B = grey (alpha
// kept), 1, 8 and 9 bits are copied as they are.
void WriteGreyInSourceDepth(const ImageView& in, const ImageView& out)
{
    const int32_t channels = ChannelCount(in.bitsPerPixel);
    if (channels == 1) {
        ForEachRowPair(out, in, [](uint8_t* to, const uint8_t* from, int64_t count) { std::copy_n(from, count, to); });
        return;
    }
    for (int32_t y = 0; y < in.height; ++y) {
        const uint8_t* from = in.Row(y);
        uint8_t* to = out.Row(y);
        for (int32_t x = 0; x < in.width; ++x, from += channels, to += channels) {
            const uint8_t grey = GreyAt(in.Row(y), x, in.bitsPerPixel);
            to[0] = to[1] = to[2] = grey;
            if (channels == 4)
                to[3] = from[3];
        }
    }
}

void WriteGrey8(const ImageView& in, const ImageView& out)
{
    for (int32_t y = 0; y < in.height; ++y) {
        uint8_t* to = out.Row(y);
        for (int32_t x = 0; x < in.width; ++x)
            to[x] = GreyAt(in.Row(y), x, in.bitsPerPixel);
    }
}

void WriteOneBit(const ImageView& in, const ImageView& out, int32_t value)
{
    for (int32_t y = 0; y < in.height; ++y) {
        uint8_t* to = out.Row(y);
        for (int32_t x = 0; x < in.width; ++x)
            SetBit(to, x, GreyAt(in.Row(y), x, in.bitsPerPixel) >= value);
    }
}

// The rounded mean grey of the window × window pixels from (x - (window - 1) / 2,
// y - (window - 1) / 2), the borders replicated.
void WriteWindowMeans(const ImageView& in, const ImageView& out, int32_t window)
{
    const int32_t before = (window - 1) / 2;
    const int32_t count = window * window;
    for (int32_t y = 0; y < in.height; ++y) {
        uint8_t* to = out.Row(y);
        for (int32_t x = 0; x < in.width; ++x) {
            int32_t sum = 0;
            for (int32_t dy = 0; dy < window; ++dy) {
                const uint8_t* row = in.Row(std::clamp(y - before + dy, 0, in.height - 1));
                for (int32_t dx = 0; dx < window; ++dx)
                    sum += GreyAt(row, std::clamp(x - before + dx, 0, in.width - 1), in.bitsPerPixel);
            }
            to[x] = static_cast<uint8_t>((sum + count / 2) / count);
        }
    }
}

// The high byte of every 16-bit sample (stored low byte first).
void KeepHighBytes(const ImageView& in, const ImageView& out)
{
    ForEachRowPair(out, in, [](uint8_t* to, const uint8_t* from, int64_t count) {
        for (int64_t i = 0; i < count; ++i)
            to[i] = from[2 * i + 1];
    });
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_HDRScaleDown(KORV_Handle handle, KORV_Handle source)
{
    return RunOperation(handle, "HDRScaleDown", [&](Processor& self) {
        const SourceImage taken(self, Operand(source));
        const ImageView& in = taken.View();
        RequireDepth(in, "source", {16, 48});
        const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel / 2);
        KeepHighBytes(in, out);
    });
}

KORV_API KORV_Status KORV_Grayscale(KORV_Handle handle, KORV_Handle source)
{
    return RunOperation(handle, "Grayscale", [&](Processor& self) {
        const SourceImage taken(self, Operand(source));
        const ImageView& in = GreySource(taken);
        WriteGreyInSourceDepth(in, self.PrepareDestination(in.width, in.height, in.bitsPerPixel));
    });
}

KORV_API KORV_Status KORV_Grayscale8Bit(KORV_Handle handle, KORV_Handle source)
{
    return RunOperation(handle, "Grayscale8Bit", [&](Processor& self) {
        const SourceImage taken(self, Operand(source));
        const ImageView& in = GreySource(taken);
        WriteGrey8(in, self.PrepareDestination(in.width, in.height, 8));
    });
}

KORV_API KORV_Status KORV_ConvertTo1Bit(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return RunOperation(handle, "ConvertTo1Bit", [&](Processor& self) {
        const SourceImage taken(self, Operand(source));
        const ImageView& in = GreySource(taken);
        WriteOneBit(in, self.PrepareDestination(in.width, in.height, 1), value);
    });
}

KORV_API KORV_Status KORV_ScaleToGray(KORV_Handle handle, KORV_Handle source, int32_t value)
{
    return RunOperation(handle, "ScaleToGray", [&](Processor& self) {
        RequireRange(value, "window", 1, kMaxGreyWindow);
        const SourceImage taken(self, Operand(source));
        const ImageView& in = GreySource(taken);
        WriteWindowMeans(in, self.PrepareDestination(in.width, in.height, 8), value);
    });
}

}  // extern "C"
