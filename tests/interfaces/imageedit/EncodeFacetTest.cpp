// The Encode facet: the plug-in checks, the run-length decoding, and
// encode-then-decode round trips through the PDF stream routines.
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "support/TestSupport.h"
#include "support/ThrownText.h"

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

TEST(EncodeFacet, PluginOperationsNeedTheirPlugin)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->AddImportExportDll(ZAVTest::BinPath("ZAVJbg20.so"), "");
    edit->Create(8, 8, zavbpp24);
    IZAVImageEditEncodeCpp& encode = *edit->GetEncode();
    const CArraySimple<unsigned char, 1> data;
    const struct {
        std::function<void()> action;
        const char* expected;
    } cases[] = {
        {[&] { encode.EncodeJpx(); }, "There is no Jpeg2000 filter dll assigned!"},
        {[&] { encode.DecodeJpx(8, 8, zavbpp24, data); }, "There is no Jpeg2000 filter dll assigned!"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ThrownText(c.action), c.expected);
    CZAVPtr<IZAVImageEditSp> bare = CreateImageEditSp();
    bare->Create(8, 8, zavbpp1);
    EXPECT_EQ(ThrownText([&] { bare->GetEncode()->EncodeJbig2(); }), "There is no Jbig2 filter dll assigned!");
    EXPECT_EQ(ThrownText([&] { bare->GetEncode()->DecodeJbig2(8, 8, zavbpp1, data); }),
              "There is no Jbig2 filter dll assigned!");
    EXPECT_EQ(edit->GetWidth(), 8);
}

TEST(EncodeFacet, RunLengthDataDecodesToRows)
{
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    const unsigned char data[] = {253, 0x55, 128};
    CZAVPtr<IZAVArrayByteSp> pixels =
        edit->GetEncode()->DecodeRunLength(2, 2, zavbpp8, CArraySimple<unsigned char, 1>(data, 3));
    ASSERT_EQ(pixels->GetSize(), 4);
    EXPECT_EQ(pixels->GetAt(3), 0x55);
}

}  // namespace
