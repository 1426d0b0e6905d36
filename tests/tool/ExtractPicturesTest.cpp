// The extractpicture command run as a user runs it: the files it writes
// (held against what pdfimages writes), its log line by line, its exit
// codes, and what it leaves behind when it cannot write.
#include "ProgramRunner.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <string>
#include <vector>

#include "foundation/coding/ZlibCoding.h"

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

constexpr int W = 16;
constexpr int H = 8;

std::string GrayRows()
{
    std::string rows;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            rows += static_cast<char>(x * 15 + y * 3);
    return rows;
}

std::string Deflated(const std::string& bytes)
{
    const std::vector<uint8_t> coded = ZAV::ZlibCompress(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    return std::string(coded.begin(), coded.end());
}

// A JPEG file made by Pillow.
std::string MakeJpeg(const ProgramRunner& runner)
{
    EXPECT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    const std::string path = runner.File("photo.jpg");
    const ZAVTest::RunResult made =
        ZAVTest::Run("/usr/bin/python3 -c \"from PIL import Image; im = Image.new('RGB', (16, 8)); "
                     "im.putdata([(x * 16, y * 30, 99) for y in range(8) for x in range(16)]); im.save('" +
                     path + "', quality=95)\"");
    EXPECT_EQ(made.exitCode, 0) << made.output;
    return ZAVTest::ReadText(path);
}

// Page 1 holds a grey Flate picture and then a JPEG; page 2 (when asked
// for) holds none.
std::string MakeReport(const ProgramRunner& runner, int pages)
{
    const std::string jpeg = MakeJpeg(runner);
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int tree = pdf.Reserve();
    const int gray = pdf.AddStream("/Type /XObject /Subtype /Image /Width 16 /Height 8 /BitsPerComponent 8 "
                                   "/ColorSpace /DeviceGray /Filter /FlateDecode",
                                   Deflated(GrayRows()));
    const int photo = pdf.AddStream("/Type /XObject /Subtype /Image /Width 16 /Height 8 /BitsPerComponent 8 "
                                    "/ColorSpace /DeviceRGB /Filter /DCTDecode",
                                    jpeg);
    const int content = pdf.AddStream("", "q 16 0 0 8 0 0 cm /A Do Q q 16 0 0 8 0 10 cm /B Do Q");
    std::string kids;
    for (int page = 0; page < pages; ++page) {
        const std::string resources = page == 0 ? "/Resources << /XObject << /A " + std::to_string(gray) + " 0 R /B " +
                                                      std::to_string(photo) + " 0 R >> >> /Contents " +
                                                      std::to_string(content) + " 0 R "
                                                : "";
        kids += std::to_string(pdf.Add("<< /Type /Page /Parent " + std::to_string(tree) +
                                       " 0 R /MediaBox [0 0 20 20] " + resources + ">>")) +
                " 0 R ";
    }
    pdf.Set(catalog, "<< /Type /Catalog /Pages " + std::to_string(tree) + " 0 R >>");
    pdf.Set(tree, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages) + " >>");
    const int info = pdf.Add("<< /Title (Quarterly report) /Producer (Test builder) /Creator (Writer) "
                             "/CreationDate (D:20240102030405) /ModDate (D:20240607080910) >>");
    const std::string path = runner.File("report.pdf");
    ZAVTest::WriteText(path, pdf.Build(catalog, info));
    return path;
}

std::vector<std::string> OpeningLines(const std::string& first, const std::string& report, int pages)
{
    return LogWith({"", first, "", "Loading PDF '" + report + "'ok.", report + ":", "\tTitle - 'Quarterly report'",
                    "\tProducer - 'Test builder'", "\tPdfVersion - '1.4'", "\tModDate - 'D:20240607080910'",
                    "\tCreator - 'Writer'", "\tCreationDate - 'D:20240102030405'", "Pages: " + std::to_string(pages)});
}

