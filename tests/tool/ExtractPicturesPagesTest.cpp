// The extractpicture command over all pages of a document whose pages share
// what they show: an image inherited from the page tree on two pages, a
// form XObject (with an indexed picture and a stored JPEG) on two pages, an
// image named twice on one page, and a soft mask nothing paints. Every file
// an all-pages run writes is the one a run of that page alone writes, and
// matches the checksum it has always had; the log stays line for line.
#include "ProgramRunner.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "foundation/coding/ZlibCoding.h"

namespace {

using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

constexpr int W = 24;
constexpr int H = 12;

std::string Ref(int number)
{
    return std::to_string(number) + " 0 R";
}

std::string Deflated(const std::string& bytes)
{
    const std::vector<uint8_t> coded = ZAV::ZlibCompress(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return std::string(coded.begin(), coded.end());
}

std::string ImageEntries(int bits, const std::string& space, const std::string& more)
{
    return "/Type /XObject /Subtype /Image /Width " + std::to_string(W) + " /Height " + std::to_string(H) +
           " /BitsPerComponent " + std::to_string(bits) + " /ColorSpace " + space + " " + more;
}

// Grey ramps, each row behind the PNG filter byte: None on even rows, Sub
// (each sample minus the one before it) on odd rows.
std::string PngPredictedGray()
{
    std::string rows;
    for (int y = 0; y < H; ++y) {
        rows += static_cast<char>(y % 2);
        for (int x = 0; x < W; ++x) {
            const int sample = (x * 10 + y * 7) & 0xFF;
            const int before = x > 0 ? ((x - 1) * 10 + y * 7) & 0xFF : 0;
            rows += static_cast<char>(y % 2 ? (sample - before) & 0xFF : sample);
        }
    }
    return rows;
}

// Rows of 1-bit stripes, padded to whole bytes.
std::string Stripes()
{
    std::string rows;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < (W + 7) / 8; ++x)
            rows += static_cast<char>(y % 3 ? 0xF0 >> (y % 4) : 0x5A);
    return rows;
}

std::string IndexedSamples()
{
    std::string samples;
    for (int i = 0; i < W * H; ++i)
        samples += static_cast<char>((i * 7 + i / W) % 4);
    return samples;
}

// The stored JPEG is written as it stands, so any bytes serve.
const std::string kJpegBytes = "\xFF\xD8\xFF\xE0 stored JPEG bytes, written as they stand \xFF\xD9";

std::string MakeSharedPages(const std::string& path)
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int tree = pdf.Reserve();
    const int mask =
        pdf.AddStream(ImageEntries(8, "/DeviceGray", "/Filter /FlateDecode"), Deflated(std::string(W * H, 'm')));
    const int gray =
        pdf.AddStream(ImageEntries(8, "/DeviceGray",
                                   "/Name /Gray /SMask " + Ref(mask) +
                                       " /Filter /FlateDecode /DecodeParms << /Predictor 15 /Colors 1 /Columns " +
                                       std::to_string(W) + " >>"),
                      Deflated(PngPredictedGray()));
    const int scan =
        pdf.AddStream(ImageEntries(1, "/DeviceGray", "/Decode [1 0] /Filter /FlateDecode"), Deflated(Stripes()));
    const int lookup = pdf.AddStream("", std::string("\xFF\x00\x00\x00\xFF\x00\x00\x00\xFF\x80\x80\x80", 12));
    const int indexed =
        pdf.AddStream(ImageEntries(8, "[/Indexed /DeviceRGB 3 " + Ref(lookup) + "]", "/Filter /FlateDecode"),
                      Deflated(IndexedSamples()));
    const int jpeg = pdf.AddStream(ImageEntries(8, "/DeviceRGB", "/Filter /DCTDecode"), kJpegBytes);
    const int form = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 10 10] /Resources << /XObject << /Pal " +
                                       Ref(indexed) + " /Jpg " + Ref(jpeg) + " >> >>",
                                   "q 10 0 0 10 0 0 cm /Pal Do Q /Jpg Do");
    const int paintGray = pdf.AddStream("", "/Gray Do");
    const int page1 = pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Contents " + Ref(paintGray) + " >>");
    const int page2 =
        pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Resources << /XObject << /Scan " + Ref(scan) + " /Form " +
                Ref(form) + " >> >> /Contents " + Ref(pdf.AddStream("", "/Scan Do /Form Do")) + " >>");
    const int page3 = pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Contents " + Ref(paintGray) + " >>");
    const int page4 = pdf.Add("<< /Type /Page /Parent " + Ref(tree) + " /Resources << /XObject << /Form " + Ref(form) +
                              " /Photo " + Ref(jpeg) + " /Gray " + Ref(gray) + " >> >> /Contents " +
                              Ref(pdf.AddStream("", "/Form Do /Photo Do /Gray Do")) + " >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages " + Ref(tree) + " >>");
    pdf.Set(tree, "<< /Type /Pages /Kids [" + Ref(page1) + " " + Ref(page2) + " " + Ref(page3) + " " + Ref(page4) +
                      "] /Count 4 /MediaBox [0 0 20 20] /Resources << /XObject << /Gray " + Ref(gray) + " >> >> >>");
    const int info = pdf.Add("<< /Title (Shared pictures) /Producer (Test builder) /Creator (Writer) "
                             "/CreationDate (D:20240102030405) /ModDate (D:20240607080910) >>");
    ZAVTest::WriteText(path, pdf.Build(catalog, info));
    return path;
}

