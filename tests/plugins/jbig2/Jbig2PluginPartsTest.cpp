// Codec statuses as the plug-in's texts, the codec's messages as lines, and
// the save settings the plug-in starts with.
#include <gtest/gtest.h>

#include <vector>

#include "foundation/text/TextException.h"
#include "plugins/jbig2/Jbig2Settings.h"
#include "plugins/jbig2/status/Jbig2StatusReporter.h"
#include "plugins/jbig2/writer/Jbig2Writer.h"

using ZAV::Jbig2StatusReporter;

TEST(Jbig2StatusReporter, TurnsEveryStatusButZeroIntoItsText)
{
    EXPECT_NO_THROW(Jbig2StatusReporter::Check(0));
    const struct {
        JB2_Error status;
        const char* text;
    } cases[] = {{-1, "Invalid handle! (-1)"},
                 {-15, "Inalid number of pages! (-15)"},
                 {-23, "Output failure! (-23)"},
                 {-50, "MMR Failure during decoding! (-50)"},
                 {-500, "Error (-500)"},
                 {-9, "Error (-9)"},
                 {-24, "Invalid Huffman Table data! (-24)"}};
    for (const auto& c : cases) {
        try {
            Jbig2StatusReporter::Check(c.status);
            ADD_FAILURE() << c.status;
        } catch (const CTextException& e) {
            EXPECT_STREQ(e.GetText(), c.text);
        }
    }
}

TEST(Jbig2StatusReporter, WritesMessagesAsLinesByType)
{
    ZAV::Jbig2MessageList lines;
    Jbig2StatusReporter::Message("a", 1, &lines);
    Jbig2StatusReporter::Message("b", 11, &lines);
    Jbig2StatusReporter::Message("c", 91, &lines);
    Jbig2StatusReporter::Message("d", 5, &lines);
    Jbig2StatusReporter::Message("", 11, &lines);
    Jbig2StatusReporter::Message(nullptr, 11, &lines);
    Jbig2StatusReporter::Message("dropped", 11, nullptr);
    EXPECT_EQ(lines, (ZAV::Jbig2MessageList{"Info    : a\n", "Warning : b\n", "Error   : c\n", "Message : d\n", ""}));
    EXPECT_EQ(Jbig2StatusReporter::Release(nullptr, nullptr), cJB2_Error_Free_Failure);
}

TEST(Jbig2PluginSettings, StartAsAJbig2FileWithLossyEfficientMatching)
{
    // This program never calls its own copy of JBIG2Settings: the values are
    // those before any call.
    const Jbig2EncoderSettings& settings = ZAV::GetJbig2PluginSettings();
    EXPECT_EQ(std::vector<int32_t>(settings.values, settings.values + 8),
              (std::vector<int32_t>{0, 10, 20, 0, 0, 0, 1, 5}));
    const ZAV::Jbig2WriteSettings resolved = ZAV::ValidateJbig2Settings(settings);
    EXPECT_EQ(resolved.exportFormat, uint32_t(cJB2_Export_Format_JBIG2_File));
    EXPECT_EQ(resolved.encodingMode, uint32_t(cJB2_Encoding_Lossy));
    EXPECT_EQ(resolved.matchingQuality, 5u);
}
