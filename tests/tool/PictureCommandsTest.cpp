// createfromimagefiles and createlayeredpdf run as a user runs them, on
// folders of pictures made by Pillow; every PDF is checked by qpdf and
// rendered by poppler and Ghostscript back to the source pixels.
#include "ProgramRunner.h"
#include "support/PdfRendering.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::LogWith;
using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

// Pillow statements run in the folder; pixels differ from each other so a
// shifted or flipped page shows.
void MakePictures(const std::string& folder, const std::string& statements)
{
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    ZAVTest::Run("mkdir -p " + ShellQuote(folder));
    const std::string script = folder + "/.make.py";
    ZAVTest::WriteText(script,
                       "import os\nfrom PIL import Image\nos.chdir(os.path.dirname(os.path.abspath(__file__)))\n"
                       "W, H = 40, 30\n"
                       "def grey():\n"
                       "    im = Image.new('L', (W, H)); im.putdata([(x * 5 + y * 11) % 256 for y in range(H) "
                       "for x in range(W)]); return im\n"
                       "def palette():\n"
                       "    im = Image.new('P', (W, H)); im.putpalette([(i * 7) % 256 if c == 0 else "
                       "(255 - i if c == 1 else (i * 3) % 256) for i in range(256) for c in range(3)])\n"
                       "    im.putdata([(x * 3 + y * 7) % 256 for y in range(H) for x in range(W)]); return im\n"
                       "def mask():\n"
                       "    im = Image.new('1', (W, H)); im.putdata([255 * ((x + y) % 3 != 0) for y in range(H) "
                       "for x in range(W)]); return im\n" +
                           statements + "\n");
    const ZAVTest::RunResult made = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(script));
    ASSERT_EQ(made.exitCode, 0) << made.output;
    ZAVTest::Run("rm -f " + ShellQuote(script));
}

std::string Output(const std::string& commandLine)
{
    const ZAVTest::RunResult result = ZAVTest::Run(commandLine);
    EXPECT_EQ(result.exitCode, 0) << commandLine << "\n" << result.output;
    return result.output;
}

void ExpectValidPdf(const std::string& pdf)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    Output("qpdf --check " + ShellQuote(pdf));
}

ZAVTest::RgbPicture ReadAsRgb(const std::string& picture, const std::string& ppm)
{
    Output("/usr/bin/python3 -c \"from PIL import Image; Image.open('" + picture + "').convert('RGB').save('" + ppm +
           "')\"");
    return ZAVTest::ReadPpm(ppm);
}

// The page as poppler and Ghostscript draw it equals the picture file, each
// sample within the tolerance; with onlyWhereBlack, only the pixels where
// that mask file is black are compared.
void ExpectPageShows(const std::string& pdf, int page, const std::string& picture, int tolerance = 0, int dpi = 72,
                     const std::string& onlyWhereBlack = "")
{
    const ZAVTest::RgbPicture expected = ReadAsRgb(picture, pdf + ".source.ppm");
    const ZAVTest::RgbPicture mask = onlyWhereBlack.empty() ? expected : ReadAsRgb(onlyWhereBlack, pdf + ".mask.ppm");
    ASSERT_EQ(mask.rgb.size(), expected.rgb.size()) << onlyWhereBlack;
    for (const char* tool : {"pdftoppm", "gs"}) {
        const ZAVTest::RgbPicture shown = ZAVTest::RenderPage(tool, pdf, page, dpi);
        ASSERT_EQ(shown.width, expected.width) << tool << " " << picture;
        ASSERT_EQ(shown.height, expected.height) << tool << " " << picture;
        int wrong = 0;
        for (size_t i = 0; i < shown.rgb.size(); ++i)
            wrong += (onlyWhereBlack.empty() || mask.rgb[i] == 0) &&
                     std::abs(int(shown.rgb[i]) - int(expected.rgb[i])) > tolerance;
        EXPECT_EQ(wrong, 0) << tool << " " << picture;
    }
}

// What a masked picture looks like, written to out as PNG: the picture
// where the mask is black, and where it is white what lies below (a picture
// of the same size, or the white page).
std::string MaskedPicture(const std::string& out, const std::string& picture, const std::string& mask,
                          const std::string& below = "")
{
    Output("/usr/bin/python3 -c \"from PIL import Image; p = Image.open('" + picture +
           "').convert('RGB'); m = Image.open('" + mask + "').convert('L'); b = Image.open('" + below +
           "').convert('RGB') if '" + below +
           "' else Image.new('RGB', p.size, 'white'); "
           "Image.composite(b, p, m).save('" +
           out + "')\"");
    return out;
}

