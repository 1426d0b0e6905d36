// The library's processing objects, image buffer, queries and error texts.
#include <cstring>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "outside/korvex55/core/ErrorText.h"
#include "tests/outside/korvex55/KorvPicture.h"

using KorvPictureTest::Picture;
using testing::HasSubstr;
using testing::StartsWith;

namespace {

constexpr KORV_Status kUnknownHandle = 1;
constexpr KORV_Status kNullPointer = 2;
constexpr KORV_Status kBadValue = 3;
constexpr KORV_Status kSizeMismatch = 4;
constexpr KORV_Status kDepthMismatch = 5;
constexpr KORV_Status kNoImage = 6;
constexpr KORV_Status kTooLarge = 7;

struct LayoutCase {
    int32_t width, height, bitsPerPixel, bytesPerLine;
};

TEST(KorvImageBuffer, CreateGivesUnpaddedZeroRowsForEveryDepth)
{
    const LayoutCase cases[] = {{10, 3, 1, 2},  {9, 2, 1, 2},   {8, 2, 1, 1},   {5, 4, 8, 5},  {5, 4, 9, 5},
                                {5, 2, 16, 10}, {5, 2, 24, 15}, {5, 2, 32, 20}, {5, 2, 48, 30}};
    for (const LayoutCase& c : cases) {
        SCOPED_TRACE(c.bitsPerPixel);
        Picture image;
        ASSERT_EQ(KORV_Create(image.Handle(), c.width, c.height, c.bitsPerPixel), 0) << image.Error();
        int32_t width = 0, height = 0, depth = 0, widthBytes = 0, size = 0;
        EXPECT_EQ(KORV_GetWidth(image.Handle(), &width), 0);
        EXPECT_EQ(KORV_GetHeight(image.Handle(), &height), 0);
        EXPECT_EQ(KORV_GetBitsPerPixel(image.Handle(), &depth), 0);
        EXPECT_EQ(KORV_GetWidthBytes(image.Handle(), &widthBytes), 0);
        EXPECT_EQ(KORV_GetImageSizeInBytes(image.Handle(), &size), 0);
        EXPECT_EQ(width, c.width);
        EXPECT_EQ(height, c.height);
        EXPECT_EQ(depth, c.bitsPerPixel);
        EXPECT_EQ(widthBytes, c.bytesPerLine);
        EXPECT_EQ(size, c.bytesPerLine * c.height);
        EXPECT_EQ(image.Pixels(), std::vector<uint8_t>(size, 0));
    }
}

TEST(KorvImageBuffer, CreateRefusesEmptyUnknownAndOversizedImages)
{
    struct Case {
        int32_t width, height, bitsPerPixel;
        KORV_Status status;
        const char* text;
    } const cases[] = {
        {0, 4, 8, kBadValue, "Create: an image of 0 x 4 pixels is empty!"},
        {4, -1, 8, kBadValue, "Create: an image of 4 x -1 pixels is empty!"},
        {4, 4, 12, kDepthMismatch, "Create: 12 bits per pixel is no depth of the library (1, 8, 9, 16, 24, 32, 48)!"},
        {100000, 100000, 24, kTooLarge, "Create: 100000 x 100000 pixels at 24 bits per pixel need 30000000000 bytes"},
        {INT32_MAX, INT32_MAX, 48, kTooLarge, "Create: a row of 2147483647 pixels is too long!"},
    };
    for (const Case& c : cases) {
        Picture image;
        EXPECT_EQ(KORV_Create(image.Handle(), c.width, c.height, c.bitsPerPixel), c.status);
        EXPECT_THAT(image.Error(), StartsWith(c.text));
    }
}

TEST(KorvImageBuffer, AttachNoFreeWorksOnTheCallersPixelsAndNeverFreesThem)
{
    std::vector<uint8_t> pixels = {1, 2, 3, 4, 5, 6};
    {
        Picture image;
        ASSERT_EQ(KORV_AttachNoFree(image.Handle(), pixels.data(), 6, 3, 2, 8), 0) << image.Error();
        void* memory = nullptr;
        EXPECT_EQ(KORV_GetImageMemory(image.Handle(), &memory), 0);
        EXPECT_EQ(memory, pixels.data());
        EXPECT_EQ(KORV_Invert(image.Handle()), 0);
        ASSERT_EQ(KORV_Clear(image.Handle()), 0);
        EXPECT_EQ(KORV_GetImageMemory(image.Handle(), &memory), 0);
        EXPECT_EQ(memory, nullptr);
        ASSERT_EQ(KORV_AttachNoFree(image.Handle(), pixels.data(), 6, 6, 1, 8), 0);
    }
    EXPECT_EQ(pixels, (std::vector<uint8_t>{254, 253, 252, 251, 250, 249}));
}

TEST(KorvImageBuffer, AttachNoFreeExKeepsTheCallersPaddingUntouched)
{
    // Two rows of two 8-bit pixels, four bytes apart; the last row needs no padding.
    std::vector<uint8_t> pixels = {10, 20, 77, 77, 30, 40};
    Picture image;
    ASSERT_EQ(KORV_AttachNoFreeEx(image.Handle(), pixels.data(), 6, 2, 2, 8, 4), 0) << image.Error();
    int32_t widthBytes = 0;
    EXPECT_EQ(KORV_GetWidthBytes(image.Handle(), &widthBytes), 0);
    EXPECT_EQ(widthBytes, 4);
    int32_t size = 0;
    EXPECT_EQ(KORV_GetImageSizeInBytes(image.Handle(), &size), 0);
    EXPECT_EQ(size, 6);
    EXPECT_EQ(KORV_AddConstant(image.Handle(), 1), 0);
    EXPECT_EQ(pixels, (std::vector<uint8_t>{11, 21, 77, 77, 31, 41}));
}

TEST(KorvImageBuffer, AttachRefusesTooFewBytesShortRowsAndNullPixels)
{
    uint8_t pixels[12] = {};
    Picture image;
    EXPECT_EQ(KORV_AttachNoFree(image.Handle(), pixels, 11, 2, 2, 24), kSizeMismatch);
    EXPECT_EQ(image.Error(), "AttachNoFree: 11 bytes are fewer than the 12 that 2 x 2 pixels at 24 bits per pixel "
                             "with 6 bytes per line need!");
    EXPECT_EQ(KORV_AttachNoFreeEx(image.Handle(), pixels, 12, 2, 2, 24, 5), kBadValue);
    EXPECT_EQ(image.Error(), "AttachNoFreeEx: 5 bytes per line are fewer than the 6 that 2 pixels at 24 bits per "
                             "pixel need!");
    EXPECT_EQ(KORV_AttachNoFree(image.Handle(), nullptr, 12, 2, 2, 24), kNullPointer);
    EXPECT_EQ(image.Error(), "AttachNoFree: the pixel address is null!");
    EXPECT_EQ(KORV_AttachNoFree(image.Handle(), pixels, -1, 2, 2, 24), kSizeMismatch);
}

TEST(KorvImageBuffer, AttachRefusesTheObjectsOwnBufferWhichItWouldFree)
{
    Picture image;
    image.Load(2, 2, 8, {1, 2, 3, 4});
    void* own = nullptr;
    ASSERT_EQ(KORV_GetImageMemory(image.Handle(), &own), 0);
    EXPECT_EQ(KORV_AttachNoFree(image.Handle(), static_cast<uint8_t*>(own) + 1, 3, 3, 1, 8), kBadValue);
    EXPECT_EQ(image.Error(), "AttachNoFree: the pixels lie in the object's own buffer, which attaching would free!");
    EXPECT_EQ(image.Pixels(), (std::vector<uint8_t>{1, 2, 3, 4}));
}

TEST(KorvImageBuffer, AnObjectWithoutImageAnswersZeroAndRefusesWork)
{
    Picture image;
    int32_t width = -1;
    EXPECT_EQ(KORV_GetWidth(image.Handle(), &width), 0);
    EXPECT_EQ(width, 0);
    EXPECT_EQ(KORV_Invert(image.Handle()), kNoImage);
    EXPECT_EQ(image.Error(), "Invert: the object holds no image!");
    Picture empty;
    image.Load(1, 1, 24, {1, 2, 3});
    EXPECT_EQ(KORV_RGBtoYUV(image.Handle(), empty.Handle()), kNoImage);
    EXPECT_EQ(image.Error(), "RGBtoYUV: the source holds no image!");
    EXPECT_EQ(image.Pixels(), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(KorvScaleFactor, KeepsValuesFromZeroToSixteen)
{
    Picture image;
    int32_t value = -1;
    EXPECT_EQ(KORV_GetScaleFactor(image.Handle(), &value), 0);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(KORV_SetScaleFactor(image.Handle(), 16), 0);
    EXPECT_EQ(KORV_SetScaleFactor(image.Handle(), 17), kBadValue);
    EXPECT_EQ(image.Error(), "SetScaleFactor: the scale factor 17 lies outside 0 to 16!");
    EXPECT_EQ(KORV_SetScaleFactor(image.Handle(), -1), kBadValue);
    EXPECT_EQ(KORV_GetScaleFactor(image.Handle(), &value), 0);
    EXPECT_EQ(value, 16);
}

TEST(KorvTextQueries, GiveTextsThatLiveWithTheLibrary)
{
    Picture image;
    using Query = KORV_Status (*)(KORV_Handle, const char**);
    for (Query query : {KORV_GetVersion, KORV_GetProcessorDetected, KORV_GetProcessorCodeUsed}) {
        const char* text = nullptr;
        EXPECT_EQ(query(image.Handle(), &text), 0);
        ASSERT_NE(text, nullptr);
        EXPECT_GT(std::strlen(text), 0u);
        EXPECT_EQ(query(image.Handle(), nullptr), kNullPointer);
    }
    const char* version = nullptr;
    KORV_GetVersion(image.Handle(), &version);
    EXPECT_STREQ(version, "KORVEX55 1.0");
}

TEST(KorvErrors, AnUnknownHandleIsRefusedAndItsTextReachesGetError)
{
    const KORV_Handle bogus = 0x5a5a5a5a;
    EXPECT_EQ(KORV_Invert(bogus), kUnknownHandle);
    char buffer[KORV_ERROR_TEXT_BYTES];
    EXPECT_EQ(KORV_GetError(bogus, buffer), kUnknownHandle);
    EXPECT_STREQ(buffer, "Invert: the handle 0x5a5a5a5a names no processing object!");
    EXPECT_EQ(KORV_FreeCZAVAdvancedImgProc(0), kUnknownHandle);
}

TEST(KorvErrors, AFreedHandleIsRefusedAndNeverReused)
{
    const KORV_Handle freed = KORV_CreateCZAVAdvancedImgProc();
    ASSERT_EQ(KORV_FreeCZAVAdvancedImgProc(freed), 0);
    EXPECT_EQ(KORV_Create(freed, 2, 2, 8), kUnknownHandle);
    EXPECT_EQ(KORV_FreeCZAVAdvancedImgProc(freed), kUnknownHandle);
    Picture next;
    EXPECT_NE(next.Handle(), freed);
}

TEST(KorvErrors, AnUnknownOperandIsNamedInTheObjectsText)
{
    Picture image;
    image.Load(1, 1, 8, {1});
    EXPECT_EQ(KORV_Add(image.Handle(), 0x77), kUnknownHandle);
    EXPECT_EQ(image.Error(), "Add: operand: the handle 0x77 names no processing object!");
}

TEST(KorvErrors, SizeAndDepthMismatchesNameBothImages)
{
    Picture image, taller, grey;
    image.Load(4, 4, 24, std::vector<uint8_t>(48));
    taller.Load(4, 5, 24, std::vector<uint8_t>(60));
    grey.Load(4, 4, 8, std::vector<uint8_t>(16));
    EXPECT_EQ(KORV_Add(image.Handle(), taller.Handle()), kSizeMismatch);
    EXPECT_EQ(image.Error(), "Add: the image is 4 x 4 pixels at 24 bits per pixel, the operand 4 x 5 pixels at 24 "
                             "bits per pixel; they must agree!");
    EXPECT_EQ(KORV_Xor(image.Handle(), grey.Handle()), kDepthMismatch);
    EXPECT_EQ(image.Error(), "Xor: the image is 4 x 4 pixels at 24 bits per pixel, the operand 4 x 4 pixels at 8 "
                             "bits per pixel; they must agree!");
    EXPECT_EQ(KORV_RGBtoCMY(grey.Handle()), kDepthMismatch);
    EXPECT_EQ(grey.Error(), "RGBtoCMY: the image has 8 bits per pixel; allowed are 24, 32!");
}

TEST(KorvErrors, BorrowedPixelsOfAnotherShapeAreNotReplacedByAResult)
{
    std::vector<uint8_t> pixels(8);
    Picture image, source;
    ASSERT_EQ(KORV_AttachNoFree(image.Handle(), pixels.data(), 8, 2, 4, 8), 0);
    source.Load(2, 2, 24, std::vector<uint8_t>(12, 9));
    EXPECT_EQ(KORV_Grayscale8Bit(image.Handle(), source.Handle()), kSizeMismatch);
    EXPECT_EQ(image.Error(), "Grayscale8Bit: the result is 2 x 2 pixels at 8 bits per pixel, the attached image 2 x 4 "
                             "pixels at 8 bits per pixel; they must agree!");
    EXPECT_EQ(KORV_RGBtoYUV(image.Handle(), source.Handle()), kSizeMismatch);
    EXPECT_EQ(pixels, std::vector<uint8_t>(8));
}

TEST(KorvErrors, NullPointersAreRefusedWithTheirName)
{
    Picture image;
    EXPECT_EQ(KORV_GetWidth(image.Handle(), nullptr), kNullPointer);
    EXPECT_EQ(image.Error(), "GetWidth: the value pointer is null!");
    EXPECT_EQ(KORV_GetImageMemory(image.Handle(), nullptr), kNullPointer);
    EXPECT_EQ(image.Error(), "GetImageMemory: the pixels pointer is null!");
    EXPECT_EQ(KORV_GetError(image.Handle(), nullptr), kNullPointer);
    EXPECT_EQ(image.Error(), "GetError: the buffer pointer is null!");
}

TEST(KorvErrors, GetErrorGivesAnEmptyTextBeforeAnyFailureAndKeepsTheLastOne)
{
    Picture image;
    EXPECT_EQ(image.Error(), "");
    EXPECT_EQ(KORV_Invert(image.Handle()), kNoImage);
    EXPECT_EQ(KORV_Create(image.Handle(), 1, 1, 8), 0);
    EXPECT_EQ(image.Error(), "Invert: the object holds no image!");
}

TEST(KorvErrors, ALongTextIsCutToTheBufferAndZeroTerminated)
{
    std::vector<char> buffer(KORV_ERROR_TEXT_BYTES + 16, 'x');
    KORVEX55::CopyErrorText(std::string(5000, 'e'), buffer.data());
    EXPECT_EQ(std::string(buffer.data()), std::string(KORV_ERROR_TEXT_BYTES - 1, 'e'));
    EXPECT_EQ(buffer[KORV_ERROR_TEXT_BYTES], 'x');
    KORVEX55::CopyErrorText("short", buffer.data());
    EXPECT_STREQ(buffer.data(), "short");
}

}  // namespace