// A PNG without its tIME chunk, the one part that changes from run to run.
std::string WithoutTime(const std::string& png)
{
    std::string kept = png.substr(0, 8);
    for (size_t at = 8; at + 12 <= png.size();) {
        const auto byte = [&](size_t i) { return static_cast<uint32_t>(static_cast<unsigned char>(png[at + i])); };
        const size_t chunk = 12 + (byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3));
        if (png.compare(at + 4, 4, "tIME") != 0)
            kept += png.substr(at, chunk);
        at += chunk;
    }
    return kept;
}

std::string Checksum(const std::string& bytes)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : bytes)
        hash = (hash ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

// The files of a folder as they are compared: PNGs without their time.
std::map<std::string, std::string> Written(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : ZAVTest::FolderNames(folder)) {
        const std::string bytes = ZAVTest::ReadText(folder + "/" + name);
        files[name] = name.size() > 4 && name.compare(name.size() - 4, 4, ".png") == 0 ? WithoutTime(bytes) : bytes;
    }
    return files;
}

TEST(ExtractPicturesPages, SharedPicturesAreWrittenOnEveryPageAsOnTheirOwn)
{
    ProgramRunner runner;
    const std::string pdf = MakeSharedPages(runner.File("shared.pdf"));
    ZAVTest::Run("mkdir " + ZAVTest::ShellQuote(runner.File("all")));
    const auto result = runner.Run({"-x", "-f", pdf, "-z", "all/", "-g", "-1", "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;

    std::vector<std::string> expected = {"",
                                         "Extracting all pictures of all pages from '" + pdf + "' to 'all/'",
                                         "",
                                         "Loading PDF '" + pdf + "'ok.",
                                         pdf + ":",
                                         "\tTitle - 'Shared pictures'",
                                         "\tProducer - 'Test builder'",
                                         "\tPdfVersion - '1.4'",
                                         "\tModDate - 'D:20240607080910'",
                                         "\tCreator - 'Writer'",
                                         "\tCreationDate - 'D:20240102030405'",
                                         "Pages: 4"};
    for (const char* line : {
             "\tDecoding Picture (24x12 8bpp) /FlateDecode",
             "Save picture 1 of page 1 to 'all/shared_1_1.png' ... Ok.",
             "\tDecoding Picture (24x12 1bpp) /FlateDecode",
             "\tDecoding Picture (24x12 8bpp) /FlateDecode",
             "Save picture 1 of page 2 to 'all/shared_2_1.png' ... Ok.",
             "Save picture 2 of page 2 to 'all/shared_2_2.png' ... Ok.",
             "Save rawpicture 3 of page 2 to 'all/shared_2_3.jpg' ... Ok.",
             "\tDecoding Picture (24x12 8bpp) /FlateDecode",
             "Save picture 1 of page 3 to 'all/shared_3_1.png' ... Ok.",
             "\tDecoding Picture (24x12 8bpp) /FlateDecode",
             "\tDecoding Picture (24x12 8bpp) /FlateDecode",
             "Save picture 1 of page 4 to 'all/shared_4_1.png' ... Ok.",
             "Save rawpicture 2 of page 4 to 'all/shared_4_2.jpg' ... Ok.",
             "Save picture 3 of page 4 to 'all/shared_4_3.png' ... Ok.",
         })
        expected.push_back(line);
    EXPECT_EQ(ReadLines(runner.File("log.txt")), LogWith(expected));

    // What these pictures have always been written as.
    const std::map<std::string, std::string> checksums = {
        {"shared_1_1.png", "28f869321bf045a7"}, {"shared_2_1.png", "b8fd9d3bc259c97d"},
        {"shared_2_2.png", "cd956e879d802b0e"}, {"shared_2_3.jpg", "de1f88de23c3f31e"},
        {"shared_3_1.png", "28f869321bf045a7"}, {"shared_4_1.png", "cd956e879d802b0e"},
        {"shared_4_2.jpg", "de1f88de23c3f31e"}, {"shared_4_3.png", "28f869321bf045a7"},
    };
    const std::map<std::string, std::string> all = Written(runner.File("all"));
    std::map<std::string, std::string> found;
    for (const auto& file : all)
        found[file.first] = Checksum(file.second);
    EXPECT_EQ(found, checksums);
    EXPECT_EQ(all.at("shared_2_3.jpg"), kJpegBytes);
    EXPECT_EQ(all.at("shared_4_2.jpg"), kJpegBytes);

    for (int page = 1; page <= 4; ++page) {
        SCOPED_TRACE(page);
        const std::string folder = "page" + std::to_string(page);
        ZAVTest::Run("mkdir " + ZAVTest::ShellQuote(runner.File(folder)));
        const auto alone =
            runner.Run({"-x", "-f", pdf, "-z", folder + "/", "-g", std::to_string(page), "-o", folder + ".txt"});
        ASSERT_EQ(alone.exitCode, 0) << alone.err;
        for (const auto& file : Written(runner.File(folder)))
            EXPECT_EQ(file.second, all.at(file.first)) << file.first;
    }
}

}  // namespace
