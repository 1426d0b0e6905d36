// Thresholds per sample on images of 8, 9, 24 and 32 bits (alpha counts as a
// sample). Thresholds and values lie in 0..255.
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/core/PointOperations.h"

using namespace KORVEX55;

namespace {

constexpr std::initializer_list<int32_t> kThresholdDepths = {8, 9, 24, 32};

// Samples below low become lowValue, samples above high become highValue.
void Threshold(Processor& self, int32_t low, int32_t lowValue, int32_t high, int32_t highValue)
{
    ChangeSamples(self, kThresholdDepths, [=](uint8_t sample) {
        if (sample < low)
            return static_cast<uint8_t>(lowValue);
        if (sample > high)
            return static_cast<uint8_t>(highValue);
        return sample;
    });
}

template <typename Checks>
KORV_Status RunThreshold(KORV_Handle handle, const char* operation, Checks checks, int32_t low, int32_t lowValue,
                         int32_t high, int32_t highValue)
{
    return RunOperation(handle, operation, [&](Processor& self) {
        checks();
        Threshold(self, low, lowValue, high, highValue);
    });
}

// The checks of the forms with a threshold, and with a threshold and the
// value that replaces samples beyond it.
auto ThresholdChecks(int32_t threshold)
{
    return [=] { RequireRange(threshold, "threshold", 0, 255); };
}

auto ThresholdAndValueChecks(int32_t threshold, int32_t value)
{
    return [=] {
        RequireRange(threshold, "threshold", 0, 255);
        RequireRange(value, "value", 0, 255);
    };
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_ThresholdGT(KORV_Handle handle, int32_t threshold)
{
    return RunThreshold(handle, "ThresholdGT", ThresholdChecks(threshold), 0, 0, threshold, threshold);
}

KORV_API KORV_Status KORV_ThresholdLT(KORV_Handle handle, int32_t threshold)
{
    return RunThreshold(handle, "ThresholdLT", ThresholdChecks(threshold), threshold, threshold, 255, 255);
}

KORV_API KORV_Status KORV_ThresholdGTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return RunThreshold(handle, "ThresholdGTVal", ThresholdAndValueChecks(threshold, value), 0, 0, threshold, value);
}

KORV_API KORV_Status KORV_ThresholdLTVal(KORV_Handle handle, int32_t threshold, int32_t value)
{
    return RunThreshold(handle, "ThresholdLTVal", ThresholdAndValueChecks(threshold, value), threshold, value, 255,
                        255);
}

KORV_API KORV_Status KORV_ThresholdLTValGTVal(KORV_Handle handle, int32_t value1, int32_t value2, int32_t value3,
                                              int32_t value4)
{
    return RunThreshold(
        handle, "ThresholdLTValGTVal",
        [=] {
            RequireRange(value1, "lower threshold", 0, 255);
            RequireRange(value2, "lower value", 0, 255);
            RequireRange(value3, "upper threshold", value1, 255);
            RequireRange(value4, "upper value", 0, 255);
        },
        value1, value2, value3, value4);
}

}  // extern "C"
