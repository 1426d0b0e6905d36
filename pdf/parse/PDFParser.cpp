#include "pdf/parse/PDFParser.h"

#include <boost/make_shared.hpp>

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>

#include "foundation/containers/ChunkBuffer.h"
#include "foundation/text/TextException.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFBool.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/document/PDFDocument.h"
#include "pdf/PDFLimits.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFNull.h"
#include "pdf/objects/PDFNumber.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"

namespace ZAVPDF {

namespace {

// Chunk size of the buffer that collects a string's bytes.
const size_t kStringChunkSize = 100000;

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

[[noreturn]] void Fail(const char* text)
{
    ThrowTextException(text);
}

}  // namespace

// Counts the depth of arrays and dictionaries being parsed, so a file of
// nothing but "[" ends in an error and not in a stack overflow.
class CPDFParser::NestingGuard {
public:
    explicit NestingGuard(CPDFParser& parser) : m_parser(parser)
    {
        if (m_parser.m_nesting >= kPDFMaxNestingDepth)
            Fail("Arrays and dictionaries are nested too deeply!");
        ++m_parser.m_nesting;
    }
    ~NestingGuard() { --m_parser.m_nesting; }
    NestingGuard(const NestingGuard&) = delete;
    NestingGuard& operator=(const NestingGuard&) = delete;

private:
    CPDFParser& m_parser;
};

CPDFParser::CPDFParser(ZAV::CDataSource* source, CPDFDocument* document) : ParserBase(source), m_document(document)
{
}

CPDFParser::~CPDFParser()
{
}

void CPDFParser::AddMessage(const char* text)
{
    if (text)
        m_messages += text;
    m_messages += "\n";
}

bool CPDFParser::IsDelimiter(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case 0:
    case 12:
    case '(':
    case ')':
    case '<':
    case '>':
    case '{':
    case '}':
    case '[':
    case ']':
    case '/':
    case '%':
        return true;
    default:
        return false;
    }
}

bool CPDFParser::SkipBlanks()
{
    bool skipped = false;
    for (;;) {
        if (SkipWhitespace())
            skipped = true;
        char c = GetChar(nullptr);
        if (c != '%') {
            UngetChar();
            return skipped;
        }
        skipped = true;
        // A comment runs to the end of its line, whichever line end that is.
        for (;;) {
            bool lineEnd = false;
            char d = GetChar(&lineEnd);
            if (lineEnd || d == '\r' || d == '\n')
                break;
            if (d == 0 && IsAtEnd())
                break;
        }
    }
}

boost::shared_ptr<CPDFObjectBase> CPDFParser::ParseObject()
{
    if (MatchLiteral("null"))
        return boost::make_shared<CPDFNull>(m_document);
    if (MatchLiteral("true"))
        return boost::make_shared<CPDFBool>(m_document, true);
    if (MatchLiteral("false"))
        return boost::make_shared<CPDFBool>(m_document, false);

    ParserPosition start = SavePosition();
    char first = GetChar(nullptr);
    char second = GetChar(nullptr);
    RestorePosition(start);

    switch (first) {
    case '/':
        return ParseName();
    case '(':
        return ParseString();
    case '[':
        return ParseArray();
    case '<':
        if (second == '<')
            return ParseDictionary();
        return ParseString();
    default:
        break;
    }
    if (!(IsDigit(first) || first == '-' || first == '+' || first == '.'))
        return boost::make_shared<CPDFNull>(m_document);

    boost::shared_ptr<CPDFNumber> number = ParseNumber();
    // "n g R" is a reference; anything else leaves the first number alone.
    ParserPosition afterNumber = SavePosition();
    if (number->GetType() == ptInteger && number->GetInteger() >= 1) {
        SkipBlanks();
        if (IsUnsignedAhead()) {
            boost::shared_ptr<CPDFNumber> generation = ParseNumber();
            if (generation->GetType() == ptInteger && generation->GetInteger() >= 0) {
                SkipBlanks();
                if (MatchChar('R')) {
                    boost::shared_ptr<CPDFRef> reference =
                        boost::make_shared<CPDFRef>(m_document, number->GetInteger(), generation->GetInteger());
                    reference->SetReadFromFile(true);
                    return reference;
                }
            }
        }
    }
    RestorePosition(afterNumber);
    return number;
}

