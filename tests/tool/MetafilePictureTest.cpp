// createfromimagefiles (-i) on a folder holding an enhanced metafile that
// draws shapes and curves (written through libEMF): the page renders like
// the metafile as an independent renderer (emf2svg-conv piped to
// rsvg-convert) draws it.
#include "ProgramRunner.h"
#include "support/InkComparison.h"
#include "support/PdfRendering.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::ProgramRunner;

// The page's width and height in points, as pdfinfo reports them.
bool PageSize(const std::string& pdf, double& width, double& height)
{
    const ZAVTest::RunResult info = ZAVTest::Run("pdfinfo " + ShellQuote(pdf));
    const size_t at = info.output.find("Page size:");
    if (info.exitCode != 0 || at == std::string::npos)
        return false;
    std::istringstream in(info.output.substr(at + 10));
    std::string x;
    return static_cast<bool>(in >> width >> x >> height);
}

TEST(CreateFromImageFiles, EnhancedMetafileDrawingShapesRendersLikeTheMetafile)
{
    ASSERT_TRUE(ZAVTest::HaveTool("emf2svg-conv"));
    ASSERT_TRUE(ZAVTest::HaveTool("rsvg-convert"));
    ASSERT_TRUE(ZAVTest::HaveTool("convert"));
    ProgramRunner runner;
    const std::string pics = runner.File("pics");
    ZAVTest::Run("mkdir -p " + ShellQuote(pics));
    const std::string emf = pics + "/large.emf";
    const ZAVTest::RunResult made = ZAVTest::Run(std::string(ZAV_EMF_SAMPLE_WRITER) + " large " + ShellQuote(emf));
    ASSERT_EQ(0, made.exitCode) << made.output;
    const std::string pdf = runner.File("doc.pdf");
    const auto result = runner.Run({"-i", "-w", pics, "-m", "*.emf", "-f", pdf});
    ASSERT_EQ(0, result.exitCode) << result.err;
    double width = 0, height = 0;
    ASSERT_TRUE(PageSize(pdf, width, height));
    // The metafile is 300 pixels wide: render the page at that many pixels.
    const ZAVTest::RgbPicture page = ZAVTest::RenderPage("pdftoppm", pdf, 1, static_cast<int>(300 * 72 / width));
    ASSERT_GT(page.width, 0);
    const std::string size = std::to_string(page.width) + "x" + std::to_string(page.height);
    const ZAVTest::RunResult svg =
        ZAVTest::Run("emf2svg-conv -i " + ShellQuote(emf) + " -o " + ShellQuote(runner.File("ref.svg")) + " -w " +
                     std::to_string(page.width) + " -h " + std::to_string(page.height));
    ASSERT_EQ(0, svg.exitCode) << svg.output;
    const ZAVTest::RunResult png =
        ZAVTest::Run("rsvg-convert -b white -w " + std::to_string(page.width) + " -h " + std::to_string(page.height) +
                     " -o " + ShellQuote(runner.File("ref.png")) + " " + ShellQuote(runner.File("ref.svg")) +
                     " && convert " + ShellQuote(runner.File("ref.png")) + " " + ShellQuote(runner.File("ref.ppm")));
    ASSERT_EQ(0, png.exitCode) << png.output;
    const ZAVTest::RgbPicture reference = ZAVTest::ReadPpm(runner.File("ref.ppm"));
    ASSERT_EQ(page.width, reference.width) << size;
    ASSERT_EQ(page.height, reference.height) << size;
    const ZAVTest::InkMask ours(page.rgb, page.width, page.height), theirs(reference.rgb, page.width, page.height);
    EXPECT_GE(ZAVTest::IntersectionOverUnion(ours.Filled(), theirs.Filled()), 0.9);
    EXPECT_GE(ZAVTest::ShareNear(ours, theirs, 3), 0.97);
    EXPECT_GE(ZAVTest::ShareNear(theirs, ours, 3), 0.97);
    // The triangle's blue and the ellipse's white, within the page's coding.
    const auto near = [](uint32_t a, uint32_t b) {
        for (int shift : {0, 8, 16})
            if (std::abs(int((a >> shift) & 0xFF) - int((b >> shift) & 0xFF)) > 8)
                return false;
        return true;
    };
    EXPECT_TRUE(near(0x005AC8, page.At(page.width / 2, page.height * 100 / 240))) << std::hex << page.At(150, 100);
    EXPECT_TRUE(near(0xFFFFFF, page.At(page.width / 2, page.height * 150 / 240)));
}

}  // namespace
