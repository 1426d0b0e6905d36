#include "interfaces/advanced/facets/AIPInPlaceOperands.h"

#include "foundation/text/TextException.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

namespace {

constexpr char kMissingOperand[] = "The operand image is missing!";

}  // namespace

CAIPInPlaceOperands::CAIPInPlaceOperands(CZAVAdvancedImgProc& owner, const std::vector<IZAVImageEditSp*>& operands,
                                         Order order)
{
    owner.RequireImageEdit();
    for (IZAVImageEditSp* operand : operands) {
        if (operand == nullptr)
            ThrowTextException(kMissingOperand);
    }
    owner.ConvertImageEdit({zavbpp9, zavbpp24});
    const int32_t depth = owner.GetImageEdit()->GetBitsPerPixel();
    for (IZAVImageEditSp* operand : operands)
        ConvertToDepths(operand, {depth});
    m_holders.resize(operands.size());
    const size_t count = operands.size();
    for (size_t step = 0; step < count; ++step) {
        const size_t index = order == Order::AsGiven ? step : count - 1 - step;
        m_holders[index] = operands[index]->CreateAdvancedImgProc();
    }
}

}  // namespace ZAV
