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

namespace {

using namespace ZAV;
using ZAVTest::ThrownText;

constexpr int kFormatBmp = 1;

// Hands out fixed bytes, or fails in the way it is told.
class CRequestDouble : public IZAVWebRequestSp {
public:
    uint32_t AddRef() override { return ++m_count; }
    uint32_t Release() override { return --m_count; }
    int32_t GetRefCount() override { return static_cast<int32_t>(m_count); }
    void SetUrl(const std::string& url) override { seenUrl = url; }
    void Execute() override
    {
        if (!failure.empty())
            ThrowTextException(failure.c_str());
        if (!foreignFailure.empty())
            throw std::runtime_error(foreignFailure);
    }
    void GetResponse(CArraySimple<BYTE, 1>& bytes) override { bytes = CArraySimple<BYTE, 1>(response); }

    std::vector<BYTE> response;
    std::string failure;
    std::string foreignFailure;
    std::string seenUrl;
    uint32_t m_count = 1;
};

// A 3 x 2 24-bit picture as .bmp bytes.
std::vector<BYTE> BmpBytes()
{
    CZAVImg image;
    EXPECT_EQ(1, image.Create(3, 2, 24));
    std::vector<BYTE> block(4096);
    int64_t written = 0;
    image.SaveToMemory(block.data(), static_cast<int64_t>(block.size()), kFormatBmp, &written);
    block.resize(static_cast<size_t>(written));
    return block;
}

TEST(ImageEditWebRequest, LoadsTheBytesTheRequestFetches)
{
    CRequestDouble request;
    request.response = BmpBytes();
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
