// The image library reaches advanced objects once the interface layer is in
// use: the antialiasing drawer gets its three objects, and the 16-bit
// reduction's processors attach, shift and scale down through the stand-in
// library.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>

#include "image/drawer/ImgDrawerWithAntialiasing.h"
#include "image/hdr/HdrProcessor.h"
#include "image/support/ImageTestSupport.h"
#include "platform/gdi/DeviceContexts.h"
#include "interfaces/advanced/AdvancedSeams.h"
#include "support/ThrownText.h"
#include "tests/interfaces/advanced/facets/FacetTestSupport.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

std::string HandleOf(const std::string& line)
{
    return line.substr(line.find('(') + 1, line.find(',') - line.find('(') - 1);
}

class AdvancedSeams : public testing::Test {
protected:
    void SetUp() override { CreateImageEditSp(); }
    void TearDown() override { EXPECT_EQ(0, fake.LiveHandles()); }

    CFakeKorvex55 fake;
};

TEST_F(AdvancedSeams, TheReductionGetsProcessorsThatShiftAndScaleDownThroughTheLibrary)
{
    const HdrProcessorFactory factory = GetHdrProcessorFactory();
    ASSERT_NE(nullptr, factory);
    std::vector<uint16_t> samples(4, 0x0ABC);
    std::vector<uint8_t> target(4);
    std::unique_ptr<IHdrProcessor> source = factory();
    std::unique_ptr<IHdrProcessor> destination = factory();
    fake.Reset();
    source->AttachNoFree(samples.data(), 8, 2, 2, 16);
    source->Scale(4, 4, 4, 1);
    source->Scale(0, 0, 0, 1);
    destination->AttachNoFree(target.data(), 4, 2, 2, 8);
    destination->HDRScaleDown(*source);
    const std::vector<std::string> lines = WorkLines(fake);
    ASSERT_EQ(4u, lines.size());
    const std::string s = HandleOf(lines[0]);
    const std::string d = HandleOf(lines[2]);
    EXPECT_EQ("AttachNoFree(" + s + ", " + Address(samples.data()) + ", 8, 2, 2, 16)", lines[0]);
    // 12 significant bits brought to the top: [0, 4095] onto [0, 65520].
    EXPECT_EQ("Scale(" + s + ", 0, 4095, 0, 65520)", lines[1]);
    EXPECT_EQ("AttachNoFree(" + d + ", " + Address(target.data()) + ", 4, 2, 2, 8)", lines[2]);
    EXPECT_EQ("HDRScaleDown(" + d + ", " + s + ")", lines[3]);
}

TEST_F(AdvancedSeams, ShiftsTheLibraryCannotDoAreRefused)
{
    std::unique_ptr<IHdrProcessor> processor = GetHdrProcessorFactory()();
    ASSERT_NE(nullptr, processor);
    fake.Reset();
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { processor->Scale(1, 2, 1, 1); }));
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { processor->Scale(16, 16, 16, 1); }));
    EXPECT_EQ("Invalid Parameter!", ThrownText([&] { processor->Scale(-1, -1, -1, 1); }));
    EXPECT_EQ("Image too large for the AdvancedImgProc library!",
              ThrownText([&] { processor->AttachNoFree(nullptr, int64_t{1} << 31, 65536, 16384, 16); }));
    EXPECT_TRUE(WorkLines(fake).empty());
}

TEST_F(AdvancedSeams, NoProcessorWhenTheLibraryMakesNoObject)
{
    fake.SetStatus("CreateCZAVAdvancedImgProc", 1, "none");
    EXPECT_EQ(nullptr, GetHdrProcessorFactory()());
}

