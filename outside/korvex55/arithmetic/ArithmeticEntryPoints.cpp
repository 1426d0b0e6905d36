// Arithmetic per sample on images of 8, 9, 24 and 32 bits (alpha counts as a
// sample); see SampleArithmetic.h for saturation, rounding and division by 0.
#include "outside/korvex55/arithmetic/SampleArithmetic.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/core/PointOperations.h"

using namespace KORVEX55;

namespace {

constexpr std::initializer_list<int32_t> kArithmeticDepths = {8, 9, 24, 32};

template <typename SampleWork>
KORV_Status WithOperand(KORV_Handle handle, KORV_Handle operand, const char* operation, SampleWork&& work)
{
    return RunOperation(handle, operation,
                        [&](Processor& self) { CombineSamples(self, operand, kArithmeticDepths, work(self)); });
}

template <typename SampleWork>
KORV_Status WithConstant(KORV_Handle handle, const char* operation, SampleWork&& work)
{
    return RunOperation(handle, operation,
                        [&](Processor& self) { ChangeSamples(self, kArithmeticDepths, work(self)); });
}

// The difference of two operands of one shape becomes the object's image.
void WriteDifference(Processor& self, KORV_Handle firstHandle, KORV_Handle secondHandle)
{
    const SourceImage first(self, Operand(firstHandle), "first operand");
    const SourceImage second(self, Operand(secondHandle), "second operand");
    RequireDepth(first.View(), "first operand", kArithmeticDepths);
    RequireSameShape(first.View(), "first operand", second.View(), "second operand");
    const ImageView& image =
        self.PrepareDestination(first.View().width, first.View().height, first.View().bitsPerPixel);
    ForEachRowTriple(image, first.View(), second.View(),
                     [](uint8_t* row, const uint8_t* firstRow, const uint8_t* secondRow, int64_t count) {
                         for (int64_t i = 0; i < count; ++i)
                             row[i] = AbsoluteDifference(firstRow[i], secondRow[i]);
                     });
}

void WriteDifferenceToConstant(Processor& self, KORV_Handle operandHandle, int32_t value)
{
    const SourceImage operand(self, Operand(operandHandle), "operand");
    RequireDepth(operand.View(), "operand", kArithmeticDepths);
    const ImageView& image =
        self.PrepareDestination(operand.View().width, operand.View().height, operand.View().bitsPerPixel);
    ForEachRowPair(image, operand.View(), [value](uint8_t* row, const uint8_t* operandRow, int64_t count) {
        for (int64_t i = 0; i < count; ++i)
            row[i] = AbsoluteDifference(operandRow[i], value);
    });
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Add(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Add",
                       [](Processor&) { return [](uint8_t a, uint8_t b) { return AddSamples(a, b); }; });
}

KORV_API KORV_Status KORV_AddConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, "AddConstant",
                        [value](Processor&) { return [value](uint8_t a) { return AddSamples(a, value); }; });
}

KORV_API KORV_Status KORV_Subtract(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Subtract",
                       [](Processor&) { return [](uint8_t a, uint8_t b) { return SubtractSamples(a, b); }; });
}

KORV_API KORV_Status KORV_SubtractConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, "SubtractConstant",
                        [value](Processor&) { return [value](uint8_t a) { return SubtractSamples(a, value); }; });
}

KORV_API KORV_Status KORV_Multiply(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Multiply", [](Processor& self) {
        return [n = self.ScaleFactor()](uint8_t a, uint8_t b) { return MultiplySamples(a, b, n); };
    });
}

KORV_API KORV_Status KORV_MultiplyConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, "MultiplyConstant", [value](Processor& self) {
        return [value, n = self.ScaleFactor()](uint8_t a) { return MultiplySamples(a, value, n); };
    });
}

KORV_API KORV_Status KORV_Divide(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Divide", [](Processor& self) {
        return [n = self.ScaleFactor()](uint8_t a, uint8_t b) { return DivideSamples(a, b, n); };
    });
}

KORV_API KORV_Status KORV_DivideConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, "DivideConstant", [value](Processor& self) {
        return [value, n = self.ScaleFactor()](uint8_t a) { return DivideSamples(a, value, n); };
    });
}

KORV_API KORV_Status KORV_Difference(KORV_Handle handle, KORV_Handle first, KORV_Handle second)
{
    return RunOperation(handle, "Difference", [&](Processor& self) { WriteDifference(self, first, second); });
}

KORV_API KORV_Status KORV_DifferenceConstant(KORV_Handle handle, KORV_Handle operand, int32_t value)
{
    return RunOperation(handle, "DifferenceConstant",
                        [&](Processor& self) { WriteDifferenceToConstant(self, operand, value); });
}

}  // extern "C"