bool CPDFParser::IsUnsignedAhead()
{
    ParserPosition mark = SavePosition();
    bool negative = false;
    if (ReadSign(&negative))
        SkipWhitespace();
    char c = GetChar(nullptr);
    RestorePosition(mark);
    return IsDigit(c);
}

boost::shared_ptr<CPDFNumber> CPDFParser::ParseNumber()
{
    bool negative = false;
    if (ReadSign(&negative))
        SkipWhitespace();

    // The digits are kept as text and converted once, so a real reads as
    // the nearest double and an integer too large for the object model's
    // 32 bits (such as unsigned permission flags) still keeps its value.
    std::string digits = negative ? "-" : "";
    int integerDigits = 0;
    char c = GetChar(nullptr);
    for (; IsDigit(c); c = GetChar(nullptr), ++integerDigits) {
        if (digits.size() >= kPDFMaxNumberTextLength)
            Fail("Error while parsing number ");
        digits.push_back(c);
    }

    bool real = false;
    if (c == '.') {
        real = true;
        digits.push_back('.');
        int fractionDigits = 0;
        for (c = GetChar(nullptr); IsDigit(c); c = GetChar(nullptr), ++fractionDigits) {
            // Digits past the longest text a double needs change nothing.
            if (digits.size() < kPDFMaxNumberTextLength)
                digits.push_back(c);
        }
        UngetChar();
        // "4." is a real as much as ".5" is; only a point without any digit is not.
        if (fractionDigits == 0 && integerDigits == 0)
            Fail("Error while parsing float number ");
        if (fractionDigits == 0)
            digits.push_back('0');
    } else {
        if (integerDigits == 0 || !IsDelimiter(c))
            Fail("Error while parsing number ");
        UngetChar();
    }

    const char* first = digits.c_str();
    if (!real) {
        int64_t integer = 0;
        const std::from_chars_result read = std::from_chars(first, first + digits.size(), integer);
        if (read.ec == std::errc() && integer >= INT_MIN && integer <= INT_MAX)
            return boost::make_shared<CPDFNumber>(m_document, static_cast<int>(integer));
    }
    // from_chars wants a digit before the point.
    if (digits.find('.') == (negative ? 1u : 0u))
        digits.insert(negative ? 1 : 0, "0");
    first = digits.c_str();
    double value = 0.0;
    const std::from_chars_result read = std::from_chars(first, first + digits.size(), value);
    if (read.ec != std::errc() || !std::isfinite(value))
        Fail("Error while parsing number ");
    return boost::make_shared<CPDFNumber>(m_document, value);
}

boost::shared_ptr<CPDFString> CPDFParser::ParseString()
{
    ZAV::CChunkBuffer bytes(kStringChunkSize);
    bool hex = false;
    char first = GetChar(nullptr);
    if (first == '(') {
        // Literal strings are read byte by byte from the source: their line
        // ends are content, not structure.
        int depth = 0;
        for (;;) {
            int byte = SourceReadByte();
            if (byte < 0)
                Fail("Missing end delimiter!");
            if (byte == '(') {
                ++depth;
            } else if (byte == ')') {
                if (depth == 0)
                    break;
                --depth;
            } else if (byte == '\\') {
                int next = SourceReadByte();
                if (next < 0)
                    Fail("Missing end delimiter!");
                if (next >= '0' && next <= '7') {
                    int value = next - '0';
                    for (int i = 1; i < 3; ++i) {
                        int digit = SourceReadByte();
                        if (digit < '0' || digit > '7') {
                            if (digit >= 0)
                                SourceSeek(SourceTell() - 1);
                            break;
                        }
                        value = value * 8 + (digit - '0');
                    }
                    if (value >= 256)
                        Fail("Invalid Character while parsing string, expecting octal number < 256 ");
                    bytes.AppendChar(static_cast<char>(value));
                    continue;
                }
                switch (next) {
                case '\n':
                    continue;
                case '\r': {
                    int after = SourceReadByte();
                    if (after >= 0 && after != '\n')
                        SourceSeek(SourceTell() - 1);
                    continue;
                }
                case 'n':
                    byte = 10;
                    break;
                case 'r':
                    byte = 13;
                    break;
                case 't':
                    byte = 9;
                    break;
                case 'b':
                    byte = 8;
                    break;
                case 'f':
                    byte = 12;
                    break;
                default:
                    byte = next;
                    break;
                }
            }
            bytes.AppendChar(static_cast<char>(byte));
        }
    } else if (first == '<') {
        hex = true;
        // Writers wrap long hex strings over lines and group their digits with
        // blanks; white space between the digits carries nothing.
        auto nextHexChar = [this]() {
            char c = GetChar(nullptr);
            while (IsWhitespace(c))
                c = GetChar(nullptr);
            return c;
        };
        for (;;) {
            char high = nextHexChar();
            if (high == '>')
                break;
            int highValue = HexValue(high);
            if (highValue < 0)
                Fail("Invalid Character while parsing string, expecting hex digit ");
            char low = nextHexChar();
            int lowValue = HexValue(low);
            if (lowValue < 0) {
                UngetChar();
                lowValue = 0;
            }
            bytes.AppendChar(static_cast<char>(highValue * 16 + lowValue));
        }
    } else {
        UngetChar();
        Fail("Invalid Character while parsing string ");
    }
    bytes.AppendChar(0);
    CPDFByteArray data;
    bytes.CopyTo(data);
    boost::shared_ptr<CPDFString> result = boost::make_shared<CPDFString>(m_document, data);
    result->SetHex(hex);
    return result;
}