// Paints a 4 x 4 picture in the resampling mode on a 32-bit device and
// gives the drawer's failure text.
std::string PaintAntialiased(int& liveObjectsWhileDrawing, CFakeKorvex55& fake)
{
    ZAVTest::CTestImage image;
    image.Create(4, 4, 24);
    TestDeviceSettings settings;
    settings.width = settings.height = 16;
    settings.bitsPixel = 32;
    HDC dc = CreateTestDC(settings);
    std::string failure;
    {
        CZAVImgDrawerWithAntialiasing drawer(&image);
        drawer.m_drawMode = kDrawModeAntialiasResample;
        drawer.Paint(dc, 0, 0, 8, 8, 0, 0, -1, -1, 0);
        failure = drawer.GetLastFailure().GetText();
        liveObjectsWhileDrawing = fake.LiveHandles();
    }
    DeleteDC(dc);
    return failure;
}

TEST_F(AdvancedSeams, TheAntialiasingDrawerGetsItsObjectsOrReportsTheirLack)
{
    int live = -1;
    EXPECT_EQ("", PaintAntialiased(live, fake));
    EXPECT_EQ(3, live);
    fake.SetStatus("CreateCZAVAdvancedImgProc", 1, "none");
    EXPECT_EQ("Error initializing AdvancedImgProc dll!", PaintAntialiased(live, fake));
    EXPECT_EQ(0, live);
}

// The calls of one paint of a 1-bit 6 x 6 picture at 4 x 4 in the mode.
std::vector<std::string> AntialiasCalls(int mode, CFakeKorvex55& fake)
{
    ZAVTest::CTestImage image;
    image.Create(6, 6, 1);
    TestDeviceSettings settings;
    settings.bitsPixel = 32;
    HDC dc = CreateTestDC(settings);
    CZAVImgDrawerWithAntialiasing drawer(&image);
    drawer.m_drawMode = mode;
    fake.Reset();
    EXPECT_EQ(1, drawer.Paint(dc, 0, 0, 4, 4, 0, 0, -1, -1, 0));
    DeleteDC(dc);
    return WorkLines(fake);
}

TEST_F(AdvancedSeams, TheAntialiasedModesResampleFilterAndStretchThroughTheThreeObjects)
{
    // Section, resampled picture and filtered picture, each lent to its
    // object at 8 bits (the 1-bit picture's grey copy); the section goes
    // once resampled, and every lent image is let go at the end.
    const std::vector<std::string> full = AntialiasCalls(kDrawModeAntialiasLogic, fake);
    ASSERT_EQ(10u, full.size());
    const std::string first = HandleOf(full[0]);
    const std::string second = HandleOf(full[1]);
    const std::string third = HandleOf(full[4]);
    EXPECT_NE(std::string::npos, full[0].find(", 36, 6, 6, 8)")) << full[0];
    EXPECT_NE(std::string::npos, full[1].find(", 16, 4, 4, 8)")) << full[1];
    EXPECT_EQ("Resize(" + second + ", " + first + ", 4, 4, 4)", full[2]);
    EXPECT_EQ("Clear(" + first + ")", full[3]);
    EXPECT_NE(std::string::npos, full[4].find(", 16, 4, 4, 8)")) << full[4];
    EXPECT_EQ("Filter(" + third + ", 1, " + second + ")", full[5]);
    EXPECT_EQ("Scale(" + third + ", 32, 223, 0, 255)", full[6]);
    EXPECT_EQ("Clear(" + first + ")", full[7]);
    EXPECT_EQ("Clear(" + second + ")", full[8]);
    EXPECT_EQ("Clear(" + third + ")", full[9]);

    // Mode 1 stops before the stretch, mode 4 before the filter.
    const std::vector<std::string> filtered = AntialiasCalls(kDrawModeAntialiasFiltered, fake);
    ASSERT_EQ(9u, filtered.size());
    EXPECT_EQ("Filter", filtered[5].substr(0, 6));
    EXPECT_EQ("Clear", filtered[6].substr(0, 5));
    const std::vector<std::string> resampled = AntialiasCalls(kDrawModeAntialiasResample, fake);
    ASSERT_EQ(7u, resampled.size());
    EXPECT_EQ("Resize", resampled[2].substr(0, 6));
    EXPECT_EQ("Clear", resampled[4].substr(0, 5));
}

}  // namespace
}  // namespace ZAVTest
