// The forms on image-edit objects: the pictures are taken, converted and
// sized, lent to the library as advanced objects, and the form on advanced
// objects runs through this facet's own operations.
#include <initializer_list>
#include <vector>

#include "foundation/text/TextException.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"
#include "interfaces/advanced/facets/AIPFormSteps.h"
#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"

namespace ZAV {

namespace {

constexpr int32_t kChannelBitsPerPixel = 8;
constexpr int32_t kThreeChannelBitsPerPixel = 24;
constexpr int32_t kFourChannelBitsPerPixel = 32;

// Channels of another size than the owner's library image become 8-bit
// images of that size, like the owner's image when it has one. Every channel
// is checked before any is re-created.
void SizeChannels(CZAVAdvancedImgProc& owner, std::initializer_list<IZAVImageEditSp*> channels)
{
    for (IZAVImageEditSp* channel : channels)
        if (RequireImageOperand(channel) == owner.GetImageEdit())
            ThrowTextException("The image can't be split into itself!");
    const int32_t width = owner.GetWidth();
    const int32_t height = owner.GetHeight();
    IZAVImageEditSp* model = owner.GetImageEdit();
    const auto depth = static_cast<zavBitsPerPixel>(kChannelBitsPerPixel);
    for (IZAVImageEditSp* channel : channels) {
        if (channel->GetWidth() == width && channel->GetHeight() == height)
            continue;
        if (model)
            channel->CreateLike(model, width, height, depth);
        else
            channel->Create(width, height, depth);
    }
}

// Each image lent to the library as an operand, in order; the images must
// outlive the operands.
std::vector<CZAVPtr<IZAVAdvancedImgProcSp>> MakeOperands(std::initializer_list<IZAVImageEditSp*> images)
{
    std::vector<CZAVPtr<IZAVAdvancedImgProcSp>> operands;
    for (IZAVImageEditSp* image : images)
        operands.push_back(MakeOperand(image));
    return operands;
}

// The channel images a join reads, each taken (the owner's own image as a
// copy), and their operands; the images are released after the operands.
struct CTakenChannels {
    std::vector<CZAVPtr<IZAVImageEditSp>> images;
    std::vector<CZAVPtr<IZAVAdvancedImgProcSp>> operands;
};

// Every channel is taken, then the owner's image is made the first one's
// size at the given depth, then every channel is lent to the library.
CTakenChannels TakeChannels(CZAVAdvancedImgProc& owner, std::initializer_list<IZAVImageEditSp*> channels,
                            int32_t bitsPerPixel)
{
    owner.RequireImageEdit();
    CTakenChannels taken;
    for (IZAVImageEditSp* channel : channels)
        taken.images.push_back(TakeSource(owner, channel));
    IZAVImageEditSp* first = taken.images.front().Get();
    owner.PrepareDestination(first, first->GetWidth(), first->GetHeight(), bitsPerPixel);
    for (const CZAVPtr<IZAVImageEditSp>& image : taken.images)
        taken.operands.push_back(MakeOperand(image.Get()));
    return taken;
}

}  // namespace

void CZAVAIPImageProcessing::Copy(IZAVImageEditSp* source)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Copy(operand.Get());
}

void CZAVAIPImageProcessing::CopyWithMask(IZAVImageEditSp* source, IZAVAdvancedImgProcSp* mask)
{
    // A missing mask is refused before the owner's image is re-created.
    OperandHandle(mask);
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    CopyWithMask(operand.Get(), mask);
}

void CZAVAIPImageProcessing::Crop(IZAVImageEditSp* source, int32_t x, int32_t y, int32_t width, int32_t height)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSource(*m_owner, source, {8, 24});
    PrepareLike(*m_owner, taken.Get(), width, height);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    Crop(operand.Get(), x, y, width, height);
}

void CZAVAIPImageProcessing::CopyWithConstBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2,
                                                 int32_t value3)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    CopyWithConstBorder(operand.Get(), value1, value2, value3);
}

void CZAVAIPImageProcessing::CopyWithReplicateBorder(IZAVImageEditSp* source, int32_t value1, int32_t value2)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source, {8, 24});
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    CopyWithReplicateBorder(operand.Get(), value1, value2);
}

void CZAVAIPImageProcessing::SplitChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3)
{
    SizeChannels(*m_owner, {c1, c2, c3});
    const auto operands = MakeOperands({c1, c2, c3});
    SplitChannels(operands[0].Get(), operands[1].Get(), operands[2].Get());
}

