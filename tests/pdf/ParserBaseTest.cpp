// The character reader: line ends of every convention, stepping back over
// them, matching and number reading.
#include <gtest/gtest.h>

#include <string>

#include "foundation/datasource/DataSource.h"
#include "pdf/parse/ParserBase.h"

namespace {

// A parser over a text held in memory.
struct TextParser {
    explicit TextParser(const std::string& bytes) : text(bytes)
    {
        if (!text.empty())
            source.OpenMemory(text.data(), text.size());
        parser.reset(new ParserBase(&source));
    }
    std::string ReadAll()
    {
        std::string out;
        for (char c = parser->GetChar(); c != 0; c = parser->GetChar())
            out.push_back(c);
        return out;
    }
    std::string text;
    ZAV::CDataSource source;
    std::unique_ptr<ParserBase> parser;
};

TEST(ParserBase, EmptySourceEndsAtOnce)
{
    TextParser t("");
    EXPECT_EQ(0, t.parser->GetChar());
    EXPECT_FALSE(t.parser->SkipWhitespace());
    int value = 7;
    EXPECT_FALSE(t.parser->ReadUnsigned(&value));
    EXPECT_TRUE(t.parser->IsAtEnd());
}

TEST(ParserBase, LineEndConventionsAreLearnedFromTheFirstLineEnd)
{
    struct Case {
        const char* input;
        std::string expected;  // characters GetChar hands out
        int lines;             // line after reading everything
    } cases[] = {
        {"ab\r\ncd", "ab\ncd", 2},         {"ab\ncd\ne", "ab\ncd\ne", 3},
        {"ab\rcd\re", "ab\ncd\ne", 3},     {"a\nb\rc", "a\nb\rc", 2},  // LF file: a lone CR is a character
        {"a\r\nb\rx\r\n", "a\nb\rx\n", 3},                             // CR LF file: a lone CR is a character
        {"a\n\rb\n\rc", "a\nb\nc", 3},                                 // LF CR pairs
    };
    for (const Case& c : cases) {
        TextParser t(c.input);
        EXPECT_EQ(c.expected, t.ReadAll()) << c.input;
        EXPECT_EQ(c.lines, t.parser->GetLine()) << c.input;
    }
}

TEST(ParserBase, SteppingBackOverALineEndRestoresLineAndColumn)
{
    for (const char* input : {"ab\r\ncd", "ab\ncd", "ab\rcd"}) {
        TextParser t(input);
        bool lineEnd = false;
        EXPECT_EQ('a', t.parser->GetChar(&lineEnd));
        EXPECT_EQ('b', t.parser->GetChar(&lineEnd));
        EXPECT_FALSE(lineEnd);
        EXPECT_EQ(10, t.parser->GetChar(&lineEnd));
        EXPECT_TRUE(lineEnd);
        EXPECT_EQ(2, t.parser->GetLine());
        EXPECT_EQ(1, t.parser->GetColumn());
        t.parser->UngetChar();
        EXPECT_EQ(1, t.parser->GetLine()) << input;
        EXPECT_EQ(3, t.parser->GetColumn()) << input;
        EXPECT_EQ(10, t.parser->GetChar());
        EXPECT_EQ('c', t.parser->GetChar()) << input;
    }
}

TEST(ParserBase, SteppingBackAfterTheEndDoesNotMoveBack)
{
    TextParser t("12");
    int value = 0;
    ASSERT_TRUE(t.parser->ReadUnsigned(&value));
    EXPECT_EQ(12, value);
    EXPECT_TRUE(t.parser->IsAtEnd());
    EXPECT_EQ(0, t.parser->GetChar());
}

TEST(ParserBase, MatchLiteralRestoresEverythingOnAMismatch)
{
    TextParser t("x\r\ntrux");
    t.parser->GetChar();
    t.parser->GetChar();
    int line = t.parser->GetLine();
    int column = t.parser->GetColumn();
    EXPECT_FALSE(t.parser->MatchLiteral("true"));
    EXPECT_EQ(line, t.parser->GetLine());
    EXPECT_EQ(column, t.parser->GetColumn());
    EXPECT_EQ('t', t.parser->GetChar());

    TextParser prefix("trueish");
    EXPECT_TRUE(prefix.parser->MatchLiteral("true"));
    EXPECT_EQ('i', prefix.parser->GetChar());
    EXPECT_TRUE(prefix.parser->MatchLiteral(""));
    EXPECT_FALSE(TextParser("True").parser->MatchLiteral("true"));

    EXPECT_TRUE(TextParser("endstream").parser->MatchLiteralNoCase("ENDSTREAM"));
    EXPECT_TRUE(TextParser("EndStream").parser->MatchLiteralNoCase("ENDSTREAM"));
    EXPECT_FALSE(TextParser("EndStrean").parser->MatchLiteralNoCase("ENDSTREAM"));
}

TEST(ParserBase, SignsAndUnsignedNumbers)
{
    TextParser seven("7");
    bool negative = true;
    EXPECT_FALSE(seven.parser->ReadSign(&negative));
    EXPECT_FALSE(negative);
    EXPECT_EQ('7', seven.parser->GetChar());

    TextParser minus("-3");
    EXPECT_TRUE(minus.parser->ReadSign(&negative));
    EXPECT_TRUE(negative);

    struct Case {
        const char* input;
        bool ok;
        int value;
        char next;  // the character left to read after a success
    } cases[] = {
        {"123 ", true, 123, ' '},
        {"0", true, 0, 0},
        {"2147483647]", true, 2147483647, ']'},
        {"2147483648", false, 0, 0},  // one more than an int holds: refused, not wrapped
        {"99999999999999999999", false, 0, 0},
        {"x1", false, 0, 0},
    };
    for (const Case& c : cases) {
        TextParser t(c.input);
        int value = -1;
        EXPECT_EQ(c.ok, t.parser->ReadUnsigned(&value)) << c.input;
        if (c.ok) {
            EXPECT_EQ(c.value, value) << c.input;
            EXPECT_EQ(c.next, t.parser->GetChar()) << c.input;
        }
    }
}

TEST(ParserBase, WhitespaceIsSpaceTabAndLineEndsOnly)
{
    TextParser t(" \t\r\n\r\n x");
    EXPECT_TRUE(t.parser->SkipWhitespace());
    EXPECT_EQ('x', t.parser->GetChar());
    TextParser formFeed("\fx");
    EXPECT_FALSE(formFeed.parser->SkipWhitespace());
    EXPECT_EQ('\f', formFeed.parser->GetChar());
}

TEST(ParserBase, ReadLineAndReadUntilLiteral)
{
    TextParser t("first line\r\nsecond");
    ZAV::String line;
    ASSERT_TRUE(t.parser->ReadLine(line));
    EXPECT_STREQ("first line", line.GetText());
    EXPECT_EQ(10, t.parser->GetChar());
    EXPECT_FALSE(t.parser->ReadLine(line));  // no line end before the end of the data
    EXPECT_STREQ("", line.GetText());

    TextParser data("abc\nEndStream\nendobj");
    ZAV::String skipped;
    ASSERT_TRUE(data.parser->ReadUntilLiteral("endstream", skipped));
    EXPECT_STREQ("abc\nEndStream", skipped.GetText());
    EXPECT_TRUE(data.parser->SkipWhitespace());
    EXPECT_TRUE(data.parser->MatchLiteral("endobj"));

    TextParser missing("abc");
    EXPECT_FALSE(missing.parser->ReadUntilLiteral("endstream", skipped));
    EXPECT_FALSE(missing.parser->ReadUntilLiteral(nullptr, skipped));
    EXPECT_TRUE(missing.parser->ReadUntilLiteral("", skipped));
}

}  // namespace
