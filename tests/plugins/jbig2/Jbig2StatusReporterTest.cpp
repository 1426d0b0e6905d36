// Codec statuses as the plug-in's texts, and the codec's messages as lines.
#include <gtest/gtest.h>

#include "foundation/text/TextException.h"
#include "plugins/jbig2/status/Jbig2StatusReporter.h"

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
