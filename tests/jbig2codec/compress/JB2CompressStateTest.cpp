// Properties, states and refusals of a compression handle.
#include "tests/jbig2codec/compress/JB2CompressFixture.h"

using namespace JB2Test;

namespace {

uint32_t Get(Compression& c, uint32_t key)
{
    uint32_t value = 0xDEAD;
    EXPECT_EQ(JB2_Compress_Get_Property(c.handle, key, &value), 0) << key;
    return value;
}

// The page information flags of the compressed page.
uint8_t PageFlags(Compression& c)
{
    const std::vector<uint8_t> file = c.Export(cJB2_Export_Format_JBIG2_File);
    return file.size() > 40 ? file[40] : 0;
}

}  // namespace

TEST(JB2CompressState, DefaultsAndPropertyChecks)
{
    Compression c;
    EXPECT_EQ(Get(c, cJB2_Prop_Bitmap_Coder), 20u);
    EXPECT_EQ(Get(c, cJB2_Prop_Symbol_Matching_Mode), 1u);
    EXPECT_EQ(Get(c, cJB2_Prop_Symbol_Matching_Quality), 5u);
    EXPECT_EQ(Get(c, cJB2_Prop_Width), 0u);
    struct Case {
        uint32_t key;
        uint32_t value;
        JB2_Error status;
        uint32_t after;
        const char* text;
    };
    const Case cases[] = {
        {cJB2_Prop_Generic_Template, 3, 0, 3, nullptr},
        {cJB2_Prop_Generic_Template, 4, -11, 3, "Generic template must be less than 4!"},
        {cJB2_Prop_Text_Template, 0xFFFFFFFF, -11, 0, "Text template must be less than 4!"},
        {cJB2_Prop_Symbol_Matching_Quality, 10, 0, 10, nullptr},
        {cJB2_Prop_Symbol_Matching_Quality, 11, -11, 10, "Symbol matching quality must be less than or equal to 10!"},
        {cJB2_Prop_Symbol_Matching_Mode, 3, -11, 1, "Invalid symbol matching mode!"},
        {cJB2_Prop_Bitmap_Coder, 15, -11, 20, "Only MMR and Arithmetic bitmap coders supported!"},
        {cJB2_Prop_Bitmap_Coder, 10, 0, 10, nullptr},
        {cJB2_Prop_Width, 0, -11, 0, "Width must be larger than 0!"},
        {cJB2_Prop_Y_Resolution, 0, -11, 0, "Y Resolution must be larger than 0!"},
        {cJB2_Prop_Encoding_Mode, 2, -11, 0, "Encoding mode must be set to 0 or 1!"},
    };
    for (const Case& test : cases) {
        EXPECT_EQ(JB2_Compress_Set_Property(c.handle, test.key, test.value), test.status) << test.key;
        EXPECT_EQ(Get(c, test.key), test.after) << test.key;
        if (test.text) {
            EXPECT_TRUE(c.messages.HasOfType(91, test.text)) << test.text;
        }
    }
    EXPECT_EQ(JB2_Compress_Set_Property(c.handle, 99, 1), -8);
    EXPECT_TRUE(c.messages.HasOfType(91, "Invalid property key (99)!"));
    uint32_t value = 0;
    EXPECT_EQ(JB2_Compress_Get_Property(c.handle, 98, &value), -8);
    EXPECT_EQ(JB2_Compress_Get_Property(c.handle, 11, nullptr), -7);
    EXPECT_TRUE(c.messages.HasOfType(91, "Null pointer passed to JB2_Compress_Get_Property!"));
}

TEST(JB2CompressState, EncodingModeSetsThePageFlags)
{
    const Page page = NoisePage("noise", 20, 6, 7);
    struct Case {
        std::vector<uint32_t> modes;
        uint8_t flags;
    };
    const Case cases[] = {{{}, 0x51}, {{1}, 0x50}, {{1, 0}, 0x51}};
    for (const Case& test : cases) {
        Compression c;
        c.SetSize(page.width, page.height, 11811);
        for (uint32_t mode : test.modes)
            EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Encoding_Mode, mode), 0);
        ASSERT_EQ(c.Run(page), 0);
        EXPECT_EQ(PageFlags(c), test.flags);
    }
}

