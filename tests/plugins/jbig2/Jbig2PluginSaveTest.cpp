// Saving through the plug-in: what it writes is checked by jbig2dec and
// poppler (1 is black: black text on white), with the host's palettes,
// resolutions and settings.
#include "foundation/text/TextException.h"
#include "jbig2codec/kvd_jb2.h"
#include "plugins/jbig2/writer/Jbig2Writer.h"
#include "tests/jbig2codec/compress/JB2PdfChecks.h"
#include "tests/jbig2codec/compress/JB2SymbolPagesFixture.h"
#include "tests/plugins/jbig2/Jbig2PluginFixture.h"

using namespace Jbig2PluginTest;

namespace {

std::vector<Page> TestPages()
{
    Page checker = JB2Test::BlankPage("checkerboard", 9, 9);
    for (uint32_t y = 0; y < 9; ++y)
        for (uint32_t x = (y & 1); x < 9; x += 2)
            checker.Set(x, y);
    return {JB2Test::TextPage("text", 301, 157, 4), JB2Test::BlankPage("white", 8, 5),
            JB2Test::BlackPage("black", 7, 3),      checker,
            JB2Test::NoisePage("wide", 4097, 3, 8), JB2Test::NoisePage("narrow", 1, 17, 2)};
}

}  // namespace

TEST_F(Jbig2Plugin, WritesWhatJbig2decReadsAsTheInputRows)
{
    const Settings choices[] = {
        Settings(),
        With({{2, 10}, {3, 99}, {4, 99}, {5, 1}, {6, 0}, {7, 99}}),
        With({{3, 1}, {5, 1}, {6, 2}, {7, 99}}),
        With({{3, 2}, {5, 1}, {6, 0}, {4, 99}, {7, 99}}),
        NoMatchingLossless(),
        With({{3, 3}, {7, 10}}),
    };
    for (const Settings& settings : choices) {
        Apply(settings);
        for (const Page& page : TestPages()) {
            SCOPED_TRACE(page.name + " coder " + std::to_string(settings.values[2]) + " template " +
                         std::to_string(settings.values[3]) + " matching " + std::to_string(settings.values[6]));
            const Saved saved = Save(page);
            ASSERT_EQ(saved.result, 1) << saved.error;
            const JB2Test::Jbig2decView view = JB2Test::RunJbig2dec(saved.bytes);
            ASSERT_EQ(view.pictures.size(), 1u);
            EXPECT_TRUE(view.warnings.empty()) << view.warnings.front();
            const Loaded loaded = Load(saved.bytes);
            ASSERT_EQ(loaded.result, 1) << loaded.error;
            // Lossy matching may change a shape a little: then both decoders must agree.
            const bool lossy = settings.values[5] == 0 && settings.values[6] == 1;
            EXPECT_TRUE(view.pictures[0] == (lossy ? loaded.picture : PictureOf(page)));
            EXPECT_TRUE(lossy || loaded.picture == PictureOf(page));
        }
    }
}

TEST_F(Jbig2Plugin, CodesOneVisiblePictureAlikeWhateverItsPalette)
{
    Apply(With({{5, 1}}));  // lossless, so that the page reads back as saved
    const Page page = JB2Test::TextPage("text", 203, 77, 6);
    const Saved whiteFirst = Save(page, 300, kWhiteBlack);
    const Saved blackFirst = Save(Inverted(page), 300, kBlackWhite);
    const Saved none = Save(page, 300, {});
    const Saved shortPalette = Save(page, 300, {255, 255, 255, 0});
    ASSERT_EQ(whiteFirst.result, 1) << whiteFirst.error;
    EXPECT_EQ(blackFirst.bytes, whiteFirst.bytes);
    EXPECT_EQ(none.bytes, whiteFirst.bytes);
    EXPECT_EQ(shortPalette.bytes, whiteFirst.bytes);
    const auto decoded = JB2Test::Jbig2dec(whiteFirst.bytes);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_TRUE(decoded[0] == PictureOf(page));  // PBM: 1 is black
}

