// The image-edit forms of the image-processing facet that split into or
// join from channel images, and the in-place alpha forms that convert the
// owner's image and lend it again.
#include <gtest/gtest.h>

#include "interfaces/advanced/facets/ZAVAIPImageProcessing.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/facets/FacetTestSupport.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

constexpr char kNotBasedOnImageEdit[] = "This ZAVAdvancedImgProc object is not based on an ZAVImageEdit object!";

class ChannelAndAlphaForms : public testing::Test {
protected:
    void TearDown() override { EXPECT_EQ(0, fake.LiveHandles()); }

    CFakeKorvex55 fake;
};

TEST_F(ChannelAndAlphaForms, SplittingIntoEmptyImagesMakesThem8BitAtTheOwnersSize)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(5, 3, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    CZAVPtr<IZAVImageEditSp> channels[] = {MakeImage(0, 0, zavbpp8), MakeImage(0, 0, zavbpp8),
                                           MakeImage(0, 0, zavbpp8)};
    fake.Reset();
    object->GetImageProcessing()->SplitChannels(channels[0].Get(), channels[1].Get(), channels[2].Get());
    const std::vector<std::string> lines = WorkLines(fake);
    std::map<std::string, KORV_Handle> handles{{"o", object->GetLibraryHandle()}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(5, channels[i]->GetWidth());
        EXPECT_EQ(3, channels[i]->GetHeight());
        EXPECT_EQ(zavbpp8, channels[i]->GetBitsPerPixel());
        handles["c" + std::to_string(i)] = HeldHandle(*channels[i].Get());
    }
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(WithHandles("GetWidth({o}, out)", handles), lines[0]);
    EXPECT_EQ(WithHandles("GetHeight({o}, out)", handles), lines[1]);
    EXPECT_EQ(WithHandles("SplitChannels({o}, {c0}, {c1}, {c2})", handles), lines.back());
}

TEST_F(ChannelAndAlphaForms, ChannelsOfTheRightSizeKeepTheirDepthOthersAreMadeAgain)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 2, zavbpp32);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    CZAVPtr<IZAVImageEditSp> rightSize = MakeImage(4, 2, zavbpp24);
    CZAVPtr<IZAVImageEditSp> wrongSize = MakeImage(2, 4, zavbpp24);
    CZAVPtr<IZAVImageEditSp> alsoRight = MakeImage(4, 2, zavbpp1);
    CZAVPtr<IZAVImageEditSp> empty = MakeImage(0, 0, zavbpp8);
    const HGLOBAL rightBlock = rightSize->GetImageData();
    fake.Reset();
    object->GetImageProcessing()->SplitChannelsRGBA(rightSize.Get(), wrongSize.Get(), alsoRight.Get(), empty.Get());
    EXPECT_EQ(rightBlock, rightSize->GetImageData());
    EXPECT_EQ(zavbpp24, rightSize->GetBitsPerPixel());
    EXPECT_EQ(zavbpp1, alsoRight->GetBitsPerPixel());
    EXPECT_EQ(4, wrongSize->GetWidth());
    EXPECT_EQ(2, wrongSize->GetHeight());
    EXPECT_EQ(zavbpp8, wrongSize->GetBitsPerPixel());
    EXPECT_EQ(zavbpp8, empty->GetBitsPerPixel());
    const std::vector<std::string> lines = WorkLines(fake);
    EXPECT_EQ(WithHandles("SplitChannelsRGBA({o}, {a}, {b}, {c}, {d})", {{"o", object->GetLibraryHandle()},
                                                                         {"a", HeldHandle(*rightSize.Get())},
                                                                         {"b", HeldHandle(*wrongSize.Get())},
                                                                         {"c", HeldHandle(*alsoRight.Get())},
                                                                         {"d", HeldHandle(*empty.Get())}}),
              lines.back());
}

TEST_F(ChannelAndAlphaForms, AStandAloneObjectSplitsItsOwnBuffer)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    object->Create(3, 2, 24);
    CZAVPtr<IZAVImageEditSp> channels[] = {MakeImage(0, 0, zavbpp8), MakeImage(1, 1, zavbpp24),
                                           MakeImage(3, 2, zavbpp8)};
    object->GetImageProcessing()->SplitChannels(channels[0].Get(), channels[1].Get(), channels[2].Get());
    for (const auto& channel : channels) {
        EXPECT_EQ(3, channel->GetWidth());
        EXPECT_EQ(2, channel->GetHeight());
        EXPECT_EQ(zavbpp8, channel->GetBitsPerPixel());
    }
}

