// Generic regions coded by an independent encoder (jbig2enc, files under
// tests/data/jbig2) render to the pixels jbig2dec decodes from them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "jbig2codec/render/JB2DrawGenericRegion.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "support/TestSupport.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

using JB2Test::Page;

Page ReadPbm(const std::string& path)
{
    const std::vector<uint8_t> pbm = ZAVTest::ReadBytes(path);
    size_t pos = 2;
    auto number = [&]() {
        while (pos < pbm.size() && (pbm[pos] == ' ' || pbm[pos] == '\n'))
            ++pos;
        uint32_t value = 0;
        while (pos < pbm.size() && pbm[pos] >= '0' && pbm[pos] <= '9')
            value = value * 10 + uint32_t(pbm[pos++] - '0');
        return value;
    };
    const uint32_t width = number();
    const uint32_t height = number();
    ++pos;
    Page page = JB2Test::BlankPage(path, width, height);
    EXPECT_EQ(page.bits.size(), pbm.size() - pos) << path;
    std::copy(pbm.begin() + long(pos), pbm.begin() + long(pos + std::min(page.bits.size(), pbm.size() - pos)),
              page.bits.begin());
    return page;
}

struct GenericRegionFiles : SegmentFixture {
    // Reads the segments one after another and renders the page's generic regions.
    Page Render(const std::string& path)
    {
        source.bytes = ZAVTest::ReadBytes(path);
        uint32_t offset = 0;
        const uint8_t magic[8] = {0x97, 0x4A, 0x42, 0x32, 0x0D, 0x0A, 0x1A, 0x0A};
        if (source.bytes.size() > 9 && std::equal(magic, magic + 8, source.bytes.begin()))
            offset = 9 + ((source.bytes[8] & 2) ? 0 : 4);
        Page page;
        while (offset < source.bytes.size()) {
            JB2SegmentHeader* segment = nullptr;
            uint32_t headerLength = 0;
            EXPECT_EQ(0, JB2SegmentReadHeader(&segment, memory, nullptr, readData, offset, &headerLength, message));
            if (!segment)
                break;
            EXPECT_EQ(0, JB2SegmentAttachSource(segment, readData, message));
            const uint32_t type = JB2SegmentType(segment);
            if (type == cJB2_Segment_Page_Information) {
                uint32_t width = 0;
                uint32_t height = 0;
                EXPECT_EQ(0, JB2PageInfoGetWidth(segment, &width));
                EXPECT_EQ(0, JB2PageInfoGetHeight(segment, &height));
                page = JB2Test::BlankPage(path, width, height);
            } else if (type == cJB2_Segment_Immediate_Generic_Region ||
                       type == cJB2_Segment_Immediate_Lossless_Generic_Region) {
                const JB2PageBitmap bitmap{page.bits.data(), page.width, page.height};
                EXPECT_EQ(0, JB2DrawGenericRegion(segment, memory, kJB2CombinationFromRegion, bitmap, message))
                    << messages.All();
            }
            offset += headerLength + JB2SegmentLocationLength(segment);
            JB2SegmentRelease(&segment);
            if (type == cJB2_Segment_End_Of_Page || type == cJB2_Segment_End_Of_File)
                break;
        }
        return page;
    }
};

TEST_F(GenericRegionFiles, RenderLikeJbig2dec)
{
    const std::vector<std::pair<std::string, std::string>> files = {
        {"black-200x100.generic.jb2", "black-200x100"},
        {"small-64x48.generic.jb2", "small-64x48"},
        {"small-64x48.tpgd.jb2", "small-64x48"},
        {"text-301x157.generic.jb2", "text-301x157"},
        {"text-301x157.tpgd.jb2", "text-301x157"},
        {"page-1003x700.generic.jb2", "page-1003x700"},
        {"page-1003x700.tpgd.jb2", "page-1003x700"},
        {"white-200x100.tpgd.jb2", "white-200x100"},
        {"embedded-generic-small.0000", "embedded-generic-small"}};
    for (const auto& [file, expected] : files) {
        const Page page = Render(ZAVTest::DataPath("jbig2/" + file));
        const Page reference = ReadPbm(ZAVTest::DataPath("jbig2/" + expected + ".expected.pbm"));
        EXPECT_EQ(reference.width, page.width) << file;
        EXPECT_EQ(reference.height, page.height) << file;
        EXPECT_TRUE(reference.bits == page.bits) << file;
    }
}

// The same files through the exported document functions: the page
// decompressor reaches the generic region renderer.
TEST(GenericRegionDocuments, DecompressLikeJbig2dec)
{
    for (const char* name : {"small-64x48.generic.jb2", "small-64x48.tpgd.jb2", "text-301x157.generic.jb2",
                             "page-1003x700.tpgd.jb2", "white-200x100.tpgd.jb2", "black-200x100.generic.jb2"}) {
        JB2Test::Document document(JB2Test::DataFile(name));
        ASSERT_EQ(0, document.started) << name;
        JB2_Error status = -1;
        const JB2Test::Picture picture = document.Decode(0, &status);
        EXPECT_EQ(0, status) << name << "\n" << document.messages.All();
        const std::vector<JB2Test::Picture> expected = JB2Test::Jbig2dec(JB2Test::DataFile(name));
        ASSERT_EQ(1u, expected.size()) << name;
        EXPECT_TRUE(expected[0] == picture) << name;
    }
}

}  // namespace