void ExpectPicturesOfPageOne(const ProgramRunner& runner, const std::string& folder)
{
    ASSERT_TRUE(ZAVTest::HaveTool("pdfimages"));
    const std::string report = runner.File("report.pdf");
    ZAVTest::Run("pdfimages -png -f 1 -l 1 " + ShellQuote(report) + " " + ShellQuote(runner.File("ref")));
    const ZAVTest::RunResult same = ZAVTest::Run(
        "/usr/bin/python3 -c \"import sys; from PIL import Image; a, b = (Image.open(p).convert('RGB') for p in "
        "sys.argv[1:]); sys.exit(a.size != b.size or a.tobytes() != b.tobytes())\" " +
        ShellQuote(folder + "/report_1_1.png") + " " + ShellQuote(runner.File("ref-000.png")));
    EXPECT_EQ(same.exitCode, 0) << same.output;
    EXPECT_EQ(ZAVTest::ReadText(folder + "/report_1_2.jpg"), ZAVTest::ReadText(runner.File("photo.jpg")));
}

TEST(ExtractPictures, WritesEveryPictureAndLogsTheRun)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 2);
    ZAVTest::Run("mkdir " + ShellQuote(runner.File("out")));
    // A second run replaces what is there.
    ZAVTest::WriteText(runner.File("out/report_1_2.jpg"), "older picture");
    const auto result = runner.Run({"-x", "-f", report, "-z", "out/", "-g", "-1", "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.err, "");
    std::vector<std::string> expected =
        OpeningLines("Extracting all pictures of all pages from '" + report + "' to 'out/'", report, 2);
    for (const char* line :
         {"\tDecoding Picture (16x8 8bpp) /FlateDecode", "Save picture 1 of page 1 to 'out/report_1_1.png' ... Ok.",
          "Save rawpicture 2 of page 1 to 'out/report_1_2.jpg' ... Ok.", "No supported pictures found on page 2!"})
        expected.push_back(line);
    EXPECT_EQ(ReadLines(runner.File("log.txt")), expected);
    ExpectPicturesOfPageOne(runner, runner.File("out"));
    EXPECT_EQ(ZAVTest::FolderNames(runner.File("out")).size(), 2u);
}

TEST(ExtractPictures, NegativePagesMeanAllPages)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 1);
    const auto result = runner.Run({"-x", "-f", report, "-z", runner.File("x"), "-g", "-5", "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    ASSERT_GT(lines.size(), 5u);
    EXPECT_EQ(lines[5], "Extracting all pictures of Page -5 from '" + report + "' to '" + runner.File("x") + "'");
    ExpectPicturesOfPageOne(runner, runner.Dir().Path());
}

TEST(ExtractPictures, FailsWithTheTextOfThePage)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 1);
    struct Case {
        std::vector<std::string> arguments;
        std::string error;
    };
    const Case cases[] = {
        {{"-g", "2", "-z", "out/"},
         "Can't extract pictures of page 2! Invalid page '2'. Use values from 1 to 1 or -1 for all pages."},
        {{"-g", "0", "-z", "out/"},
         "Can't extract pictures of page 0! Invalid page '0'. Use values from 1 to 1 or -1 for all pages."},
        {{"-g", "1"}, "Can't extract pictures of page 1! No outputfile available!"},
    };
    for (const Case& c : cases) {
        std::vector<std::string> arguments = {"-x", "-f", report, "-o", "log.txt"};
        arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
        const auto result = runner.Run(arguments);
        EXPECT_EQ(result.exitCode, 2) << c.error;
        EXPECT_EQ(result.err, "error: " + c.error + "\n");
        EXPECT_EQ(ReadLines(runner.File("log.txt")).back(), c.error);
    }
    // All pages: each page's failure is a line of the log, the command goes
    // on, and with not one picture written it fails with the first page's text.
    const std::string noOutput = "Can't extract pictures of page 1! No outputfile available!";
    const auto all = runner.Run({"-x", "-f", report, "-g", "-1", "-o", "log.txt"});
    EXPECT_EQ(all.exitCode, 2);
    EXPECT_EQ(all.err, "error: " + noOutput + "\n");
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(std::vector<std::string>(lines.end() - 2, lines.end()), (std::vector<std::string>{noOutput, noOutput}));
}

