#include "interfaces/advanced/facets/AIPFormSteps.h"

#include <vector>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"

namespace ZAV {

namespace {

constexpr char kInvalidParameter[] = "Invalid Parameter!";

}  // namespace

KORV_Handle OperandHandle(IZAVAdvancedImgProcSp* operand)
{
    if (!operand)
        ThrowTextException(kInvalidParameter);
    return operand->GetLibraryHandle();
}

IZAVImageEditSp* RequireImageOperand(IZAVImageEditSp* image)
{
    if (!image)
        ThrowTextException(kInvalidParameter);
    return image;
}

void ConvertToDepths(IZAVImageEditSp* image, std::initializer_list<int32_t> depths)
{
    CZAVInt32Array allowed{std::vector<int32_t>(depths)};
    RequireImageOperand(image)->GetColor()->ConvertToAllowedBitDepth(allowed);
}

CZAVPtr<IZAVImageEditSp> TakeSource(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source)
{
    return owner.GetSourceImage(RequireImageOperand(source));
}

CZAVPtr<IZAVImageEditSp> TakeSource(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source,
                                    std::initializer_list<int32_t> depths)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(owner, source);
    ConvertToDepths(taken.Get(), depths);
    return taken;
}

void PrepareLike(CZAVAdvancedImgProc& owner, IZAVImageEditSp* taken, int32_t width, int32_t height)
{
    owner.PrepareDestination(taken, width, height, static_cast<int32_t>(taken->GetBitsPerPixel()));
}

CZAVPtr<IZAVImageEditSp> TakeSourceAtItsSize(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(owner, source);
    PrepareLike(owner, taken.Get(), taken->GetWidth(), taken->GetHeight());
    return taken;
}

CZAVPtr<IZAVImageEditSp> TakeSourceAtItsSize(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source,
                                             std::initializer_list<int32_t> depths)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(owner, source, depths);
    PrepareLike(owner, taken.Get(), taken->GetWidth(), taken->GetHeight());
    return taken;
}

CZAVPtr<IZAVAdvancedImgProcSp> MakeOperand(IZAVImageEditSp* image)
{
    CZAVPtr<IZAVAdvancedImgProcSp> operand = RequireImageOperand(image)->CreateAdvancedImgProc();
    if (!operand)
        ThrowTextException("Can't create an AdvancedImgProc object for the image!");
    return operand;
}

void RequireElements(int32_t count, int64_t needed, const char* arrayName)
{
    if (needed <= static_cast<int64_t>(count))
        return;
    String text;
    text.Format("The %s holds %d values, but %lld are needed!", arrayName, count, static_cast<long long>(needed));
    ThrowTextException(text.GetText());
}

void RequireGrid(const CZAVInt32Array& grid, int32_t columns, int32_t rows, const char* arrayName)
{
    const int64_t needed = static_cast<int64_t>(columns > 0 ? columns : 0) * (rows > 0 ? rows : 0);
    RequireElements(grid.GetSize(), needed, arrayName);
}

void RequireTablePair(const CZAVInt32Array& levels, const CZAVInt32Array& values)
{
    RequireElements(levels.GetSize(), values.GetSize(), "lookup table's levels");
}

}  // namespace ZAV
