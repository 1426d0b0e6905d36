// The antialiased draw modes over our KORVEX55 library built beside the
// program: a 1-bit text page rendered by ghostscript, drawn at a quarter of
// its size, shows grey along the glyph edges and matches Pillow's box
// (area-average) downscale of the same page, followed in modes 1 and 3 by
// the same Gauss 3 x 3 and in mode 3 by the same contrast stretch.
#include <cctype>
#include <cmath>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "image/object/ZAVImg.h"
#include "interfaces/advanced/AdvancedSeams.h"
#include "tests/interfaces/advanced/RealKorvexFixture.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "platform/gdi/DeviceContexts.h"
#include "support/GdiPixels.h"
#include "support/TestSupport.h"

namespace ZAVTest {
namespace {

using namespace ZAV;

constexpr int kPageWidth = 480;
constexpr int kPageHeight = 320;
constexpr int kQuarterWidth = kPageWidth / 4;
constexpr int kQuarterHeight = kPageHeight / 4;
// Least agreement with Pillow, in dB of peak signal-to-noise ratio.
constexpr double kLeastPsnr = 40.0;

const char kPage[] = R"(%!PS
/Helvetica-Bold findfont 30 scalefont setfont
12 280 moveto (Antialiased text,) show
12 236 moveto (drawn at a quarter.) show
/Times-Roman findfont 22 scalefont setfont
12 190 moveto (The quick brown fox jumps) show
12 160 moveto (over the lazy dog 0123456789) show
4 setlinewidth 12 120 moveto 460 40 lineto stroke
showpage
)";

// Pillow's box downscale of the page, then the library's Gauss 3 x 3
// (edges repeated, halves away from zero) and its stretch of 32..223 onto
// 0..255 (halves up), each written as raw 8-bit rows.
const char kReference[] = R"(
import sys
import numpy as np
from PIL import Image
page, out = sys.argv[1], sys.argv[2]
small = Image.open(page).convert('L').resize((int(sys.argv[3]), int(sys.argv[4])), Image.BOX)
box = np.asarray(small, dtype=np.int64)
padded = np.pad(box, 1, mode='edge')
weights = np.array([[1, 2, 1], [2, 4, 2], [1, 2, 1]])
total = sum(weights[j, i] * padded[j:j + box.shape[0], i:i + box.shape[1]]
            for j in range(3) for i in range(3))
gauss = (2 * total + 16) // 32
clamped = np.clip(gauss, 32, 223)
stretched = (2 * (clamped - 32) * 255 + 191) // (2 * 191)
for name, values in (('box', box), ('gauss', gauss), ('stretch', stretched)):
    open(out + '/' + name + '.raw', 'wb').write(values.astype(np.uint8).tobytes())
)";

// The next number of a PBM header, past blanks and comments.
int HeaderNumber(const std::vector<uint8_t>& bytes, size_t& at)
{
    while (at < bytes.size() && (std::isspace(bytes[at]) || bytes[at] == '#'))
        if (bytes[at] == '#')
            while (at < bytes.size() && bytes[at] != '\n')
                ++at;
        else
            ++at;
    int value = 0;
    while (at < bytes.size() && std::isdigit(bytes[at]))
        value = value * 10 + (bytes[at++] - '0');
    return value;
}

// The page as a 1-bit image: PBM rows are our rows, a set bit black.
void LoadPbm(const std::string& path, CZAVImg& image)
{
    const std::vector<uint8_t> bytes = ReadBytes(path);
    ASSERT_GE(bytes.size(), 2u);
    ASSERT_EQ("P4", std::string(bytes.begin(), bytes.begin() + 2));
    size_t at = 2;
    ASSERT_EQ(kPageWidth, HeaderNumber(bytes, at));
    ASSERT_EQ(kPageHeight, HeaderNumber(bytes, at));
    ++at;  // the one blank before the rows
    ASSERT_EQ(1, image.Create(kPageWidth, kPageHeight, 1));
    ASSERT_EQ(bytes.size() - at, static_cast<size_t>(image.GetImageSize()));
    std::memcpy(image.GetImageData(), bytes.data() + at, bytes.size() - at);
    image.GetPalette().SetEntry(0, MakePaletteEntry(255, 255, 255));
    image.GetPalette().SetEntry(1, MakePaletteEntry(0, 0, 0));
}

// The grey (red sample) of the DC's top-left quarter-size area.
std::vector<uint8_t> Drawn(HDC dc)
{
    int width = 0;
    int height = 0;
    const std::vector<COLORREF> pixels = SurfacePixels(dc, width, height);
    std::vector<uint8_t> grey;
    for (int y = 0; y < kQuarterHeight; ++y)
        for (int x = 0; x < kQuarterWidth; ++x)
            grey.push_back(static_cast<uint8_t>(pixels[static_cast<size_t>(y) * width + x] & 0xFF));
    return grey;
}

// The page drawn in the mode at a quarter of its size onto a fresh DC of
// the depth; the drawer's mode afterwards in finalMode.
std::vector<uint8_t> DrawQuarter(const std::string& pbm, int mode, int deviceBits, int& finalMode)
{
    CZAVImg image;
    LoadPbm(pbm, image);
    TestDeviceSettings settings;
    settings.width = kQuarterWidth;
    settings.height = kQuarterHeight;
    settings.bitsPixel = deviceBits;
    HDC dc = CreateTestDC(settings);
    CZAVImgDrawerWithAntialiasing& drawer = image.GetDrawer();
    drawer.m_drawMode = mode;
    EXPECT_EQ(1, drawer.Paint(dc, 0, 0, kQuarterWidth, kQuarterHeight, 0, 0, -1, -1, 0)) << mode;
    EXPECT_STREQ("", drawer.GetLastFailure().GetText()) << mode;
    finalMode = drawer.m_drawMode;
    std::vector<uint8_t> grey = Drawn(dc);
    DeleteDC(dc);
    return grey;
}