void CZAVAIPImageProcessing::FromChannels(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3)
{
    const CTakenChannels taken = TakeChannels(*m_owner, {c1, c2, c3}, kThreeChannelBitsPerPixel);
    FromChannels(taken.operands[0].Get(), taken.operands[1].Get(), taken.operands[2].Get());
}

void CZAVAIPImageProcessing::SplitChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3,
                                               IZAVImageEditSp* c4)
{
    SizeChannels(*m_owner, {c1, c2, c3, c4});
    const auto operands = MakeOperands({c1, c2, c3, c4});
    SplitChannelsRGBA(operands[0].Get(), operands[1].Get(), operands[2].Get(), operands[3].Get());
}

void CZAVAIPImageProcessing::FromChannelsRGBA(IZAVImageEditSp* c1, IZAVImageEditSp* c2, IZAVImageEditSp* c3,
                                              IZAVImageEditSp* c4)
{
    const CTakenChannels taken = TakeChannels(*m_owner, {c1, c2, c3, c4}, kFourChannelBitsPerPixel);
    FromChannelsRGBA(taken.operands[0].Get(), taken.operands[1].Get(), taken.operands[2].Get(),
                     taken.operands[3].Get());
}

void CZAVAIPImageProcessing::LookUpTable8Bit(IZAVImageEditSp* source, const CZAVInt32Array& t1,
                                             const CZAVInt32Array& t2, int32_t value)
{
    // Tables are checked before the owner's image is re-created.
    RequireTablePair(t1, t2);
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    LookUpTable8Bit(operand.Get(), t1, t2, value);
}

void CZAVAIPImageProcessing::LookUpTable(IZAVImageEditSp* source, const CZAVInt32Array& t1, const CZAVInt32Array& t2,
                                         const CZAVInt32Array& t3, const CZAVInt32Array& t4, const CZAVInt32Array& t5,
                                         const CZAVInt32Array& t6, int32_t value)
{
    RequireTablePair(t1, t2);
    RequireTablePair(t3, t4);
    RequireTablePair(t5, t6);
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    LookUpTable(operand.Get(), t1, t2, t3, t4, t5, t6, value);
}

void CZAVAIPImageProcessing::AlphaPremultiply()
{
    m_owner->ConvertImageEdit({32});
    m_owner->CheckResult(AipLibrary().AlphaPremultiply(m_owner->GetHandle()));
}

void CZAVAIPImageProcessing::AlphaPremultiplyWithConstant(int32_t value)
{
    m_owner->ConvertImageEdit({8, 24, 32});
    m_owner->CheckResult(AipLibrary().AlphaPremultiplyWithConstant(m_owner->GetHandle(), value));
}

void CZAVAIPImageProcessing::AlphaOverlay(IZAVImageEditSp* first, IZAVImageEditSp* second, int32_t value)
{
    m_owner->ConvertImageEdit({24, 32});
    ConvertToDepths(first, {24, 32});
    ConvertToDepths(second, {24, 32});
    CZAVPtr<IZAVAdvancedImgProcSp> firstOperand = MakeOperand(first);
    CZAVPtr<IZAVAdvancedImgProcSp> secondOperand = MakeOperand(second);
    AlphaOverlay(firstOperand.Get(), secondOperand.Get(), value);
}

void CZAVAIPImageProcessing::AlphaOverlayWithConstant(IZAVImageEditSp* first, int32_t value1, IZAVImageEditSp* second,
                                                      int32_t value2, int32_t value3)
{
    m_owner->ConvertImageEdit({9, 24, 32});
    ConvertToDepths(first, {9, 24, 32});
    ConvertToDepths(second, {9, 24, 32});
    CZAVPtr<IZAVAdvancedImgProcSp> firstOperand = MakeOperand(first);
    CZAVPtr<IZAVAdvancedImgProcSp> secondOperand = MakeOperand(second);
    AlphaOverlayWithConstant(firstOperand.Get(), value1, secondOperand.Get(), value2, value3);
}

void CZAVAIPImageProcessing::SwapChannels(IZAVImageEditSp* source, const CZAVInt32Array& order)
{
    CZAVPtr<IZAVImageEditSp> taken = TakeSourceAtItsSize(*m_owner, source);
    CZAVPtr<IZAVAdvancedImgProcSp> operand = MakeOperand(taken.Get());
    SwapChannels(operand.Get(), order);
}

}  // namespace ZAV
