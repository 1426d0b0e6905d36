// The object parser: one table of inputs with the objects or messages they
// give, then indirect objects and streams, the warnings it logs, and
// hostile nesting.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "PDFTestFiles.h"
#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using PDFTest::ParsedText;
using ZAVTest::ThrownText;

namespace {

struct ObjectCase {
    std::string input;
    std::string expected;  // the object's PDF text, or the message it throws
    bool throws;
    char next;  // the character left after the object (0: end of data)
};

std::string Bytes(const char* text, size_t length)
{
    return std::string(text, length);
}

TEST(PDFParser, ObjectTable)
{
    const ObjectCase cases[] = {
        // keywords are prefixes, matched case-sensitively
        {"nullx", "null", false, 'x'},
        {"True", "null", false, 'T'},
        {"true]", "true", false, ']'},
        {"false", "false", false, 0},
        // references and the numbers that only look like them
        {"12 0 R", "12 0 R", false, 0},
        {"12 0 Q", "12", false, ' '},
        {"0 0 R", "0", false, ' '},
        {"12 -1 R", "12", false, ' '},
        {"12 1.5 R", "12", false, ' '},
        {"12 % note\r\n 0 R", "12 0 R", false, 0},  // a comment where white space may stand
        // numbers
        {"3.05", "3.05", false, 0},
        {"0.10", "0.10", false, 0},
        {"-2.5 ", "-2.50", false, ' '},
        {"- 7", "-7", false, 0},
        {"+17/", "17", false, '/'},
        {".5", "0.50", false, 0},  // a leading point is a number
        {"-.5", "-0.50", false, 0},
        {"12abc", "Error while parsing number ", true, 0},
        {"1e3", "Error while parsing number ", true, 0},
        {"5.", "5.00", false, 0},  // a trailing point is a real, as PDF writes "4."
        {"-5.]", "-5.00", false, ']'},
        {".", "Error while parsing float number ", true, 0},
        {"-", "Error while parsing number ", true, 0},
        {"2147483647", "2147483647", false, 0},
        // Beyond 32 bits: kept as a real, never wrapped or refused.
        {"2147483648", "2147483648.00", false, 0},
        {"4294967292 ", "4294967292.00", false, ' '},
        {"-2147483649 ", "-2147483649.00", false, ' '},
        {"16384.0625", "16384.0625", false, 0},
        // literal strings
        {"(a(b)c)", "(a\\050b\\051c)", false, 0},
        {"(a\\\r\nb)", "(ab)", false, 0},
        {"(a\\\nb)", "(ab)", false, 0},
        {"(\\101)x", "(A)", false, 'x'},
        {"(\\0612)", "(12)", false, 0},
        {"(\\400)", "Invalid Character while parsing string, expecting octal number < 256 ", true, 0},
        {"(\\q)", "(q)", false, 0},
        {"(\\n\\t\\\\)", "(\\012\\011\\\\)", false, 0},
        {"(abc", "Missing end delimiter!", true, 0},
        {"(abc\\", "Missing end delimiter!", true, 0},
        {Bytes("(a\0b)", 5), "(a\\000b)", false, 0},  // a NUL byte is kept
        // hex strings
        {"<6162>", "<6162>", false, 0},
        {"<616>", "<6160>", false, 0},
        {"<>", "<>", false, 0},
        {"<61 62>", "<6162>", false, 0},  // white space between digits is ignored
        {"<6\r\n1 6>", "<6160>", false, 0},
        {"<61 6x>", "Invalid Character while parsing string, expecting hex digit ", true, 0},
        {"<6162", "Invalid Character while parsing string, expecting hex digit ", true, 0},
        // names
        {"/A#20B", "/A#20B", false, 0},
        {"/A#2a ", "/A*", false, ' '},
        {"/Type/Page", "/Type", false, '/'},
        {"/", "/", false, 0},  // the empty name
        {"/ ", "/", false, ' '},
        {"<< / 1 /A />>", "<<\r\n/ 1\r\n/A/>>", false, 0},
        {"/A#G1", "Invalid Character while parsing (first char after #is not digit)", true, 0},
        {"/A#1G", "Invalid Character while parsing (second char after #is not digit)", true, 0},
        // arrays
        {"[1 2 3]", "[1 2 3]", false, 0},
        {"[ 1 % one\n 2 ]", "[1 2]", false, 0},
        {"[/A[(x)]<<>>]", "[/A [(x)] <<\r\n>>]", false, 0},
        {"[x]", "Error while parsing Array", true, 0},  // nothing consumes x: no endless loop
        {"[1 2", "Error while parsing Array", true, 0},
        // dictionaries
        {"<< /A 1 >>", "<<\r\n/A 1>>", false, 0},
        {"<</A 1/B>>", "<<\r\n/A 1\r\n/B null>>", false, 0},
        {"<< /A 1 /A 2 >>", "<<\r\n/A 2>>", false, 0},
        {"<< % c\n/A 1 % d\n>>", "<<\r\n/A 1>>", false, 0},
        {"<< /A x >>", "Invalid Character while parsing ", true, 0},
        {"<< /A 1", "<<\r\n/A 1>>", false, 0},
        // anything else is a null and consumes nothing
        {"}", "null", false, '}'},
    };
    for (const ObjectCase& c : cases) {
        ParsedText t(c.input);
        std::string got;
        bool threw = false;
        try {
            CPDFObjectPtr object = t.parser->ParseObject();
            ASSERT_TRUE(object) << c.input;
            got = object->ToPDFString();
        } catch (const CTextException& e) {
            threw = true;
            got = e.GetText();
        }
        EXPECT_EQ(c.throws, threw) << "input: " << c.input;
        EXPECT_EQ(c.expected, got) << "input: " << c.input;
        if (!c.throws) {
            EXPECT_EQ(c.next, t.parser->GetChar()) << "input: " << c.input;
        }
    }
}

TEST(PDFParser, NumbersAreFormedInDoublePrecision)
{
    struct Case {
        const char* input;
        double value;
    } cases[] = {
        {"3.05", 3.05},
        {"0.1", 0.1},
        {"-.5", -0.5},
        {"123456.789", 123456.789},
        {"0.1234567890123456789012345", 0.12345678901234568},
        {"1.00000000000000000000000000000001", 1.0},
        {"99999999999.5", 99999999999.5},  // too large for an int, still a real
    };
    for (const Case& c : cases) {
        ParsedText t(c.input);
        boost::shared_ptr<CPDFNumber> number = t.parser->ParseNumber();
        ASSERT_FALSE(number->IsInteger()) << c.input;
        EXPECT_DOUBLE_EQ(c.value, number->GetReal()) << c.input;
    }
}

TEST(PDFParser, StringsKeepTheirFormAndBytes)
{
    ParsedText literal("(x\\)y)");
    boost::shared_ptr<CPDFString> text = literal.parser->ParseString();
    EXPECT_FALSE(text->IsHex());
    EXPECT_EQ("x)y", text->GetText());

    ParsedText hex("<00FF7a>");
    boost::shared_ptr<CPDFString> bytes = hex.parser->ParseString();
    EXPECT_TRUE(bytes->IsHex());
    EXPECT_EQ(4, bytes->GetLength());  // three bytes and the terminating zero

    ParsedText other("abc");
    EXPECT_THROW(other.parser->ParseString(), CTextException);
}

TEST(PDFParser, DictionaryWarningsGoToTheLog)
{
    ParsedText t("<< /A 1 /A 2 /B >>");
    t.parser->ParseObject();
    EXPECT_EQ("Duplicate Dictionary entry has been found: /A\n"
              "Dictionary's last key entry missess value. Setting value to null.\n",
              t.parser->GetMessages());
}

TEST(PDFParser, DeepNestingFailsCleanly)
{
    for (const char* open : {"[", "<< /A "}) {
        std::string input;
        for (int i = 0; i < 100000; ++i)
            input += open;
        ParsedText t(input);
        EXPECT_EQ(ThrownText([&] { t.parser->ParseObject(); }), "Arrays and dictionaries are nested too deeply!")
            << "nesting of " << open;
    }
    // Nesting a sound file uses is read.
    std::string input = std::string(50, '[') + std::string(50, ']');
    ParsedText t(input);
    EXPECT_EQ(input.size(), t.parser->ParseObject()->ToPDFString().size());
}

struct IndirectCase {
    std::string input;
    std::string expected;  // the stream's bytes, or the message thrown
    bool throws;
};

TEST(PDFParser, IndirectObjectsAndStreams)
{
    const IndirectCase cases[] = {
        {"5 0 obj\r\n<< /Length 3 >>\r\nstream\r\nabc\r\nendstream\r\nendobj", "abc", false},
        {"5 0 obj << /Length 3 >> stream\nabc\nendstream endobj", "abc", false},
        {"5 0 obj << /Length 0 >> stream\r\n\r\nendstream endobj", "", false},
        {"5 0 obj << /Length 2 >> stream\r\nabc\r\nendstream endobj", "ab", false},  // rest skipped
        {"5 0 obj\r\n% c\r\n<< /Length 3 >> % d\r\nstream\r\nabc\r\nendstream\r\nendobj", "abc", false},
        {"5 0 obj << /Length 3 >> stream abc endstream endobj", "'EOL' expected", true},
        {"5 0 obj << /Length 99 >> stream\r\nabc\r\nendstream endobj",
         "Stream /Length 99 of object 5 0 reaches beyond the end of the file!", true},
        {"5 0 obj << /Length 2147483647 >> stream\r\nabc\r\nendstream endobj",
         "Stream /Length 2147483647 of object 5 0 reaches beyond the end of the file!", true},
        {"5 0 obj << /Length -1 >> stream\r\nabc\r\nendstream endobj", "/Length must be positive", true},
        {"5 0 obj << /Length (3) >> stream\r\nabc\r\nendstream endobj", "/Length must be integer", true},
        {"5 0 obj << /Length 1.5 >> stream\r\nabc\r\nendstream endobj", "/Length must be integer", true},
        {"5 0 obj [1] stream\r\nabc\r\nendstream endobj", "Stream object has no dictionary attached", true},
        {"5 0 obj 1", "'endobj' missing for ' 5 0 obj'", true},
        {"5 0 obj << /Length 3 >> stream\r\nabc\r\nendstream", "'endobj' missing for ' 5 0 obj'", true},
        {"5.5 0 obj 1 endobj", "Integer expected for object number", true},
        {"5 0.5 obj 1 endobj", "Integer expected for generation number", true},
        {"5 0 ob 1 endobj", "'obj' expected", true},
    };
    for (const IndirectCase& c : cases) {
        ParsedText t(c.input);
        std::string got;
        bool threw = false;
        try {
            boost::shared_ptr<CPDFObject> object = t.parser->ParseIndirectObject();
            EXPECT_EQ(5, object->GetObjectNumber());
            EXPECT_TRUE(object->HasStream()) << c.input;
            EXPECT_FALSE(object->IsModified());
            const CPDFByteArray& data = object->GetStreamData();
            got.assign(reinterpret_cast<const char*>(data.GetData()), static_cast<size_t>(data.GetSize()));
        } catch (const CTextException& e) {
            threw = true;
            got = e.GetText();
        }
        EXPECT_EQ(c.throws, threw) << "input: " << c.input;
        EXPECT_EQ(c.expected, got) << "input: " << c.input;
    }
}

TEST(PDFParser, IndirectObjectWithoutStream)
{
    ParsedText t("12 3 obj\r\n<< /A [1 2] >>\r\nendobj");
    boost::shared_ptr<CPDFObject> object = t.parser->ParseIndirectObject();
    EXPECT_EQ(12, object->GetObjectNumber());
    EXPECT_EQ(3, object->GetGenerationNumber());
    EXPECT_FALSE(object->HasStream());
    EXPECT_EQ(ptDictionary, object->GetInnerType());
    EXPECT_FALSE(object->IsModified());
    EXPECT_FALSE(object->HasModifiedContent());  // nothing read is "modified"
}

TEST(PDFParser, LineEndAfterStreamKeyword)
{
    ParsedText lone("5 0 obj << /Length 3 >> stream\rabc endstream endobj");
    boost::shared_ptr<CPDFObject> object = lone.parser->ParseIndirectObject();
    EXPECT_EQ(3, object->GetStreamSize());
    EXPECT_EQ(0, std::string(reinterpret_cast<const char*>(object->GetStreamData().GetData()), 3).compare("abc"));
    EXPECT_EQ("Ignoring incomplete carriage return after stream or xref!\n", lone.parser->GetMessages());
}

TEST(PDFParser, StreamLengthAsIndirectReference)
{
    PDFTest::FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 3 0 R >>");
    file.Add("<< /Length 4 0 R >>\r\nstream\r\nhello\r\nendstream");
    file.Add("<< /Type /Pages /Kids [] /Count 0 >>");
    file.Add("5");
    std::string bytes = file.Build();
    PDFTest::OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    boost::shared_ptr<CPDFRef> reference(new CPDFRef(opened.document.get(), 2, 0));
    boost::shared_ptr<CPDFObject> stream = reference->GetReferencedObject(nullptr, false);
    ASSERT_TRUE(stream->HasStream());
    EXPECT_EQ("hello", std::string(reinterpret_cast<const char*>(stream->GetStreamData().GetData()),
                                   static_cast<size_t>(stream->GetStreamSize())));
}

TEST(PDFParser, StreamLengthThatLeadsBackToItsOwnObjectFails)
{
    PDFTest::FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 3 0 R >>");
    file.Add("<< /Length 2 0 R >>\r\nstream\r\nhello\r\nendstream");
    file.Add("<< /Type /Pages /Kids [] /Count 0 >>");
    std::string bytes = file.Build();
    PDFTest::OpenedFile opened(bytes);
    ASSERT_EQ("", opened.error);
    boost::shared_ptr<CPDFRef> reference(new CPDFRef(opened.document.get(), 2, 0));
    EXPECT_EQ(ThrownText([&] { reference->GetReferencedObject(nullptr, false); }),
              "Object 2 refers to itself while it is being read")
        << "a /Length that refers to its own object";
}

}  // namespace