TEST(JB2CompressState, StatesOfAHandle)
{
    const Page page = NoisePage("noise", 20, 6, 8);
    {
        // No resolutions: two warnings, and the page is still compressed.
        Compression c;
        c.SetSize(page.width, page.height, 0);
        ASSERT_EQ(JB2_Compress_Line(c.handle, page.Row(0)), 0);
        EXPECT_TRUE(c.messages.HasOfType(11, "X Resolution is set to 0 dpm!"));
        EXPECT_TRUE(c.messages.HasOfType(11, "Y Resolution is set to 0 dpm!"));
        // Properties are fixed from the first row on, even a valid value.
        EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Generic_Template, 1), -20);
        EXPECT_TRUE(c.messages.HasOfType(91, "Compression has started and properties cannot now be altered!"));
        EXPECT_EQ(JB2_Compress_Line(c.handle, nullptr), -7);
        EXPECT_TRUE(c.messages.HasOfType(91, "Empty line buffer passed to JB2_Compress_Line!"));
        // Too few rows: no document, and the handle is freed all the same.
        JB2_Handle_Document document = nullptr;
        EXPECT_EQ(JB2_Compress_End(&c.handle, &document), -21);
        EXPECT_EQ(c.handle, nullptr);
        EXPECT_EQ(document, nullptr);
        EXPECT_TRUE(c.messages.HasOfType(91, "Unable to create document handle : Compression has not yet finished!"));
    }
    {
        // A row after the last one.
        Compression c;
        c.SetSize(page.width, page.height, 11811);
        for (uint32_t y = 0; y < page.height; ++y)
            ASSERT_EQ(JB2_Compress_Line(c.handle, page.Row(y)), 0);
        EXPECT_EQ(JB2_Compress_Line(c.handle, page.Row(0)), -500);
        EXPECT_TRUE(c.messages.HasOfType(91, "Error compressing line!"));
        EXPECT_EQ(JB2_Compress_End(&c.handle, &c.document), 0);
        EXPECT_TRUE(c.Decode() == PictureOf(page));
    }
}

TEST(JB2CompressState, RefusalsAtTheFirstRow)
{
    const std::vector<uint8_t> row(16, 0xFF);
    struct Case {
        uint32_t width;
        uint32_t height;
        uint32_t matching;
        uint32_t encoding;
        const char* text;
    };
    const Case cases[] = {
        {0, 10, 1, 0, "Width must be larger than 0!"},
        {10, 0, 1, 0, "Height must be larger than 0!"},
        {10, 10, 0, 1, "Lossy encoding is only possible with symbol matching!"},
        // (width + 7) / 8 wraps to 0 in 32 bits; the page is far above the ceiling.
        {0xFFFFFFFF, 2, 1, 0, "Page of 4294967295 x 2 pixels needs 1073741824 bytes, more than 536870912 allowed!"},
    };
    for (const Case& test : cases) {
        Compression c;
        if (test.width) {
            EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Width, test.width), 0);
        }
        if (test.height) {
            EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Height, test.height), 0);
        }
        EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Symbol_Matching_Mode, test.matching), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(c.handle, cJB2_Prop_Encoding_Mode, test.encoding), 0);
        EXPECT_EQ(JB2_Compress_Line(c.handle, row.data()), -11) << test.text;
        EXPECT_TRUE(c.messages.HasOfType(91, test.text)) << c.messages.All();
        EXPECT_LE(c.allocator.largest, 4096u);
    }
}

TEST(JB2CompressState, WrongHandlesAndFailingAllocations)
{
    JB2_Handle_Compress none = nullptr;
    EXPECT_EQ(JB2_Compress_End(&none, nullptr), -1);
    EXPECT_EQ(JB2_Compress_End(nullptr, nullptr), -1);
    EXPECT_EQ(JB2_Compress_Line(nullptr, nullptr), -1);
    uint32_t wrong[8] = {0x6A646563};
    EXPECT_EQ(JB2_Compress_Set_Property(reinterpret_cast<JB2_Handle_Compress>(wrong), 11, 1), -1);
    // Every allocation of a whole compression failing in turn: a clean
    // failure, nothing left allocated.
    const Page page = NoisePage("noise", 30, 9, 9);
    for (uint64_t failAt = 1; failAt < 40; ++failAt) {
        Allocator allocator;
        allocator.failAt = failAt;
        JB2_Handle_Compress handle = nullptr;
        JB2_Handle_Document document = nullptr;
        JB2_Error status =
            JB2_Compress_Start(&handle, Allocator::Alloc, &allocator, Allocator::Free, &allocator, nullptr, nullptr);
        if (status == 0) {
            JB2_Compress_Set_Property(handle, cJB2_Prop_Width, page.width);
            JB2_Compress_Set_Property(handle, cJB2_Prop_Height, page.height);
            for (uint32_t y = 0; status == 0 && y < page.height; ++y)
                status = JB2_Compress_Line(handle, page.Row(y));
            JB2_Error ended = JB2_Compress_End(&handle, &document);
            if (status == 0)
                status = ended;
        }
        if (document) {
            EXPECT_EQ(JB2_Document_End(&document), 0);
        }
        EXPECT_EQ(allocator.Live(), 0u) << failAt;
        if (status == 0)
            break;
        EXPECT_LT(status, 0);
    }
}