boost::shared_ptr<CPDFName> CPDFParser::ParseName()
{
    return boost::make_shared<CPDFName>(m_document, ParseNameText());
}

std::string CPDFParser::ParseNameText()
{
    if (GetChar(nullptr) != '/') {
        UngetChar();
        Fail("Invalid Character while parsing ");
    }
    std::string text = "/";
    for (;;) {
        char c = GetChar(nullptr);
        if (IsDelimiter(c)) {
            UngetChar();
            break;
        }
        if (c == '#') {
            int high = HexValue(GetChar(nullptr));
            if (high < 0)
                Fail("Invalid Character while parsing (first char after #is not digit)");
            int low = HexValue(GetChar(nullptr));
            if (low < 0)
                Fail("Invalid Character while parsing (second char after #is not digit)");
            c = static_cast<char>(high * 16 + low);
        }
        text.push_back(c);
    }
    // A slash alone is the empty name, legal if rare (ISO 32000-1, 7.3.5).
    return text;
}

boost::shared_ptr<CPDFArray> CPDFParser::ParseArray()
{
    NestingGuard guard(*this);
    boost::shared_ptr<CPDFArray> array = boost::make_shared<CPDFArray>(m_document);
    if (GetChar(nullptr) != '[') {
        UngetChar();
        Fail("Error while parsing Array");
    }
    SkipBlanks();
    for (;;) {
        char c = GetChar(nullptr);
        if (c == ']')
            break;
        if (c == 0)
            Fail("Error while parsing Array");
        UngetChar();
        int64_t before = SourceTell();
        boost::shared_ptr<CPDFObjectBase> element = ParseObject();
        // A character that starts no object is consumed by nothing: stop
        // here rather than read the same character for ever.
        if (SourceTell() == before)
            Fail("Error while parsing Array");
        array->Add(element);
        SkipBlanks();
    }
    // What was just read from the file is not a change to it.
    array->SetModified(false);
    return array;
}

boost::shared_ptr<CPDFDictionary> CPDFParser::ParseDictionary()
{
    NestingGuard guard(*this);
    boost::shared_ptr<CPDFDictionary> dictionary = boost::make_shared<CPDFDictionary>(m_document);
    if (!MatchLiteral("<<"))
        Fail("Invalid Dict Marker");
    SkipBlanks();
    for (;;) {
        if (IsAtEnd())
            break;
        if (MatchLiteral(">>"))
            break;
        // The key is only text: no name object is made for it.
        const std::string key = ParseNameText();
        SkipBlanks();
        boost::shared_ptr<CPDFObjectBase> value;
        bool last = false;
        if (MatchLiteral(">>")) {
            AddMessage("Dictionary's last key entry missess value. Setting value to null.");
            value = boost::make_shared<CPDFNull>(m_document);
            last = true;
        } else {
            value = ParseObject();
        }
        if (dictionary->HasKey(key)) {
            std::string message = "Duplicate Dictionary entry has been found: " + key;
            AddMessage(message.c_str());
        }
        dictionary->Set(key, value);
        if (last)
            break;
        SkipBlanks();
    }
    dictionary->SetModified(false);
    return dictionary;
}

