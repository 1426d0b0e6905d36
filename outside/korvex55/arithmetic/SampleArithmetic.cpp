#include "outside/korvex55/arithmetic/SampleArithmetic.h"

#include "outside/korvex55/core/Rows.h"

namespace KORVEX55 {

uint8_t AddSamples(int64_t sample, int64_t amount)
{
    return SaturateByte(sample + amount);
}

uint8_t SubtractSamples(int64_t sample, int64_t amount)
{
    return SaturateByte(sample - amount);
}

uint8_t MultiplySamples(int64_t sample, int64_t factor, int32_t scaleFactor)
{
    const int64_t product = sample * factor;
    if (product <= 0)
        return 0;
    const int64_t half = (int64_t(1) << scaleFactor) >> 1;
    return SaturateByte((product + half) >> scaleFactor);
}

uint8_t DivideSamples(int64_t sample, int64_t divisor, int32_t scaleFactor)
{
    if (divisor == 0)
        return sample == 0 ? 0 : 255;
    // A negative quotient saturates to 0 whatever its rounding.
    if (sample == 0 || divisor < 0)
        return 0;
    // round(sample / (divisor * 2^n)) = floor((2 sample + d) / (2 d)), d = divisor * 2^n.
    const int64_t scaledDivisor = divisor << scaleFactor;
    return SaturateByte((2 * sample + scaledDivisor) / (2 * scaledDivisor));
}

uint8_t AbsoluteDifference(int64_t first, int64_t second)
{
    return SaturateByte(first > second ? first - second : second - first);
}

}  // namespace KORVEX55
