// KORV_Scale on 8-bit samples (8, 9, 24, 32 bits) and on 16-bit samples (16
// and 48 bits, low byte first, saturating at 65535).
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/core/PointOperations.h"
#include "outside/korvex55/logic/LinearScale.h"

using namespace KORVEX55;

namespace {

void ScaleWideSamples(const ImageView& image, const LinearScale& scale)
{
    ForEachRow(image, [&](uint8_t* row, int64_t count) {
        for (int64_t i = 0; i + 1 < count; i += 2) {
            const int64_t mapped = scale.Map(row[i] | (row[i + 1] << 8));
            row[i] = static_cast<uint8_t>(mapped & 0xFF);
            row[i + 1] = static_cast<uint8_t>(mapped >> 8);
        }
    });
}

void ScaleSamples(Processor& self, int32_t value1, int32_t value2, int32_t value3, int32_t value4)
{
    const ImageView& image = RequireOwnImage(self, {8, 9, 16, 24, 32, 48});
    const bool wide = image.bitsPerPixel == 16 || image.bitsPerPixel == 48;
    const LinearScale scale(value1, value2, value3, value4, wide ? 65535 : 255);
    if (scale.ChangesNothing())
        return;
    if (wide) {
        ScaleWideSamples(image, scale);
        return;
    }
    uint8_t table[256];
    for (int sample = 0; sample < 256; ++sample)
        table[sample] = static_cast<uint8_t>(scale.Map(sample));
    ChangeEachSample(image, [&table](uint8_t sample) { return table[sample]; });
}

}  // namespace

extern "C" KORV_API KORV_Status KORV_Scale(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                           int32_t value4)
{
    return RunOperation(handle, "Scale", [&](Processor& self) { ScaleSamples(self, value1, value2, value3, value4); });
}
