// The image-edit object loads a picture through a caller's request object,
// with the image object's worker and texts; no network.
#include "interfaces/imageedit/ZAVImageEditSp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "image/webrequest/WebRequest.h"
#include "support/ThrownText.h"
#include "support/WebRequestDouble.h"

namespace {

using namespace ZAV;
using ZAVTest::BmpBytes;
using ZAVTest::CRequestDouble;
using ZAVTest::kFormatBmp;
using ZAVTest::ThrownText;

TEST(ImageEditWebRequest, LoadsTheBytesTheRequestFetches)
{
    CRequestDouble request;
    request.response = BmpBytes(3, 2);
    CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
    edit->Create(5, 5, zavbpp8);
    edit->LoadFromWebRequest(&request, "http://example.invalid/p.bmp", kFormatBmp, 0);
    EXPECT_EQ("http://example.invalid/p.bmp", request.seenUrl);
    EXPECT_EQ(3, edit->GetWidth());
    EXPECT_EQ(2, edit->GetHeight());
    EXPECT_EQ(zavbpp24, edit->GetBitsPerPixel());
    EXPECT_EQ(1u, request.m_count);
}

TEST(ImageEditWebRequest, FailuresGiveTheirTextAndLeaveTheImage)
{
    const struct {
        const char* name;
        const char* failure;
        const char* foreignFailure;
        bool asRequest;  // false: an interface object that is no request
        const char* text;
    } cases[] = {
        {"request fails", "Host not found!", "", true, "Host not found!"},
        {"request throws a standard exception", "", "connection reset", true, "connection reset"},
        {"no bytes", "", "", true, "Web request returned no data!"},
        {"not a request object", "", "", false, "Invalid Parameter!"},
    };
    for (const auto& c : cases) {
        CRequestDouble request;
        request.failure = c.failure;
        request.foreignFailure = c.foreignFailure;
        CZAVPtr<IZAVImageEditSp> edit = CreateImageEditSp();
        edit->Create(5, 4, zavbpp8);
        IZAVUnknownSp* argument = c.asRequest ? static_cast<IZAVUnknownSp*>(&request) : edit.Get();
        EXPECT_EQ(c.text, ThrownText([&] { edit->LoadFromWebRequest(argument, "u", kFormatBmp, 0); })) << c.name;
        EXPECT_EQ(5, edit->GetWidth()) << c.name;
        EXPECT_EQ(4, edit->GetHeight()) << c.name;
        EXPECT_EQ(zavbpp8, edit->GetBitsPerPixel()) << c.name;
    }
}

}  // namespace
