// The frames of operations that change the object's own image sample by
// sample: with a constant (f(sample)) or with an operand of the same shape
// (f(sample, operandSample)). The operand may be the object itself.
#pragma once

#include <initializer_list>

#include "outside/korvex55/core/Core.h"

namespace KORVEX55 {

// Every sample byte of an image already checked.
template <typename SampleWork>
void ChangeEachSample(const ImageView& image, SampleWork&& work)
{
    ForEachRow(image, [&](uint8_t* row, int64_t count) {
        for (int64_t i = 0; i < count; ++i)
            row[i] = work(row[i]);
    });
}

template <typename SampleWork>
void ChangeSamples(Processor& self, std::initializer_list<int32_t> depths, SampleWork&& work)
{
    ChangeEachSample(RequireOwnImage(self, depths), work);
}

template <typename SampleWork>
void CombineSamples(Processor& self, KORV_Handle operandHandle, std::initializer_list<int32_t> depths,
                    SampleWork&& work)
{
    const ImageView& image = RequireOwnImage(self, depths);
    const SourceImage operand(self, Operand(operandHandle), "operand");
    RequireSameShape(image, "image", operand.View(), "operand");
    ForEachRowPair(image, operand.View(), [&](uint8_t* row, const uint8_t* operandRow, int64_t count) {
        for (int64_t i = 0; i < count; ++i)
            row[i] = work(row[i], operandRow[i]);
    });
}

}  // namespace KORVEX55