bool CPDFParser::CheckLineEnd()
{
    ParserPosition mark = SavePosition();
    int byte = SourceReadByte();
    if (byte == '\n')
        return true;
    if (byte == '\r') {
        int next = SourceReadByte();
        if (next == '\n')
            return true;
        if (next >= 0)
            SourceSeek(SourceTell() - 1);
        AddMessage("Ignoring incomplete carriage return after stream or xref!");
        return true;
    }
    RestorePosition(mark);
    return false;
}

long long CPDFParser::ReadStreamLength(CPDFDictionary& dictionary)
{
    // A missing entry gets the typed getters' message.
    boost::shared_ptr<CPDFObjectBase> entry = dictionary.RequiredEntry("/Length", nullptr);
    if (entry && entry->GetType() == ptRef) {
        boost::shared_ptr<CPDFObject> target = static_cast<CPDFRef*>(entry.get())->GetReferencedObject(nullptr, false);
        entry = target ? target->GetInnerObject() : boost::shared_ptr<CPDFObjectBase>();
    }
    if (!entry || entry->GetType() != ptInteger)
        Fail("/Length must be integer");
    return static_cast<CPDFNumber*>(entry.get())->GetInteger();
}

boost::shared_ptr<CPDFObject> CPDFParser::ParseIndirectObject()
{
    boost::shared_ptr<CPDFNumber> number = ParseNumber();
    SkipBlanks();
    boost::shared_ptr<CPDFNumber> generation = ParseNumber();
    SkipBlanks();
    if (number->GetType() != ptInteger)
        Fail("Integer expected for object number");
    if (generation->GetType() != ptInteger)
        Fail("Integer expected for generation number");
    int objectNumber = number->GetInteger();
    int generationNumber = generation->GetInteger();

    if (!MatchLiteral("obj"))
        Fail("'obj' expected");
    SkipBlanks();
    boost::shared_ptr<CPDFObjectBase> inner = ParseObject();
    SkipBlanks();

    boost::shared_ptr<CPDFObject> result = boost::make_shared<CPDFObject>(m_document, inner);
    if (MatchLiteral("stream")) {
        if (!CheckLineEnd())
            Fail("'EOL' expected");
        ParserPosition dataStart = SavePosition();
        if (!inner || inner->GetType() != ptDictionary)
            Fail("Stream object has no dictionary attached");
        // An indirect /Length is read from elsewhere in the file; the mark
        // brings us back to the data afterwards.
        long long length = ReadStreamLength(*static_cast<CPDFDictionary*>(inner.get()));
        if (length < 0)
            Fail("/Length must be positive");
        RestorePosition(dataStart);
        // Checked against the bytes really there before anything is taken.
        if (length > SourceLength() - dataStart.position) {
            char message[160];
            std::snprintf(message, sizeof message,
                          "Stream /Length %lld of object %d %d reaches beyond the end of the file!", length,
                          objectNumber, generationNumber);
            Fail(message);
        }
        size_t count = static_cast<size_t>(length);
        const unsigned char* data = nullptr;
        if (count > 0) {
            size_t got = count;
            data = GetSource()->ReadAvailable(got);
            if (got != count || data == nullptr)
                Fail("Unable to read stream data");
        }
        result->SetStreamData(data, static_cast<int>(count));

        ZAV::String skipped;
        ReadUntilLiteral("endstream", skipped);
        const char* text = skipped.GetText();
        size_t skippedLength = skipped.GetLength();
        size_t keyword = skippedLength >= 9 ? skippedLength - 9 : 0;
        for (size_t i = 0; i < keyword; ++i) {
            if (!IsWhitespace(static_cast<unsigned char>(text[i]))) {
                AddMessage("Stream data is longer than its /Length; the rest is ignored.");
                break;
            }
        }
        SkipBlanks();
    }
    if (!MatchLiteral("endobj")) {
        char message[128];
        std::snprintf(message, sizeof message, "'endobj' missing for ' %d %d obj'", objectNumber, generationNumber);
        Fail(message);
    }
    result->SetObjectNumber(objectNumber);
    result->SetGenerationNumber(generationNumber);
    result->SetModified(false);
    return result;
}

}  // namespace ZAVPDF
