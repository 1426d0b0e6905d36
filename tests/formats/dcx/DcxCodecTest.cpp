// DCX files: pages written by ImageMagick and by us read page by page to
// the pixels Pillow shows, and the page table's limits.
#include "formats/registry/ImgFormat.h"
#include "formats/support/CodecPictures.h"
#include "formats/support/RasterTools.h"
#include "image/object/ZAVImg.h"
#include "support/TestSupport.h"
#include "support/ThrownText.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace ZAV;
using namespace ZAVTest;

namespace {

constexpr uint32_t kIdentifier = 987654321;

// A 2 x 1 8-bit PCX page.
std::vector<uint8_t> PcxPage()
{
    std::vector<uint8_t> page = {10, 5, 1, 8};
    for (int v : {0, 0, 1, 0, 72, 72})
        PutLE16(page, static_cast<uint32_t>(v));
    page.resize(65, 0);
    page.push_back(1);
    PutLE16(page, 2);
    page.resize(128, 0);
    page.push_back(3);
    page.push_back(4);
    page.push_back(12);
    for (int i = 0; i < 768; ++i)
        page.push_back(static_cast<uint8_t>(i));
    return page;
}

// The table's offsets, all pointing at one page behind them.
std::vector<uint8_t> DcxFile(int pages, bool terminated)
{
    std::vector<uint8_t> file;
    PutLE32(file, kIdentifier);
    const uint32_t pageOffset = 4 + 4 * static_cast<uint32_t>(pages + (terminated ? 1 : 0));
    for (int i = 0; i < pages; ++i)
        PutLE32(file, pageOffset);
    if (terminated)
        PutLE32(file, 0);
    const std::vector<uint8_t> page = PcxPage();
    file.insert(file.end(), page.begin(), page.end());
    return file;
}

// Pillow's DCX reader takes every page's palette from the end of the file,
// so each page is cut out of the file by its table entry and read by
// Pillow's PCX reader on its own.
const char kCutPages[] = R"(
import struct
data = open('FILE', 'rb').read()
offsets = []
for i in range(1, 1025):
    offset = struct.unpack('<I', data[4 * i:4 * i + 4])[0]
    if offset == 0:
        break
    offsets.append(offset)
ends = offsets[1:] + [len(data)]
for n, (start, end) in enumerate(zip(offsets, ends)):
    open('FILE.%d.pcx' % n, 'wb').write(data[start:end])
)";

void ExpectPagesAsPillowShows(const TempDir& dir, const std::string& file, int pages)
{
    std::string cut = kCutPages;
    for (size_t at; (at = cut.find("FILE")) != std::string::npos;)
        cut.replace(at, 4, file);
    MakeWithPillow(dir, cut);
    CZAVImg counter;
    EXPECT_EQ(pages, counter.GetPageCountFromFile(dir.File(file).c_str(), zavifDCX));
    for (int page = 0; page < pages; ++page) {
        SCOPED_TRACE(page);
        CZAVImg image;
        image.m_pageIndex = page;
        LoadPicture(image, dir.File(file), zavifDCX);
        const PillowView pillow = ReadWithPillow(dir, file + "." + std::to_string(page) + ".pcx");
        EXPECT_EQ(pillow.width, image.GetWidth());
        EXPECT_EQ(pillow.rgb, ImageRgb(image));
        EXPECT_EQ(pages, image.GetOwnImageInfo().GetValue("FRAMES").GetInt());
    }
}

TEST(DcxCodec, ImageMagickPagesReadAsPillowShowsThem)
{
    TempDir dir;
    MakeWithPillow(dir, "pattern('P', 13, 5).save('a.png')\n"
                        "pattern('RGB', 7, 9).save('b.png')\n"
                        "pattern('L', 20, 3).save('c.png')");
    RunInDir(dir, "convert a.png b.png c.png magick.dcx");
    ExpectPagesAsPillowShows(dir, "magick.dcx", 3);
}

TEST(DcxCodec, OurPagesReadInPillow)
{
    CZAVImg first, second, third;
    FillPatternImage(first, 13, 5, 8);
    FillPatternImage(second, 7, 9, 24);
    FillPatternImage(third, 20, 3, 8);
    CZAVImg* pages[] = {&first, &second, &third};
    TempDir dir;
    CZAVImg writer;
    writer.m_prepareBeforeSave = 0;
    int64_t bytes = 0;
    writer.SaveMultipageToFile(dir.File("ours.dcx").c_str(), pages, 3, zavifDCX, 0, &bytes);
    EXPECT_EQ(static_cast<int64_t>(ReadBytes(dir.File("ours.dcx")).size()), bytes);
    ExpectPagesAsPillowShows(dir, "ours.dcx", 3);
}

TEST(DcxCodec, OnePageFileLayout)
{
    CZAVImg image;
    FillPatternImage(image, 4, 2, 8);
    image.m_prepareBeforeSave = 0;
    TempDir dir;
    int64_t bytes = 0;
    image.SaveToFile(dir.File("one.dcx").c_str(), zavifDCX, &bytes);
    const std::vector<uint8_t> file = ReadBytes(dir.File("one.dcx"));
    std::vector<uint8_t> head;
    PutLE32(head, kIdentifier);
    PutLE32(head, 12);
    PutLE32(head, 0);
    head.push_back(10);
    EXPECT_EQ(head, std::vector<uint8_t>(file.begin(), file.begin() + 13));
}

TEST(DcxCodec, PageTableLimits)
{
    TempDir dir;
    WriteBytes(dir.File("full.dcx"), DcxFile(1023, true));
    CZAVImg full;
    EXPECT_EQ(1023, full.GetPageCountFromFile(dir.File("full.dcx").c_str(), zavifDCX));
    full.m_pageIndex = 1022;
    LoadPicture(full, dir.File("full.dcx"), zavifDCX);
    EXPECT_EQ(4, full.GetPixel8(1, 0));

    WriteBytes(dir.File("over.dcx"), DcxFile(1024, false));
    CZAVImg over;
    EXPECT_EQ("Decoder error: DCX file format allows a maximum of 1023 pages!",
              ThrownText([&] { LoadPicture(over, dir.File("over.dcx"), zavifDCX); }));

    // An empty table is one table: no pages, and no page 0 to load.
    WriteBytes(dir.File("empty.dcx"), DcxFile(0, true));
    CZAVImg empty;
    EXPECT_EQ("Decoder error: Frame index out of range!",
              ThrownText([&] { LoadPicture(empty, dir.File("empty.dcx"), zavifDCX); }));
    EXPECT_EQ(0, empty.GetOwnImageInfo().GetValue("FRAMES").GetInt());

    std::vector<uint8_t> outside = DcxFile(1, true);
    outside[7] = 0x70;
    WriteBytes(dir.File("outside.dcx"), outside);
    CZAVImg lost;
    EXPECT_EQ("Decoder error: Invalid frame offset!",
              ThrownText([&] { LoadPicture(lost, dir.File("outside.dcx"), zavifDCX); }));
}

TEST(DcxCodec, PageCountsTheEncoderRefuses)
{
    CZAVImg page;
    FillPatternImage(page, 2, 2, 8);
    std::vector<CZAVImg*> pages(1024, &page);
    CZAVImg writer;
    writer.m_prepareBeforeSave = 0;
    TempDir dir;
    int64_t bytes = 0;
    EXPECT_NE(std::string::npos, ThrownText([&] {
                                     writer.SaveMultipageToFile(dir.File("x.dcx").c_str(), pages.data(), 1024, zavifDCX,
                                                                0, &bytes);
                                 }).find("DCX files are limited to a maximum of 1023 pages!"));
}

}  // namespace
