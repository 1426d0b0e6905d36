// File information, page counts, loads from streams and module resources
// and multipage saves into memory, over fake codecs.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/codec/PicCodecFactory.h"
#include "foundation/datasource/IDataSource.h"
#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "platform/ole/Streams.h"
#include "platform/win/Resources.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

using namespace ZAV;
using ZAVTest::ThrownText;

namespace {

// "PIC" and one byte n is a picture of n x 1 pixels with n frames; the
// file information reports "WIDTH" = n.
class FakeDecoder : public CPicDecoder {
protected:
    int DoGetFileInfo(IDataSource* source, FilterImageInfo*) override
    {
        const int n = ReadCount(source);
        if (CNameVariantPairs* facts = GetImage()->GetImageInfo())
            facts->SetInt("WIDTH", n);
        return 1;
    }
    int DoLoadPicture(IDataSource* source, int*) override { return GetImage()->Create(ReadCount(source), 1, 24); }
    int DoGetFrameCount(IDataSource* source) override { return ReadCount(source); }

private:
    static int ReadCount(IDataSource* source)
    {
        const unsigned char* head = source->ReadBlock(4);
        if (std::string(reinterpret_cast<const char*>(head), 3) != "PIC")
            ThrowError(1, "no picture");
        return head[3];
    }
};

// Writes "PAGES" and the page count.
class FakeMultipageEncoder : public CPicEncoder {
protected:
    int DoSavePicture(IDataSource* target, uint32_t* bytes) override
    {
        target->WriteChecked("PIC\x01", 4);
        *bytes = 4;
        return 1;
    }
    int DoSaveMultiPicture(CZAVImg**, int count, IDataSource* target, int, uint32_t* bytes) override
    {
        const std::string data = "PAGES" + std::to_string(count);
        target->WriteChecked(data.data(), data.size());
        *bytes = static_cast<uint32_t>(data.size());
        return 1;
    }
};

class StreamsAndInfo : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetPicCodecFactories(
            [](int) -> std::unique_ptr<CPicDecoder> { return std::make_unique<FakeDecoder>(); },
            [](int) -> std::unique_ptr<CPicEncoder> { return std::make_unique<FakeMultipageEncoder>(); });
    }
    void TearDown() override { SetPicCodecFactories(nullptr, nullptr); }
};

constexpr int kTiff = 5;
constexpr int kPng = 6;
const std::string kPicture = std::string("PIC") + '\x07';

TEST_F(StreamsAndInfo, FileInformationAndPageCounts)
{
    ZAVTest::TempDir dir;
    const std::string path = dir.File("a.tif");
    ZAVTest::WriteText(path, kPicture);
    CZAVImg image;
    image.GetFileInfoFromFile(path.c_str(), kTiff);
    EXPECT_EQ(image.GetImageInfoList()->GetValue("WIDTH").GetInt(), 7);
    EXPECT_FALSE(image.HasImage());                             // no pixels decoded
    EXPECT_EQ(image.GetPageCountFromFile(path.c_str(), 0), 7);  // detected by the extension
    EXPECT_EQ(image.GetPageCountFromMem(kPicture.data(), 4, kTiff), 7);
    EXPECT_EQ(image.GetPageCountFromMem(kPicture.data(), 4, kPng), 0);  // one-frame formats
    EXPECT_EQ(ThrownText([&] { image.GetFileInfoFromFile(dir.File("none.tif").c_str(), kTiff); }),
              "Error opening file '" + dir.File("none.tif") + "'");
    EXPECT_EQ(ThrownText([&] { image.GetFileInfoFromFile(path.c_str(), 77); }), "Can't extract fileinfo!");
    EXPECT_EQ(ThrownText([&] { image.GetPageCountFromMem(nullptr, 4, kTiff); }), "Error assigning memory!");
}

TEST_F(StreamsAndInfo, StreamsCarryPicturesBothWays)
{
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, 4);
    std::memcpy(GlobalLock(block), kPicture.data(), 4);
    GlobalUnlock(block);
    IStream* stream = nullptr;
    ASSERT_EQ(CreateStreamOnHGlobal(block, TRUE, &stream), S_OK);
    CZAVImg image;
    image.LoadFromStream(stream, kPng);
    EXPECT_EQ(image.GetWidth(), 7);
    image.SaveToStream(stream, kPng);
    EXPECT_EQ(std::string(static_cast<const char*>(GlobalLock(block)), 4), std::string("PIC\x01"));
    GlobalUnlock(block);
    stream->Release();
    EXPECT_EQ(ThrownText([&] { image.LoadFromStream(nullptr, kPng); }), "Error accessing stream!");
}

TEST_F(StreamsAndInfo, ModuleResourcesLoad)
{
    int moduleTag = 0;
    HMODULE module = &moduleTag;
    AddModuleResource(module, RT_RCDATA, 5, std::vector<uint8_t>(kPicture.begin(), kPicture.end()));
    AddModuleResource(module, RT_RCDATA, 6, {});
    CZAVImg image;
    image.LoadFromResource(module, MAKEINTRESOURCEA(5), MAKEINTRESOURCEA(RT_RCDATA), kPng);
    EXPECT_EQ(image.GetWidth(), 7);
    EXPECT_EQ(ThrownText([&] { image.LoadFromResource(module, MAKEINTRESOURCEA(9), MAKEINTRESOURCEA(RT_RCDATA), 6); }),
              "Can't find the specified resource!");
    EXPECT_EQ(ThrownText([&] { image.LoadFromResource(module, MAKEINTRESOURCEA(6), MAKEINTRESOURCEA(RT_RCDATA), 6); }),
              "Empty resource!");
    ClearModuleResources(module);
}

TEST_F(StreamsAndInfo, MultipageSavesIntoMemory)
{
    CZAVImg first;
    CZAVImg second;
    ASSERT_EQ(first.Create(2, 2, 24), 1);
    ASSERT_EQ(second.Create(2, 2, 24), 1);
    CZAVImg* pages[] = {&first, &second};
    first.m_prepareBeforeSave = 0;
    std::vector<char> block(6);
    int64_t bytes = 0;
    first.SaveMultipageToMem(pages, 2, block.data(), 6, kTiff, 0, &bytes);
    EXPECT_EQ(std::string(block.begin(), block.end()), "PAGES2");
    EXPECT_EQ(bytes, 6);
    EXPECT_NE(ThrownText([&] { first.SaveMultipageToMem(pages, 2, block.data(), 5, kTiff, 0, &bytes); }),
              "(nothing thrown)");
    EXPECT_EQ(ThrownText([&] { first.SaveMultipageToMem(pages, 2, block.data(), 6, 0, 0, &bytes); }),
              "Invalid Imageformat!");
    EXPECT_EQ(ThrownText([&] { first.SaveMultipageToMem(pages, 2, block.data(), 6, 1, 0, &bytes); }),
              "Error saving multipage image. Invalid ImageFormat! (TIF, PDF, DCX supported)");
    EXPECT_EQ(ThrownText([&] { first.SaveMultipageToMem(pages, 2, nullptr, 6, kTiff, 0, &bytes); }),
              "Error saving multipage image to memory!");
    // The GIF switch governs single pictures only: a multipage GIF save still runs.
    first.m_gifEnabled = 0;
    first.SaveMultipageToMem(pages, 2, block.data(), 6, 15, 0, &bytes);
    EXPECT_EQ(std::string(block.begin(), block.end()), "PAGES2");
}

}  // namespace