// All pages into a folder that is missing or cannot be written: no picture
// is written, so the command fails, although page 2 holds nothing to write.
TEST(ExtractPictures, AllPagesFailWhenNoPictureCouldBeWritten)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 2);
    // A folder whose path runs through a file cannot be written, even by root.
    ZAVTest::WriteText(runner.File("plain"), "a file");
    for (const std::string folder : {"missing/", "plain/out/"}) {
        SCOPED_TRACE(folder);
        const auto result = runner.Run({"-x", "-f", report, "-z", folder, "-g", "-1", "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 2);
        const std::string failure =
            "Can't extract pictures of page 1! Error saving to file '" + folder + "report_1_1.png'";
        EXPECT_EQ(result.err, "error: " + failure + "\n");
        const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_EQ(lines[lines.size() - 3], "Save picture 1 of page 1 to '" + folder + "report_1_1.png' ... " + failure);
        EXPECT_EQ(lines[lines.size() - 2], "No supported pictures found on page 2!");
        EXPECT_EQ(lines.back(), failure);
    }
    EXPECT_FALSE(ZAVTest::FileExists(runner.File("missing")));
}

// Written pictures, decoded or stored, get the mode of any new file under
// the process's umask.
TEST(ExtractPictures, PictureFilesGetTheModeOfANewFile)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 1);
    ZAVTest::Run("mkdir " + ShellQuote(runner.File("out")));
    const mode_t previous = umask(027);
    const auto result = runner.Run({"-x", "-f", report, "-z", "out/", "-g", "1"});
    umask(previous);
    ASSERT_EQ(result.exitCode, 0) << result.err;
    for (const char* name : {"out/report_1_1.png", "out/report_1_2.jpg"}) {
        struct stat facts = {};
        ASSERT_EQ(stat(runner.File(name).c_str(), &facts), 0) << name;
        EXPECT_EQ(facts.st_mode & 0777, 0640u) << name;
    }
}

TEST(ExtractPictures, FailsBeforeAnythingWithoutItsPlugins)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 1);
    const std::string lonely = runner.File("alone");
    ZAVTest::Run("mkdir " + ShellQuote(lonely) + " && cp " + ShellQuote(ZAVTest::BinPath("ZAVPdf")) + " " +
                 ShellQuote(lonely));
    const ZAVTest::RunResult result = ZAVTest::Run(
        "cd " + ShellQuote(runner.Dir().Path()) + " && ZAVPDF_REGISTRY=" + ShellQuote(runner.RegistryPath()) + " " +
        ShellQuote(lonely + "/ZAVPdf") + " -x -f " + ShellQuote(report) + " -z out/ -g -1 -o log.txt");
    EXPECT_EQ(result.exitCode, 2) << result.output;
    EXPECT_NE(result.output.find("error: "), std::string::npos) << result.output;
    EXPECT_NE(result.output.find("ZAVJ2k20"), std::string::npos) << result.output;
    const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
    // Nothing was loaded: the failure follows the opening lines.
    ASSERT_EQ(lines.size(), ZAVToolTest::LogHead().size() + 4u);
    EXPECT_EQ(ZAVTest::FolderNames(runner.Dir().Path() + "/alone").size(), 1u);
}

TEST(ExtractPictures, LeavesNothingWhereItCannotWrite)
{
    ProgramRunner runner;
    const std::string report = MakeReport(runner, 1);
    // A folder whose path runs through a file cannot be written, even by root.
    ZAVTest::WriteText(runner.File("plain"), "a file");
    const auto decoded = runner.Run({"-x", "-f", report, "-z", "plain/out/", "-g", "1", "-o", "log.txt"});
    EXPECT_EQ(decoded.exitCode, 2);
    EXPECT_EQ(decoded.err.rfind("error: Can't extract pictures of page 1! ", 0), 0u) << decoded.err;
    EXPECT_EQ(
        ReadLines(runner.File("log.txt"))
            .back()
            .rfind("Save picture 1 of page 1 to 'plain/out/report_1_1.png' ... Can't extract pictures of page 1! ", 0),
        0u);

    // The stored JPEG's name is taken by a folder: its bytes cannot be
    // written, and no temporary file stays beside it.
    ZAVTest::Run("mkdir -p " + ShellQuote(runner.File("out/report_1_2.jpg")));
    const auto raw = runner.Run({"-x", "-f", report, "-z", "out/", "-g", "1", "-o", "log.txt"});
    EXPECT_EQ(raw.exitCode, 2);
    EXPECT_EQ(raw.err, "error: Can't extract pictures of page 1! Error writing file 'out/report_1_2.jpg'!\n");
    EXPECT_EQ(ZAVTest::FolderNames(runner.File("out")), (std::vector<std::string>{"report_1_1.png", "report_1_2.jpg"}));
}

}  // namespace
