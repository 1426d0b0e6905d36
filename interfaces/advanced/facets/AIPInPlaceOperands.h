// The preparation an in-place image-edit form of a facet shares: the owner
// must be based on an image-edit object, its image is brought to 8-bit grey
// or 24-bit colour (and lent to the library again when that replaced its
// pixels), each operand image to the owner's depth, in argument order, and
// each operand gets an advanced object of its own. The holders release
// those objects when the form ends, whether it succeeded or not.
#pragma once

#include <cstddef>
#include <vector>

#include "foundation/objects/ZAVPtr.h"
#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;
class IZAVImageEditSp;

class CAIPInPlaceOperands {
public:
    enum class Order { AsGiven, LastFirst };

    // Order tells in which order the operands' objects are made.
    CAIPInPlaceOperands(CZAVAdvancedImgProc& owner, const std::vector<IZAVImageEditSp*>& operands,
                        Order order = Order::AsGiven);

    IZAVAdvancedImgProcSp* operator[](size_t index) const { return m_holders[index].Get(); }

private:
    std::vector<CZAVPtr<IZAVAdvancedImgProcSp>> m_holders;
};

}  // namespace ZAV
