#include "interfaces/advanced/facets/AIPFormSteps.h"

#include <vector>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"

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

}  // namespace ZAV