TEST_F(ChannelAndAlphaForms, TheSplitImageCannotBeOneOfItsChannels)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 2, zavbpp24);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    CZAVPtr<IZAVImageEditSp> other = MakeImage(0, 0, zavbpp8);
    const HGLOBAL block = owner->GetImageData();
    fake.Reset();
    EXPECT_EQ("The image can't be split into itself!",
              ThrownText([&] { object->GetImageProcessing()->SplitChannels(other.Get(), owner.Get(), other.Get()); }));
    EXPECT_EQ(block, owner->GetImageData());
    EXPECT_FALSE(other->HasImage());
    EXPECT_TRUE(WorkLines(fake).empty());
}

TEST_F(ChannelAndAlphaForms, JoiningTakesTheFirstChannelsSize)
{
    const struct {
        int channelCount;
        int depth;
        const char* expected;
    } cases[] = {{3, 24, "FromChannels({o}, {a}, {b}, {c})"}, {4, 32, "FromChannelsRGBA({o}, {a}, {b}, {c}, {d})"}};
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(2, 2, zavbpp8);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        CZAVPtr<IZAVImageEditSp> a = MakeImage(6, 5, zavbpp8);
        CZAVPtr<IZAVImageEditSp> b = MakeImage(3, 3, zavbpp8);
        CZAVPtr<IZAVImageEditSp> d = MakeImage(7, 1, zavbpp8);
        fake.Reset();
        if (c.channelCount == 3)
            object->GetImageProcessing()->FromChannels(a.Get(), b.Get(), d.Get());
        else
            object->GetImageProcessing()->FromChannelsRGBA(a.Get(), b.Get(), d.Get(), b.Get());
        EXPECT_EQ(6, owner->GetWidth());
        EXPECT_EQ(5, owner->GetHeight());
        EXPECT_EQ(c.depth, owner->GetBitsPerPixel());
        const std::vector<std::string> lines = WorkLines(fake);
        EXPECT_EQ(WithHandles(c.expected, {{"o", object->GetLibraryHandle()},
                                           {"a", HeldHandle(*a.Get())},
                                           {"b", HeldHandle(*b.Get())},
                                           {"c", HeldHandle(*d.Get())},
                                           {"d", HeldHandle(*b.Get())}}),
                  lines.back());
        EXPECT_EQ(0, HeldCount(*a.Get()));
    }
}

TEST_F(ChannelAndAlphaForms, JoiningNeedsAnImageEditObjectAndReadsTheOwnImageFromACopy)
{
    CZAVPtr<IZAVAdvancedImgProcSp> standAlone = CreateAdvancedImgProcSp();
    CZAVPtr<IZAVImageEditSp> channel = MakeImage(3, 3, zavbpp8);
    EXPECT_EQ(kNotBasedOnImageEdit, ThrownText([&] {
                  standAlone->GetImageProcessing()->FromChannels(channel.Get(), channel.Get(), channel.Get());
              }));
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(4, 2, zavbpp8);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    fake.Reset();
    object->GetImageProcessing()->FromChannels(owner.Get(), channel.Get(), owner.Get());
    EXPECT_EQ(4, owner->GetWidth());
    EXPECT_EQ(zavbpp24, owner->GetBitsPerPixel());
    const std::string first = std::to_string(object->GetLibraryHandle()) + ", ";
    EXPECT_EQ(std::string::npos, WorkLines(fake).back().find("(" + first + first));
}