TEST_F(Jbig2Plugin, KeepsTheResolutionAsPixelsPerMetre)
{
    const Page page = JB2Test::TextPage("text", 64, 40, 1);
    const struct {
        int32_t dpi;
        uint32_t stored;
        int32_t loaded;
    } cases[] = {{300, 11811, 300}, {72, 2835, 72}, {600, 23622, 600}, {0, 0, 0}, {-5, 0, 0}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.dpi);
        const Saved saved = Save(page, c.dpi);
        ASSERT_EQ(saved.result, 1) << saved.error;
        JB2Test::Document document(saved.bytes);
        EXPECT_EQ(document.Property(cJB2_Prop_X_Resolution), c.stored);
        EXPECT_EQ(document.Property(cJB2_Prop_Y_Resolution), c.stored);
        const Loaded loaded = Load(saved.bytes);
        EXPECT_EQ(loaded.info.dpiX, c.loaded);
        EXPECT_EQ(loaded.info.dpiY, c.loaded);
        EXPECT_EQ(Properties().GetValue("DPIX").GetInt(), c.loaded);
    }
}

// Saves with the writer itself, whose message lines the exports do not show.
struct DirectSave {
    std::vector<uint8_t> out = std::vector<uint8_t>(65536);
    ZAV::CDataSource target;
    ZAV::Jbig2MessageList lines;
    std::string error;

    DirectSave(const Page& page, const Jbig2EncoderSettings& settings, bool seekable = true)
    {
        const FilterImageInfo info = {int32_t(page.width), int32_t(page.height), 1, 0, 0};
        const ZAV::FilterSavePixels pixels = {page.bits.data(), uint32_t(page.bits.size()), nullptr, 0, info};
        EXPECT_TRUE(seekable ? target.OpenMemoryForWriting(out.data(), out.size()) : target.OpenBinStream());
        ZAV::Jbig2Writer writer(target, pixels, settings);
        try {
            writer.Write();
        } catch (const CTextException& e) {
            error = e.GetText();
        }
        lines = writer.Messages();
    }
};

TEST_F(Jbig2Plugin, AnUnknownResolutionIsNotSentAndTheCodecWarns)
{
    const Page page = JB2Test::TextPage("text", 64, 40, 1);
    Jbig2EncoderSettings settings = {{0, 10, 20, 0, 0, 0, 1, 5}};
    const DirectSave loud(page, settings);
    EXPECT_EQ(loud.error, "");
    for (const char* line : {"Warning : X Resolution is set to 0 dpm!\n", "Warning : Y Resolution is set to 0 dpm!\n"})
        EXPECT_NE(std::find(loud.lines.begin(), loud.lines.end(), line), loud.lines.end()) << line;

    settings.values[0] = 1;  // quiet: the codec's messages are dropped
    const DirectSave quiet(page, settings);
    EXPECT_EQ(quiet.error, "");
    EXPECT_TRUE(quiet.lines.empty());
}

TEST_F(Jbig2Plugin, ATargetThatCannotSeekFailsTheSaveWithoutLeaking)
{
    const DirectSave save(JB2Test::TextPage("text", 64, 40, 1), {{0, 10, 20, 0, 0, 0, 1, 5}}, false);
    EXPECT_EQ(save.error, "Write failure! (-12)");
}

TEST_F(Jbig2Plugin, RefusesSettingsInTheirOrderWithTheirTexts)
{
    const struct {
        Settings settings;
        const char* text;
    } cases[] = {
        {With({{3, 4}, {4, 7}}), "Invalid GenericTemplate setting! Allowed values are 0, 1, 2 or 3."},
        {With({{4, 4}, {6, 3}}), "Invalid SymbolTemplate value! Allowed values are 0, 1, 2 or 3."},
        {With({{6, 3}, {7, 11}}), "Invalid SymbolMatching value! Allowed values are 0, 1 or 2."},
        {With({{7, 11}}), "Invalid symbol matching quality value. Use values ranging from 0 to 10."},
        {With({{2, 10}}), "Generic template can only be used with the arithmetic coder!"},
        {With({{6, 0}, {5, 1}, {7, 99}}), "There is no SymbolMatch property set!"},
        {With({{6, 2}, {7, 10}}),
         "The SymbiolMatchingQuality can only be used together with efficient symbol matching!"},
        {With({{6, 0}, {4, 99}, {7, 99}}), "Lossy encoding can only be used together with symbol matching!"},
        {With({{3, -1}}), "Invalid property value! (-11)"},
    };
    const Page page = JB2Test::TextPage("text", 40, 20, 2);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        Apply(c.settings);
        const Saved saved = Save(page);
        EXPECT_EQ(saved.result, 0);
        EXPECT_EQ(saved.error, c.text);
    }
}