int GreyCount(const std::vector<uint8_t>& samples)
{
    int count = 0;
    for (uint8_t v : samples)
        count += v != 0 && v != 255;
    return count;
}

double Psnr(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b)
{
    double squares = 0;
    for (size_t i = 0; i < a.size(); ++i)
        squares += (a[i] - b[i]) * (a[i] - b[i]);
    if (squares == 0)
        return INFINITY;
    return 10 * std::log10(255.0 * 255.0 * static_cast<double>(a.size()) / squares);
}

// Gauss 3 x 3 with repeated edges, as the filter stage computes it.
std::vector<uint8_t> Gauss(const std::vector<uint8_t>& in)
{
    static const int weights[3][3] = {{1, 2, 1}, {2, 4, 2}, {1, 2, 1}};
    std::vector<uint8_t> out(in.size());
    for (int y = 0; y < kQuarterHeight; ++y)
        for (int x = 0; x < kQuarterWidth; ++x) {
            int sum = 0;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i) {
                    const int sy = std::min(std::max(y + j, 0), kQuarterHeight - 1);
                    const int sx = std::min(std::max(x + i, 0), kQuarterWidth - 1);
                    sum += weights[j + 1][i + 1] * in[static_cast<size_t>(sy) * kQuarterWidth + sx];
                }
            out[static_cast<size_t>(y) * kQuarterWidth + x] = static_cast<uint8_t>((sum + 8) / 16);
        }
    return out;
}

class AntialiasedDrawing : public RealKorvexFixture {
protected:
    void SetUp() override
    {
        RealKorvexFixture::SetUp();
        ASSERT_TRUE(HaveTool("gs"));
        RegisterAdvancedImgProcSeams();
        WriteText(dir.File("page.ps"), kPage);
        const RunResult page =
            ZAVTest::Run("gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pbmraw -r72 -g" + std::to_string(kPageWidth) + "x" +
                         std::to_string(kPageHeight) + " -sOutputFile=" + ShellQuote(dir.File("page.pbm")) + " " +
                         ShellQuote(dir.File("page.ps")));
        ASSERT_EQ(0, page.exitCode) << page.output;
    }
    // Pillow's downscales of the page, written beside it.
    void MakeReferences()
    {
        WriteText(dir.File("reference.py"), kReference);
        const RunResult reference = ZAVTest::Run("/usr/bin/python3 " + ShellQuote(dir.File("reference.py")) + " " +
                                                 ShellQuote(dir.File("page.pbm")) + " " + ShellQuote(dir.Path()) + " " +
                                                 std::to_string(kQuarterWidth) + " " + std::to_string(kQuarterHeight));
        ASSERT_EQ(0, reference.exitCode) << reference.output;  // Pillow and numpy must be installed
    }

    std::vector<uint8_t> Reference(const char* name) { return ReadBytes(dir.File(std::string(name) + ".raw")); }

    TempDir dir;
};

TEST_F(AntialiasedDrawing, AQuarterSizePageShowsGreyEdgesAsPillowsBoxDownscaleDoes)
{
    ASSERT_NO_FATAL_FAILURE(MakeReferences());
    const std::string pbm = dir.File("page.pbm");
    const struct {
        int mode;
        const char* reference;
    } cases[] = {{kDrawModeAntialiasResample, "box"},
                 {kDrawModeAntialiasFiltered, "gauss"},
                 {kDrawModeAntialiasLogic, "stretch"}};
    std::vector<uint8_t> resampledOnly;
    std::vector<uint8_t> filtered;
    for (const auto& c : cases) {
        int finalMode = -1;
        const std::vector<uint8_t> drawn = DrawQuarter(pbm, c.mode, 24, finalMode);
        const std::vector<uint8_t> expected = Reference(c.reference);
        ASSERT_EQ(expected.size(), drawn.size()) << c.mode;
        EXPECT_EQ(c.mode, finalMode);
        EXPECT_GT(GreyCount(drawn), 200) << c.mode;
        const double psnr = Psnr(drawn, expected);
        EXPECT_GE(psnr, kLeastPsnr) << "mode " << c.mode << " against Pillow's " << c.reference;
        std::printf("mode %d: PSNR against Pillow %s %.1f dB, %d grey pixels, largest difference %d\n", c.mode,
                    c.reference, psnr, GreyCount(drawn), MaxDifference(drawn, expected));
        if (c.mode == kDrawModeAntialiasResample)
            resampledOnly = drawn;
        if (c.mode == kDrawModeAntialiasFiltered)
            filtered = drawn;
    }
    // Mode 1 is mode 4 followed by the filter stage, and nothing else.
    EXPECT_EQ(filtered, Gauss(resampledOnly));

    int finalMode = -1;
    const std::vector<uint8_t> plain = DrawQuarter(pbm, 0, 24, finalMode);
    EXPECT_EQ(0, GreyCount(plain));
}

TEST_F(AntialiasedDrawing, ASixteenBitDeviceFallsBackToModeZeroForGood)
{
    int finalMode = -1;
    const std::vector<uint8_t> drawn = DrawQuarter(dir.File("page.pbm"), kDrawModeAntialiasFiltered, 16, finalMode);
    EXPECT_EQ(0, finalMode);
    EXPECT_EQ(0, GreyCount(drawn));
}

}  // namespace
}  // namespace ZAVTest
