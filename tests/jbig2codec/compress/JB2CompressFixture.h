// Compressing a page through the exported functions and checking what comes
// out with jbig2dec and with the codec's own decoder.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "jbig2codec/kvd_jb2.h"
#include "tests/jbig2codec/JB2DocumentFixture.h"
#include "tests/jbig2codec/JB2TestPages.h"

namespace JB2Test {

struct CodingChoice {
    uint32_t coder;
    uint32_t gbTemplate;
    uint32_t matching;
    uint32_t encoding;
};

inline std::string Describe(const CodingChoice& c)
{
    return "coder " + std::to_string(c.coder) + " template " + std::to_string(c.gbTemplate) + " matching " +
           std::to_string(c.matching) + " encoding " + std::to_string(c.encoding);
}

inline Picture PictureOf(const Page& page)
{
    Picture picture;
    picture.width = page.width;
    picture.height = page.height;
    picture.rows = page.bits;
    return picture;
}

// The one picture of PBM bytes as a page of that name; a page without
// name or rows when the bytes hold no single picture.
inline Page PageFromPbm(const std::string& name, const std::vector<uint8_t>& pbm)
{
    Page page;
    const auto pictures = ParsePbm(pbm);
    if (pictures.size() == 1) {
        page.name = name;
        page.width = pictures[0].width;
        page.height = pictures[0].height;
        page.bits = pictures[0].rows;
    }
    return page;
}

// PostScript (its showpage added here) rendered by ghostscript at 300 dpi
// onto a page of width x height pixels.
inline Page RenderPostScript(const std::string& name, const std::string& ps, uint32_t width, uint32_t height)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("page.ps"), ps + " showpage\n");
    const auto result =
        ZAVTest::Run("gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pbmraw -r300 -g" + std::to_string(width) + "x" +
                     std::to_string(height) + " -sOutputFile=" + ZAVTest::ShellQuote(dir.File("page.pbm")) + " " +
                     ZAVTest::ShellQuote(dir.File("page.ps")));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return PageFromPbm(name, ZAVTest::ReadBytes(dir.File("page.pbm")));
}

// One compression and the document it hands out; the allocator outlives both.
struct Compression {
    Allocator allocator;
    Messages messages;
    JB2_Handle_Compress handle = nullptr;
    JB2_Handle_Document document = nullptr;

    Compression()
    {
        EXPECT_EQ(JB2_Compress_Start(&handle, Allocator::Alloc, &allocator, Allocator::Free, &allocator,
                                     Messages::Collect, &messages),
                  0);
    }
    ~Compression()
    {
        if (handle)
            JB2_Compress_End(&handle, nullptr);
        if (document) {
            EXPECT_EQ(JB2_Document_End(&document), 0);
        }
        EXPECT_EQ(allocator.Live(), 0u);
    }

    void SetSize(uint32_t width, uint32_t height, uint32_t resolution)
    {
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Width, width), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Height, height), 0);
        if (resolution) {
            EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_X_Resolution, resolution), 0);
            EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Y_Resolution, resolution), 0);
        }
    }

    void SetChoice(const CodingChoice& c)
    {
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Bitmap_Coder, c.coder), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Generic_Template, c.gbTemplate), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Symbol_Matching_Mode, c.matching), 0);
        EXPECT_EQ(JB2_Compress_Set_Property(handle, cJB2_Prop_Encoding_Mode, c.encoding), 0);
    }

    // Every row, then the document handle; the status of the first failure.
    JB2_Error Run(const Page& page)
    {
        for (uint32_t y = 0; y < page.height; ++y) {
            JB2_Error status = JB2_Compress_Line(handle, page.Row(y));
            if (status != 0)
                return status;
        }
        return JB2_Compress_End(&handle, &document);
    }

    std::vector<uint8_t> Export(uint32_t format)
    {
        Target target;
        EXPECT_EQ(JB2_Document_Export_Document(document, Target::Write, &target, format), 0) << format;
        return target.bytes;
    }

    Picture Decode()
    {
        Document::Rows rows;
        EXPECT_EQ(JB2_Document_Decompress_Page(document, 1, 1, 0, 0, 0, 0, Document::Collect, &rows), 0);
        Picture picture;
        picture.width = rows.width;
        picture.height = static_cast<uint32_t>(rows.rows.size());
        for (const auto& row : rows.rows)
            picture.rows.insert(picture.rows.end(), row.begin(), row.end());
        return picture;
    }
};

// What jbig2dec makes of a JBIG2 file: the pictures, the segment types in
// file order and its warnings.
struct Jbig2decView {
    std::vector<Picture> pictures;
    std::vector<int> types;
    std::vector<std::string> warnings;
};

inline Jbig2decView RunJbig2dec(const std::vector<uint8_t>& file)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("in.jb2"), file);
    const auto result = ZAVTest::Run("jbig2dec --verbose=4 -t pbm -o " + ZAVTest::ShellQuote(dir.File("out.pbm")) +
                                     " " + ZAVTest::ShellQuote(dir.File("in.jb2")));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    Jbig2decView view;
    size_t at = 0;
    while (at < result.output.size()) {
        size_t end = result.output.find('\n', at);
        if (end == std::string::npos)
            end = result.output.size();
        const std::string line = result.output.substr(at, end - at);
        at = end + 1;
        const size_t type = line.find(", type=");
        if (line.find("jbig2dec info segment ") == 0 && type != std::string::npos)
            view.types.push_back(std::stoi(line.substr(type + 7)));
        if (line.find("WARNING") != std::string::npos || line.find("FATAL") != std::string::npos)
            view.warnings.push_back(line);
    }
    if (ZAVTest::FileExists(dir.File("out.pbm")))
        view.pictures = ParsePbm(ZAVTest::ReadBytes(dir.File("out.pbm")));
    return view;
}

// The segment types of a compressed page in file order: page information;
// with matching the symbol dictionary (two in mode 1), then a text region
// when there were instances and a generic region when something was left;
// end of page and end of file. Without matching: a generic region only.
inline bool SegmentOrderFits(const std::vector<int>& types, uint32_t matching)
{
    std::vector<int> head = {48};
    if (matching == cJB2_Matching_Efficient)
        head = {48, 0, 0};
    if (matching == cJB2_Matching_Single_Dictionary)
        head = {48, 0};
    if (types.size() < head.size() + 2 || !std::equal(head.begin(), head.end(), types.begin()))
        return false;
    std::vector<int> middle(types.begin() + head.size(), types.end() - 2);
    const std::vector<int> tail(types.end() - 2, types.end());
    if (tail != std::vector<int>{49, 51})
        return false;
    if (matching == cJB2_Matching_None)
        return middle == std::vector<int>{38};
    if (!middle.empty() && middle.front() == 6)
        middle.erase(middle.begin());
    return middle.empty() || middle == std::vector<int>{38};
}

}  // namespace JB2Test