TEST_F(Jbig2Plugin, NotSetValuesWithMmrAndNoMatchingSaveLosslessly)
{
    Apply(With({{2, 10}, {3, 99}, {4, 99}, {5, 1}, {6, 0}, {7, 99}}));
    const Page page = JB2Test::TextPage("text", 301, 157, 12);
    const Saved saved = Save(page);
    ASSERT_EQ(saved.result, 1) << saved.error;
    const JB2Test::Jbig2decView view = JB2Test::RunJbig2dec(saved.bytes);
    EXPECT_EQ(view.types, (std::vector<int>{48, 38, 49, 51}));
    ASSERT_EQ(view.pictures.size(), 1u);
    EXPECT_TRUE(view.pictures[0] == PictureOf(page));
}

TEST_F(Jbig2Plugin, RefusesAHostBlockShorterThanItsRows)
{
    const Page page = JB2Test::TextPage("text", 41, 20, 2);
    const struct {
        int32_t width;
        uint32_t bytes;
    } cases[] = {{41, uint32_t(page.bits.size() - 1)}, {0, uint32_t(page.bits.size())}};
    for (const auto& c : cases) {
        Page described = page;
        described.width = uint32_t(c.width);
        const Saved saved = Save(described, 300, kWhiteBlack, c.bytes);
        EXPECT_EQ(saved.result, 0);
        EXPECT_EQ(saved.error, "Invalid memory block!");
    }
}

TEST_F(Jbig2Plugin, PdfOutputShowsBlackTextOnWhite)
{
    for (const char* tool : {"qpdf", "pdfimages", "pdftoppm", "/usr/bin/python3"})
        ASSERT_TRUE(ZAVTest::HaveTool(tool)) << tool;
    Apply(With({{1, 20}, {5, 1}}));  // lossless, so that the page reads back as saved
    Page page = JB2Test::TextPage("text", 600, 300, 7);
    for (uint32_t x = 20; x < 580; ++x)
        page.Set(x, 280);
    const Saved saved = Save(Inverted(page), 300, kBlackWhite);
    ASSERT_EQ(saved.result, 1) << saved.error;
    const ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("page.pdf"), saved.bytes);
    // PBM 1 is black: the rule and the text come out black, the margins white.
    JB2Test::ExpectPopplerSees(dir.File("page.pdf"), PictureOf(page));
}

TEST_F(Jbig2Plugin, StreamForPdfDecodesAsEmbeddedData)
{
    Apply(With({{1, 100}, {5, 1}}));  // lossless, so that the page reads back as saved
    const Page page = JB2Test::TextPage("text", 211, 97, 5);
    const Saved saved = Save(Inverted(page), 300, kBlackWhite);
    ASSERT_EQ(saved.result, 1) << saved.error;
    const auto decoded = JB2Test::Jbig2dec(saved.bytes, true);
    ASSERT_EQ(decoded.size(), 1u);
    EXPECT_TRUE(decoded[0] == PictureOf(page));
}

TEST_F(Jbig2Plugin, DefaultPdfSettingsGiveAStreamPopplerReadsAsJbig2dec)
{
    for (const char* tool : {"qpdf", "pdfimages", "pdftoppm", "jbig2dec", "gs", "/usr/bin/python3"})
        ASSERT_TRUE(ZAVTest::HaveTool(tool)) << tool;
    // The stream for PDF with every other value left: arithmetic, templates
    // 0, lossy efficient symbol matching of quality 5.
    Apply(With({{1, 100}}));
    const Page page = JB2Test::TwoFontsPage();
    const Saved saved = Save(page);
    ASSERT_EQ(saved.result, 1) << saved.error;
    const auto decoded = JB2Test::Jbig2dec(saved.bytes, true);
    ASSERT_EQ(decoded.size(), 1u);
    const ZAVTest::TempDir dir;
    ZAVTest::WriteBytes(dir.File("wrapped.pdf"), JB2Test::WrapStream(saved.bytes, page.width, page.height));
    JB2Test::ExpectPopplerSees(dir.File("wrapped.pdf"), decoded[0]);
}
