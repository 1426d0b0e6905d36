#include "formats/codec/CodecErrorText.h"
#include "formats/codec/PicDecoder.h"
#include "formats/codec/PicEncoder.h"
#include "image/object/ZAVImg.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <string>

using namespace ZAV;

namespace {

// A decoder whose file information answers, declines or throws as told.
class ScriptedDecoder : public CPicDecoder {
public:
    enum Answer { kAccept, kDecline, kThrow };
    explicit ScriptedDecoder(Answer answer) : m_answer(answer) {}

protected:
    int DoGetFileInfo(IDataSource*, FilterImageInfo*) override
    {
        GetImage();
        if (m_answer == kThrow)
            ThrowError(17, "bad header");
        return m_answer == kAccept ? 1 : 0;
    }

private:
    Answer m_answer;
};

class SingleImageEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource*, uint32_t* bytesWritten) override
    {
        *bytesWritten = GetImage() ? 1 : 0;
        return 1;
    }
};

TEST(PicDecoder, FormatTestSwallowsOnlyTheReadersFailure)
{
    CZAVImg image;
    EXPECT_EQ(ScriptedDecoder(ScriptedDecoder::kAccept).IsFileFormat(&image, nullptr), 1);
    EXPECT_EQ(ScriptedDecoder(ScriptedDecoder::kDecline).IsFileFormat(&image, nullptr), 0);
    EXPECT_EQ(ScriptedDecoder(ScriptedDecoder::kThrow).IsFileFormat(&image, nullptr), 0);
    EXPECT_EQ(ScriptedDecoder(ScriptedDecoder::kAccept).GetFrameCount(&image, nullptr), 1);
    EXPECT_EQ(ZAVTest::ThrownText([] { ScriptedDecoder(ScriptedDecoder::kAccept).GetImage(); }),
              "CZAVImg not assigned to decoder!");
    // Without an image the reader's own GetImage fails, which is no format.
    EXPECT_EQ(ScriptedDecoder(ScriptedDecoder::kAccept).IsFileFormat(nullptr, nullptr), 0);
}

TEST(PicDecoder, ThrowErrorPrefixesAndCutsTheMessage)
{
    try {
        CPicDecoder::ThrowError(22, "short");
    } catch (const CTextException& e) {
        EXPECT_STREQ(e.GetText(), "Decoder error: short");
        EXPECT_EQ(e.GetCode(), 22);
    }
    const std::string longText(2000, 'x');
    const std::string thrown = ZAVTest::ThrownText([&] { CPicEncoder::ThrowError(1, longText.c_str()); });
    EXPECT_EQ(thrown.size(), 1023u);
    EXPECT_EQ(thrown, ("Decoder error: " + longText).substr(0, 1023));
}

TEST(PicDecoder, ConstructionEmptiesTheCodecErrorText)
{
    SetCodecErrorText("png: bad chunk");
    EXPECT_STREQ(GetCodecErrorText(), "png: bad chunk");
    ScriptedDecoder decoder(ScriptedDecoder::kAccept);
    EXPECT_STREQ(GetCodecErrorText(), "");
}

TEST(PicEncoder, AListSaveOnASingleImageFormatIsRefused)
{
    CZAVImg image;
    CZAVImg* images[] = {&image, &image};
    SingleImageEncoder encoder;
    uint32_t written = 99;
    EXPECT_EQ(ZAVTest::ThrownText([&] { encoder.SaveMultiPicture(&image, images, 2, nullptr, 0, &written); }),
              "Decoder error: Multipage save is not supported by this format!");
    EXPECT_EQ(written, 99u);
    EXPECT_EQ(encoder.SavePicture(&image, nullptr, &written), 1);
    EXPECT_EQ(written, 1u);
}

}  // namespace
