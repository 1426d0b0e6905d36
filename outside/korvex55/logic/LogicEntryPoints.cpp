// Bitwise logic per byte on images of 1, 8, 9, 24 and 32 bits. A constant is
// one sample value for every channel: 0..255, or 0..1 on a 1-bit image, where
// it stands for every pixel of a byte (0x00 or 0xFF).
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/core/PointOperations.h"

using namespace KORVEX55;

namespace {

constexpr std::initializer_list<int32_t> kLogicDepths = {1, 8, 9, 24, 32};

uint8_t ConstantByte(const Processor& self, int32_t value)
{
    const ImageView& image = RequireImage(self, "object");
    if (image.bitsPerPixel == 1) {
        RequireRange(value, "value", 0, 1);
        return value ? 0xFF : 0x00;
    }
    RequireRange(value, "value", 0, 255);
    return static_cast<uint8_t>(value);
}

template <typename ByteWork>
KORV_Status WithOperand(KORV_Handle handle, KORV_Handle operand, const char* operation, ByteWork work)
{
    return RunOperation(handle, operation, [&](Processor& self) { CombineSamples(self, operand, kLogicDepths, work); });
}

template <typename ByteWork>
KORV_Status WithConstant(KORV_Handle handle, int32_t value, const char* operation, ByteWork work)
{
    return RunOperation(handle, operation, [&](Processor& self) {
        const uint8_t constant = ConstantByte(self, value);
        ChangeSamples(self, kLogicDepths, [&](uint8_t sample) { return work(sample, constant); });
    });
}

uint8_t And(uint8_t a, uint8_t b)
{
    return a & b;
}

uint8_t Or(uint8_t a, uint8_t b)
{
    return a | b;
}

uint8_t Xor(uint8_t a, uint8_t b)
{
    return a ^ b;
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_And(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "And", And);
}

KORV_API KORV_Status KORV_AndConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, value, "AndConstant", And);
}

KORV_API KORV_Status KORV_Or(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Or", Or);
}

KORV_API KORV_Status KORV_OrConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, value, "OrConstant", Or);
}

KORV_API KORV_Status KORV_Xor(KORV_Handle handle, KORV_Handle operand)
{
    return WithOperand(handle, operand, "Xor", Xor);
}

KORV_API KORV_Status KORV_XorConstant(KORV_Handle handle, int32_t value)
{
    return WithConstant(handle, value, "XorConstant", Xor);
}

KORV_API KORV_Status KORV_Invert(KORV_Handle handle)
{
    return RunOperation(handle, "Invert", [](Processor& self) {
        ChangeSamples(self, kLogicDepths, [](uint8_t sample) { return static_cast<uint8_t>(~sample); });
    });
}

}  // extern "C"