TEST_F(ChannelAndAlphaForms, AlphaFormsConvertTheOwnerAndOperandsAndLendTheOwnerAgain)
{
    CZAVPtr<IZAVImageEditSp> owner = MakeImage(3, 2, zavbpp8);
    CZAVPtr<IZAVImageEditSp> first = MakeImage(3, 2, zavbpp1);
    CZAVPtr<IZAVImageEditSp> second = MakeImage(3, 2, zavbpp32);
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
    fake.Reset();
    object->GetImageProcessing()->AlphaOverlay(first.Get(), second.Get(), 5);
    EXPECT_EQ(zavbpp24, owner->GetBitsPerPixel());
    EXPECT_EQ(zavbpp24, first->GetBitsPerPixel());
    EXPECT_EQ(zavbpp32, second->GetBitsPerPixel());
    std::vector<std::string> lines = WorkLines(fake);
    const KORV_Handle handle = object->GetLibraryHandle();
    EXPECT_EQ(AttachLine(handle, *owner.Get()), lines.front());
    EXPECT_EQ(WithHandles("AlphaOverlay({o}, {f}, {s}, 5)",
                          {{"o", handle}, {"f", HeldHandle(*first.Get())}, {"s", HeldHandle(*second.Get())}}),
              lines.back());

    CZAVPtr<IZAVImageEditSp> grey = MakeImage(3, 2, zavbpp1);
    CZAVPtr<IZAVAdvancedImgProcSp> greyObject = CreateAdvancedImgProcSpForImage(grey.Get());
    fake.Reset();
    greyObject->GetImageProcessing()->AlphaOverlayWithConstant(first.Get(), 1, owner.Get(), 2, 3);
    EXPECT_EQ(zavbpp8, grey->GetBitsPerPixel());
    EXPECT_TRUE(grey->GetPalette()->IsGrayScale());
    lines = WorkLines(fake);
    EXPECT_EQ(AttachLine(greyObject->GetLibraryHandle(), *grey.Get()), lines.front());
    EXPECT_EQ(WithHandles("AlphaOverlayWithConstant({o}, {f}, 1, {s}, 2, 3)", {{"o", greyObject->GetLibraryHandle()},
                                                                               {"f", HeldHandle(*first.Get())},
                                                                               {"s", HeldHandle(*owner.Get())}}),
              lines.back());
}

TEST_F(ChannelAndAlphaForms, PremultiplyConvertsTheOwnersOwnImage)
{
    const struct {
        zavBitsPerPixel depth;
        int32_t convertedDepth;
        bool withConstant;
        const char* expected;
    } cases[] = {{zavbpp32, 32, false, "AlphaPremultiply({o})"},
                 {zavbpp1, 8, true, "AlphaPremultiplyWithConstant({o}, 77)"},
                 {zavbpp24, 24, true, "AlphaPremultiplyWithConstant({o}, 77)"}};
    for (const auto& c : cases) {
        CZAVPtr<IZAVImageEditSp> owner = MakeImage(2, 2, c.depth);
        CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSpForImage(owner.Get());
        fake.Reset();
        if (c.withConstant)
            object->GetImageProcessing()->AlphaPremultiplyWithConstant(77);
        else
            object->GetImageProcessing()->AlphaPremultiply();
        EXPECT_EQ(c.convertedDepth, owner->GetBitsPerPixel());
        const std::vector<std::string> lines = WorkLines(fake);
        EXPECT_EQ(WithHandles(c.expected, {{"o", object->GetLibraryHandle()}}), lines.back());
        // Lent again only when the conversion replaced the pixels.
        EXPECT_EQ(c.depth == c.convertedDepth ? "" : AttachLine(object->GetLibraryHandle(), *owner.Get()),
                  LastLineOf(lines, "AttachNoFree(" + std::to_string(object->GetLibraryHandle()) + ", "));
    }
}

TEST_F(ChannelAndAlphaForms, InPlaceAlphaFormsRefuseAStandAloneObjectBeforeConverting)
{
    CZAVPtr<IZAVAdvancedImgProcSp> object = CreateAdvancedImgProcSp();
    CZAVPtr<IZAVImageEditSp> first = MakeImage(2, 2, zavbpp1);
    EXPECT_EQ(kNotBasedOnImageEdit, ThrownText([&] { object->GetImageProcessing()->AlphaPremultiply(); }));
    EXPECT_EQ(kNotBasedOnImageEdit, ThrownText([&] { object->GetImageProcessing()->AlphaPremultiplyWithConstant(1); }));
    EXPECT_EQ(kNotBasedOnImageEdit,
              ThrownText([&] { object->GetImageProcessing()->AlphaOverlay(first.Get(), first.Get(), 1); }));
    EXPECT_EQ(kNotBasedOnImageEdit, ThrownText([&] {
                  object->GetImageProcessing()->AlphaOverlayWithConstant(first.Get(), 1, first.Get(), 1, 1);
              }));
    EXPECT_EQ(zavbpp1, first->GetBitsPerPixel());
}

}  // namespace
}  // namespace ZAVTest