std::string Loading(const std::string& file)
{
    return "\tLoading '" + file + "' ...ok.";
}

std::string NoSideFiles(const std::string& folder, const std::string& base)
{
    return "\tNo gif,png,tif,pcx,tga Mask found '" + folder + "/" + base +
           "_Mask.tga' ...\n"
           "\tNo indexable text for pdf found '" +
           folder + "/" + base + ".txt' ...";
}

// Log lines, with the two side-file lines given as one text split here.
std::vector<std::string> Lines(const std::vector<std::string>& texts)
{
    std::vector<std::string> lines;
    for (const std::string& text : texts) {
        size_t start = 0;
        for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(text.substr(start, end - start));
        lines.push_back(text.substr(start));
    }
    return LogWith(lines);
}

TEST(CreateFromImageFiles, OnePagePerPictureInListOrder)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('a.png', dpi=(72, 72))\n"
                       "palette().save('b.tif', dpi=(72, 72))\n"
                       "palette().save('c.bmp', dpi=(72, 72))\n"
                       "grey().save('d.tif', compression='tiff_lzw', dpi=(72, 72))");
    const auto result =
        runner.Run({"-i", "-w", pics, "-m", "*.png;*.tif;*.bmp", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    EXPECT_EQ(ReadLines(runner.File("log.txt")),
              Lines({Loading(pics + "/a.png"), NoSideFiles(pics, "a"), Loading(pics + "/b.tif"), NoSideFiles(pics, "b"),
                     Loading(pics + "/d.tif"), NoSideFiles(pics, "d"), Loading(pics + "/c.bmp"), NoSideFiles(pics, "c"),
                     "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    const char* order[] = {"a.png", "b.tif", "d.tif", "c.bmp"};
    for (int page = 1; page <= 4; ++page)
        ExpectPageShows(pdf, page, pics + "/" + order[page - 1]);
    const std::string list = Output("pdfimages -list " + ShellQuote(pdf));
    EXPECT_NE(list.find("index   1   8  image"), std::string::npos) << list;
}

TEST(CreateFromImageFiles, PicturesThatFailAreLoggedAndSkipped)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('a.png', dpi=(72, 72))\n"
                       "Image.new('I;16', (W, H), 300).save('b.tif')\n"
                       "grey().save('c.png', dpi=(72, 72))\n"
                       "grey().save('c_Mask.tif')\n"
                       "palette().save('e.png', dpi=(72, 72))");
    ZAVTest::WriteText(runner.File("doc.pdf"), "in the way");
    const auto result =
        runner.Run({"-i", "-w", pics, "-m", "*.png;b.tif", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc_1.pdf");
    EXPECT_EQ(ReadLines(runner.File("log.txt")),
              Lines({Loading(pics + "/a.png"), NoSideFiles(pics, "a"), Loading(pics + "/c.png"),
                     "\tLoading Mask '" + pics + "/c_Mask.tif' ...ok.",
                     "Can't process imagefile '" + pics + "/c.png'! Mask imagedata has to be black&white!",
                     Loading(pics + "/e.png"), NoSideFiles(pics, "e"), Loading(pics + "/b.tif"),
                     "Can't process imagefile '" + pics + "/b.tif'! Invalid bit depth 16!",
                     "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    EXPECT_EQ(ZAVTest::ReadText(runner.File("doc.pdf")), "in the way");
    // The pages keep the names of the pictures' places in the list.
    const std::string text = Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a '/Im'");
    EXPECT_NE(text.find("/ImMain0"), std::string::npos);
    EXPECT_NE(text.find("/ImMain2"), std::string::npos);
    EXPECT_EQ(text.find("/ImMain1"), std::string::npos);
    ExpectPageShows(pdf, 2, pics + "/e.png");
}

// With the default mask "*.*" the side files are inputs too: a mask becomes
// a JBIG2 page of its own, a text file fails to load as a picture.
TEST(CreateFromImageFiles, MaskAndTextSideFiles)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('a.png', dpi=(72, 72))\n"
                       "mask().save('a_Mask.png', dpi=(72, 72))\n"
                       "palette().save('b.png', dpi=(72, 72))\n"
                       "mask().save('b_Mask.tif', compression='group4', dpi=(72, 72))");
    ZAVTest::WriteText(pics + "/a.txt", "hello\nworld\n");
    const auto result = runner.Run({"-i", "-w", pics, "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    const std::string noMaskOfMask = "\tNo gif,png,tif,pcx,tga Mask found '" + pics + "/";
    EXPECT_EQ(ReadLines(runner.File("log.txt")),
              Lines({Loading(pics + "/a.png"), "\tLoading Mask '" + pics + "/a_Mask.png' ...ok.",
                     "\tLoading '" + pics + "/a.txt' ...Can't process imagefile '" + pics +
                         "/a.txt'! Error detecting FileFormat!",
                     Loading(pics + "/a_Mask.png"), NoSideFiles(pics, "a_Mask"), Loading(pics + "/b.png"),
                     "\tLoading Mask '" + pics + "/b_Mask.tif' ...ok.",
                     "\tNo indexable text for pdf found '" + pics + "/b.txt' ...", Loading(pics + "/b_Mask.tif"),
                     NoSideFiles(pics, "b_Mask"), "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    const std::string list = Output("pdfimages -list " + ShellQuote(pdf));
    EXPECT_NE(list.find("gray    1   1  jbig2"), std::string::npos) << list;
    // Each picture shows where its mask (PNG or Group 4 TIFF) is black; a.png's
    // text lies below it and shows where the mask is white.
    ExpectPageShows(pdf, 1, pics + "/a.png", 0, 72, pics + "/a_Mask.png");
    ExpectPageShows(pdf, 2, pics + "/a_Mask.png");
    ExpectPageShows(pdf, 3, MaskedPicture(runner.File("b.png"), pics + "/b.png", pics + "/b_Mask.tif"));
    ExpectPageShows(pdf, 4, pics + "/b_Mask.tif");
    const std::string objects = Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a '/Im'");
    EXPECT_NE(objects.find("/ImMask0"), std::string::npos) << objects;
    EXPECT_NE(objects.find("/ImMask3"), std::string::npos) << objects;
    const std::string text = Output("pdftotext -f 1 -l 1 " + ShellQuote(pdf) + " -");
    EXPECT_LT(text.find("hello"), text.find("world")) << text;
    EXPECT_NE(text.find("world"), std::string::npos) << text;
}

// A GIF picture with a 1-bit "_Mask.gif" side file (ImageMagick writes the
// two-entry table Pillow does not): the page shows the picture, and the
// page's mask image holds the side file's pixels.
TEST(CreateFromImageFiles, GifPictureWithGifMask)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "palette().save('c.gif')\n"
                       "mask().save('.mask.png')");
    Output("/usr/bin/convert " + ShellQuote(pics + "/.mask.png") + " -type bilevel " +
           ShellQuote(pics + "/c_Mask.gif"));
    const auto result = runner.Run({"-i", "-w", pics, "-m", "c.gif", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    EXPECT_EQ(
        ReadLines(runner.File("log.txt")),
        Lines({Loading(pics + "/c.gif"), "\tLoading Mask '" + pics + "/c_Mask.gif' ...ok.",
               "\tNo indexable text for pdf found '" + pics + "/c.txt' ...", "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    // GIF files carry no resolution: the picture takes the screen's 96 dpi.
    ExpectPageShows(pdf, 1, MaskedPicture(runner.File("c.png"), pics + "/c.gif", pics + "/c_Mask.gif"), 0, 96);
    const std::string objects = Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a '/Im'");
    EXPECT_NE(objects.find("/ImMask0"), std::string::npos) << objects;
    // The mask is a JBIG2 image mask of the page's resources: its stream is
    // decoded by jbig2dec and compared with the side file.
    ASSERT_TRUE(ZAVTest::HaveTool("jbig2dec"));
    const std::string qdf = runner.File("qdf.pdf");
    Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " " + ShellQuote(qdf));
    const std::string compare = Output(
        "/usr/bin/python3 -c \"import re, subprocess, sys; from PIL import Image; "
        "number = re.search(rb'(\\d+) 0 obj\\s*<<((?!endobj).)*?/Name /ImMask0', open(sys.argv[1], 'rb').read(), "
        "re.S).group(1).decode(); "
        "data = subprocess.run(['qpdf', '--show-object=' + number, '--raw-stream-data', sys.argv[1]], "
        "capture_output=True, check=True).stdout; open(sys.argv[3] + '.jb2', 'wb').write(data); "
        "subprocess.run(['jbig2dec', '-e', '-t', 'pbm', '-o', sys.argv[3] + '.pbm', sys.argv[3] + '.jb2'], "
        "check=True); "
        "print(Image.open(sys.argv[3] + '.pbm').convert('1').tobytes() == "
        "Image.open(sys.argv[2]).convert('1').tobytes())\" " +
        ShellQuote(qdf) + " " + ShellQuote(pics + "/c_Mask.gif") + " " + ShellQuote(runner.File("mask")));
    EXPECT_EQ("True\n", compare);
}

// PCX and TGA side files as Pillow writes black-and-white pictures (1-bit
// PCX, 1-bit TGA) are masks of their pictures like the others.
TEST(CreateFromImageFiles, PcxAndTgaMaskSideFiles)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('a.png', dpi=(72, 72))\n"
                       "mask().save('a_Mask.pcx')\n"
                       "pcx = bytearray(open('a_Mask.pcx', 'rb').read()); pcx[12:16] = bytes([96, 0, 96, 0])\n"
                       "open('a_Mask.pcx', 'wb').write(pcx)\n"
                       "palette().save('b.png', dpi=(72, 72))\n"
                       "mask().save('b_Mask.tga')\n"
                       "mask().save('mask.png')");
    const char* list = "a.png;b.png;mask.png";
    const auto result = runner.Run({"-i", "-w", pics, "-m", list, "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    EXPECT_EQ(ReadLines(runner.File("log.txt")),
              Lines({Loading(pics + "/a.png"), "\tLoading Mask '" + pics + "/a_Mask.pcx' ...ok.",
                     "\tNo indexable text for pdf found '" + pics + "/a.txt' ...", Loading(pics + "/b.png"),
                     "\tLoading Mask '" + pics + "/b_Mask.tga' ...ok.",
                     "\tNo indexable text for pdf found '" + pics + "/b.txt' ...", Loading(pics + "/mask.png"),
                     NoSideFiles(pics, "mask"), "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    const std::string names = Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a '/Im'");
    EXPECT_NE(names.find("/ImMask0"), std::string::npos) << names;
    EXPECT_NE(names.find("/ImMask1"), std::string::npos) << names;
    // The same pictures with PNG masks (of the same resolution: Pillow
    // writes 100 dpi into every PCX file, patched to the PNG's 96) make the
    // same document: each mask holds the pixels of the picture it came from.
    const std::string ref = runner.File("ref");
    MakePictures(ref, "grey().save('a.png', dpi=(72, 72))\n"
                      "mask().save('a_Mask.png')\n"
                      "palette().save('b.png', dpi=(72, 72))\n"
                      "mask().save('b_Mask.png')\n"
                      "mask().save('mask.png')");
    ASSERT_EQ(runner.Run({"-i", "-w", ref, "-m", list, "-f", runner.File("ref.pdf")}).exitCode, 0);
    const auto objects = [](const std::string& file) {
        return Output("qpdf --qdf --object-streams=disable " + ShellQuote(file) + " - | grep -av 'Date\\|/ID'");
    };
    const std::string ours = objects(pdf);
    const std::string withPng = objects(runner.File("ref.pdf"));
    EXPECT_TRUE(ours == withPng) << ours.size() << " bytes against " << withPng.size();
}

TEST(CreateFromImageFiles, TextFilesBecomeIndexableTextInFileOrder)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().resize((400, 300)).save('a.png', dpi=(72, 72))");
    ZAVTest::WriteText(pics + "/a.txt", "first line\nsecond (line)\n\nback\\012slash\n");
    const auto result = runner.Run({"-i", "-w", pics, "-m", "*.png", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    ExpectValidPdf(runner.File("doc.pdf"));
    const std::string text = Output("pdftotext " + ShellQuote(runner.File("doc.pdf")) + " -");
    const size_t first = text.find("first line");
    const size_t second = text.find("second (line)");
    const size_t third = text.find("back\\012slash");
    EXPECT_NE(first, std::string::npos) << text;
    EXPECT_LT(first, second) << text;
    EXPECT_LT(second, third) << text;
}

// A 24-bit picture goes through the JPEG 2000 plug-in; the document is
// raised to PDF 1.5 for it.
TEST(CreateFromImageFiles, ColourPicturesBecomeJpeg2000)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "im = Image.new('RGB', (W, H)); im.putdata([(x * 6, y * 8, (x + y) * 3) for y in range(H) "
                       "for x in range(W)]); im.save('r.png', dpi=(72, 72))");
    const auto result = runner.Run({"-i", "-w", pics, "-f", runner.File("doc.pdf"), "-q", "10"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    ExpectValidPdf(pdf);
    EXPECT_NE(Output("pdfimages -list " + ShellQuote(pdf)).find("rgb     3   8  jpx"), std::string::npos);
    EXPECT_NE(Output("pdfinfo " + ShellQuote(pdf)).find("PDF version:     1.5"), std::string::npos);
    ExpectPageShows(pdf, 1, pics + "/r.png", 16);
}

// Not one page made is a failed command: its text on standard error, the
// log as it was, and no file.
TEST(CreateFromImageFiles, NothingToSaveFailsAndMakesNoFile)
{
    for (const char* command : {"-i", "-l"}) {
        SCOPED_TRACE(command);
        ProgramRunner runner;
        const std::string pics = runner.File("pics");
        MakePictures(pics, "Image.new('I;16', (W, H)).save('a.tif')");
        ZAVTest::WriteText(pics + "/b.png", "not a picture\n");
        const auto result =
            runner.Run({command, "-w", pics, "-m", "*.png;*.tif", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.err, "error: No content to save \n");
        const std::vector<std::string> lines = ReadLines(runner.File("log.txt"));
        ASSERT_GE(lines.size(), 2u);
        EXPECT_EQ(lines.back(), "No content to save ");
        EXPECT_EQ(lines[lines.size() - 2].rfind("Can't process imagefile '" + pics + "/a.tif'! ", 0), 0u);
        EXPECT_FALSE(ZAVTest::FileExists(runner.File("doc.pdf")));

        const auto missing = runner.Run({command, "-w", runner.File("nothing"), "-f", runner.File("doc.pdf")});
        EXPECT_EQ(missing.exitCode, 2);
        EXPECT_EQ(missing.err, "error: No inputfiles found in '" + runner.File("nothing") + "'!\n");
    }
}

// Without -f the document is named after the input: inside a folder after
// the folder, beside a file after the file; never ".pdf" in the current
// folder.
TEST(CreateFromImageFiles, WithoutADocumentNameTheOutputIsNamedAfterTheInput)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('a.png', dpi=(72, 72))");
    ZAVTest::Run("cp " + ShellQuote(pics + "/a.png") + " " + ShellQuote(runner.File("scan.png")));
    const struct {
        std::vector<std::string> arguments;
        const char* output;
    } cases[] = {
        {{"-i", "-w", "pics", "-m", "*.png"}, "pics/pics.pdf"},
        {{"-l", "-w", "pics", "-m", "*.png"}, "pics/pics_1.pdf"},
        {{"-i", "-w", "scan.png"}, "scan.pdf"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.output);
        const auto result = runner.Run(c.arguments);
        ASSERT_EQ(result.exitCode, 0) << result.err;
        ExpectValidPdf(runner.File(c.output));
        ExpectPageShows(runner.File(c.output), 1, pics + "/a.png");
    }
    EXPECT_FALSE(ZAVTest::FileExists(runner.File(".pdf")));
}

// 300 dpi is stored as 11,811 dots per metre in PNG and BMP files: such a
// picture of 300 x 300 pixels makes a page of one inch, 72 x 72 points.
TEST(CreateFromImageFiles, DotsPerMetreRoundToTheNearestDpi)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "im = Image.new('L', (300, 300), 90)\n"
                       "im.save('a.png', dpi=(300, 300)); im.save('b.bmp', dpi=(300, 300))");
    const auto result = runner.Run({"-i", "-w", pics, "-m", "*.png;*.bmp", "-f", runner.File("doc.pdf")});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    // pdfinfo's "Page    N size:   W x H pts" lines, the size alone.
    const std::string sizes =
        Output("pdfinfo -f 1 -l 2 " + ShellQuote(runner.File("doc.pdf")) + " | sed -n 's/^Page .* size: *//p'");
    EXPECT_EQ(sizes, "72 x 72 pts\n72 x 72 pts\n");
}

TEST(CreateLayeredPdf, OnePageWithALayerPerPicture)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "grey().save('x.png', dpi=(72, 72))\n"
                       "palette().save('y.png', dpi=(72, 72))\n"
                       "grey().save('z.tif', dpi=(72, 72))\n"
                       "grey().save('x.tif', dpi=(72, 72))\n"
                       "mask().save('x_Mask.png', dpi=(72, 72))");
    const auto result =
        runner.Run({"-l", "-w", pics, "-m", "x.png;y.png;*.tif", "-f", runner.File("doc.pdf"), "-o", "log.txt"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    const std::string pdf = runner.File("doc.pdf");
    EXPECT_EQ(
        ReadLines(runner.File("log.txt")),
        Lines({Loading(pics + "/x.png"), "\tLoading Mask '" + pics + "/x_Mask.png' ...ok.",
               "\tNo indexable text for pdf found '" + pics + "/x.txt' ...", Loading(pics + "/y.png"),
               NoSideFiles(pics, "y"), Loading(pics + "/x.tif"), "\tLoading Mask '" + pics + "/x_Mask.png' ...ok.",
               "\tNo indexable text for pdf found '" + pics + "/x.txt' ...",
               "Can't process imagefile '" + pics +
                   "/x.tif'! Image 'x' already available. Please use a "
                   "different name!",
               Loading(pics + "/z.tif"), NoSideFiles(pics, "z"), "Save PDF to '" + pdf + "' ...ok."}));
    ExpectValidPdf(pdf);
    EXPECT_NE(Output("pdfinfo " + ShellQuote(pdf)).find("Pages:           1"), std::string::npos);
    const std::string groups =
        Output("qpdf --json " + ShellQuote(pdf) +
               " | /usr/bin/python3 -c \"import json,sys; d=json.load(sys.stdin)['qpdf'][1]; "
               "cat=d['obj:'+d['trailer']['value']['/Root']]['value']; "
               "print(' '.join(d['obj:'+r]['value']['/Name'] for r in cat['/OCProperties']['/OCGs']))\"");
    EXPECT_EQ(groups, "u:x u:y u:z\n");
    // The refused picture left no mask behind; the first one keeps its own.
    const std::string objects = Output("qpdf --qdf --object-streams=disable " + ShellQuote(pdf) + " - | grep -a '/Im'");
    EXPECT_NE(objects.find("/ImMask0"), std::string::npos) << objects;
    EXPECT_EQ(objects.find("/ImMask2"), std::string::npos) << objects;
    // The last layer lies on top.
    ExpectPageShows(pdf, 1, pics + "/z.tif");
}

// A masked picture in its layer lets the layer below show where the mask
// is white; alone on its page it lets the page show.
TEST(CreateLayeredPdf, MaskedLayersShowWhatLiesBelow)
{
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    MakePictures(pics, "palette().save('y.png', dpi=(72, 72))\n"
                       "grey().save('z.png', dpi=(72, 72))\n"
                       "mask().save('z_Mask.png', dpi=(72, 72))");
    ASSERT_EQ(runner.Run({"-l", "-w", pics, "-m", "y.png;z.png", "-f", runner.File("two.pdf")}).exitCode, 0);
    ASSERT_EQ(runner.Run({"-l", "-w", pics, "-m", "z.png", "-f", runner.File("one.pdf")}).exitCode, 0);
    ExpectValidPdf(runner.File("two.pdf"));
    ExpectPageShows(runner.File("two.pdf"), 1,
                    MaskedPicture(runner.File("two.png"), pics + "/z.png", pics + "/z_Mask.png", pics + "/y.png"));
    ExpectPageShows(runner.File("one.pdf"), 1,
                    MaskedPicture(runner.File("one.png"), pics + "/z.png", pics + "/z_Mask.png"));
    EXPECT_NE(Output("pdfimages -list " + ShellQuote(runner.File("one.pdf"))).find("jbig2"), std::string::npos);
}

}  // namespace
