#include "foundation/text/String.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using ZAV::String;

namespace {

std::vector<std::string> Pieces(const std::vector<String>& parts)
{
    std::vector<std::string> out;
    for (const String& p : parts)
        out.push_back(p.ToStdString());
    return out;
}

}  // namespace

TEST(String, EmptyAndNullTextsReadAsEmpty)
{
    String empty;
    EXPECT_NE(empty.GetText(), nullptr);
    EXPECT_STREQ(empty.GetText(), "");
    EXPECT_EQ(empty.GetLength(), 0);
    EXPECT_EQ(empty.GetCapacity(), 0u);

    String fromNull(static_cast<const char*>(nullptr));
    EXPECT_STREQ(fromNull.GetText(), "");
    EXPECT_GT(fromNull.GetCapacity(), 0u);  // a real one-byte text, not a null buffer

    String copyOfEmpty(empty);
    EXPECT_EQ(copyOfEmpty.GetCapacity(), 0u);
    String assigned("x");
    assigned = empty;
    EXPECT_STREQ(assigned.GetText(), "");
    EXPECT_EQ(empty.Find('a'), -1);
    EXPECT_TRUE(empty == String(""));
}

TEST(String, Constructors)
{
    EXPECT_STREQ(String("abcdef", 3).GetText(), "abc");
    EXPECT_STREQ(String("ab", 10).GetText(), "ab");  // never reads past the text's end
    EXPECT_STREQ(String("ab", -1).GetText(), "");
    EXPECT_STREQ(String('Q').GetText(), "Q");
    EXPECT_STREQ(String(std::string("std")).GetText(), "std");

    const char list[] = "one\0two\0\0";
    String fromList(list, true);
    std::vector<String> parts;
    fromList.Split(nullptr, parts);
    EXPECT_EQ(Pieces(parts), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(std::memcmp(fromList.GetText(), list, sizeof(list) - 1), 0);

    // Read as a list, a plain text is one piece, whatever its buffer size.
    for (size_t length : {3u, 20u, 4000u, 9000u}) {
        const std::string plain(length, 'w');
        String(plain.c_str()).Split(nullptr, parts);
        ASSERT_EQ(parts.size(), 1u) << length;
        EXPECT_EQ(parts[0].GetLength(), static_cast<int>(length));
    }
    String("", true).Split("", parts);
    EXPECT_TRUE(parts.empty());
}

TEST(String, FormatsLongAndOddFormatsExactly)
{
    const std::string longText(10000, 'z');
    const char* volatile nullSource = nullptr;  // hidden from the format checker
    const char* nullText = nullSource;
    struct Case {
        const char* name;
        std::string expected;
        String actual;
    };
    auto format = [](const char* f, auto... args) {
        String s("old text");
        s.Format(f, args...);
        return s;
    };
    auto reference = [](const char* f, auto... args) {
        const int n = std::snprintf(nullptr, 0, f, args...);
        std::string out(static_cast<size_t>(n) + 1, '\0');
        std::snprintf(&out[0], out.size(), f, args...);
        out.resize(static_cast<size_t>(n));
        return out;
    };
    const Case cases[] = {
        {"long %s", reference("<%s>", longText.c_str()), format("<%s>", longText.c_str())},
        {"wide width", reference("%5000d", 42), format("%5000d", 42)},
        {"huge float", reference("%.300f", 1e300), format("%.300f", 1e300)},
        {"star width", reference("[%*d|%-*s]", 12, 7, 9, "ab"), format("[%*d|%-*s]", 12, 7, 9, "ab")},
        {"64-bit", reference("%lld %llx %#o", -1234567890123LL, 0xFFFFFFFFFFFFULL, 8u),
         format("%lld %llx %#o", -1234567890123LL, 0xFFFFFFFFFFFFULL, 8u)},
        {"percent and char", "100% c", format("100%% %c", 'c')},
        {"null string", "(null)", format("%s", nullText)},
        {"precision cuts", "abc", format("%.3s", "abcdef")},
        {"empty", "", format("%s", "")},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual.ToStdString(), c.expected) << c.name;
        EXPECT_EQ(c.actual.GetLength(), static_cast<int>(c.expected.size())) << c.name;
    }
}

TEST(String, SplitKeepsEmptyPiecesAndHasNoLengthLimit)
{
    const struct {
        const char* text;
        const char* separators;
        std::vector<std::string> pieces;
    } cases[] = {
        {"a;;b", ";", {"a", "", "b"}},
        {"a;", ";", {"a", ""}},
        {";a", ";", {"", "a"}},
        {"abc", ";", {"abc"}},
        {"*.gif;*.jpg,*.png", ";,", {"*.gif", "*.jpg", "*.png"}},
        {"", ";", {}},
    };
    for (const auto& c : cases) {
        std::vector<String> out{String("stale")};
        String(c.text).Split(c.separators, out);
        EXPECT_EQ(Pieces(out), c.pieces) << c.text;
    }

    const std::string longPiece(70000, 'p');
    std::vector<String> out;
    String((longPiece + ";tail").c_str()).Split(";", out);
    ASSERT_EQ(out.size(), 2u);
    EXPECT_EQ(out[0].GetLength(), 70000);
    EXPECT_STREQ(out[1].GetText(), "tail");
}

TEST(String, IndexOperationsClampToTheText)
{
    const String s("abcdef");
    const struct {
        const char* name;
        String actual;
        const char* expected;
    } cases[] = {
        {"Left 0", s.Left(0), ""},
        {"Left 2", s.Left(2), "ab"},
        {"Left -3", s.Left(-3), ""},
        {"Left 100", s.Left(100), "abcdef"},
        {"Right 2", s.Right(2), "ef"},
        {"Right -1", s.Right(-1), ""},
        {"Right 100", s.Right(100), "abcdef"},
        {"Mid 1", s.Mid(1), "abcdef"},
        {"Mid 3", s.Mid(3), "cdef"},
        {"Mid 0", s.Mid(0), "abcdef"},
        {"Mid length+1", s.Mid(7), ""},
        {"Mid far", s.Mid(1000), ""},
        {"Mid 2,3", s.Mid(2, 3), "bcd"},
        {"Mid 5,100", s.Mid(5, 100), "ef"},
        {"Mid 2,-1", s.Mid(2, -1), ""},
        {"Mid far,2", s.Mid(100, 2), ""},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(c.actual.GetText(), c.expected) << c.name;

    String t("xyz");
    EXPECT_EQ(*t.GetBufferAt(1), 'y');
    EXPECT_EQ(t.GetBufferAt(-5), t.GetBufferAt(0));
    EXPECT_EQ(*t.GetBufferAt(1000), '\0');
    String none;
    EXPECT_EQ(*none.GetBufferAt(3), '\0');
}

TEST(String, SearchCompareAndCase)
{
    String s("Hello World");
    EXPECT_EQ(s.Find('o'), 4);
    EXPECT_EQ(s.Find('q'), -1);
    EXPECT_EQ(s.Find('\0'), -1);
    EXPECT_TRUE(s.StartsWith("Hello"));
    EXPECT_FALSE(s.StartsWith("hello"));
    EXPECT_TRUE(s.StartsWith("hello", false));
    EXPECT_TRUE(s.EndsWith("WORLD", false));
    EXPECT_FALSE(s.EndsWith("WORLD", true));
    EXPECT_FALSE(s.EndsWith(""));
    EXPECT_FALSE(s.EndsWith("A Hello World"));
    EXPECT_FALSE(s.StartsWith(nullptr));
    EXPECT_FALSE(String().StartsWith(""));

    // Bytes compare as unsigned values.
    EXPECT_TRUE(String("a") < String("\xE4"));
    EXPECT_TRUE(String("") < String("a"));
    EXPECT_FALSE(String("b") < String("a"));
    EXPECT_TRUE(String("a") != String("A"));
    EXPECT_TRUE(String() == String(""));

    String upper("mIxEd 1.");
    upper.MakeUpper();
    EXPECT_STREQ(upper.GetText(), "MIXED 1.");
    upper.MakeLower();
    EXPECT_STREQ(upper.GetText(), "mixed 1.");
}

TEST(String, ConcatenationReplaceTrimAndStrip)
{
    String s("ab");
    s += s;  // appending itself must not read a freed buffer
    EXPECT_STREQ(s.GetText(), "abab");
    EXPECT_STREQ((String() + "x" + String()).GetText(), "x");
    EXPECT_STREQ((String("a") + "b").GetText(), "ab");

    EXPECT_STREQ(String("a.b.c").Replace(".", "::").GetText(), "a::b::c");
    EXPECT_STREQ(String("aaaa").Replace("aa", "b").GetText(), "bb");
    EXPECT_STREQ(String("a.b.c").Replace(".", "", 3).GetText(), "a.bc");
    EXPECT_STREQ(String("abc").Replace("", "x").GetText(), "abc");
    EXPECT_STREQ(String("abc").Replace("b", "x", 4).GetText(), "");

    String padded(" \t\r\n text \n");
    padded.Trim();
    EXPECT_STREQ(padded.GetText(), "text");
    String blanks("   ");
    blanks.Trim();
    EXPECT_STREQ(blanks.GetText(), "");

    EXPECT_STREQ(String("Page 1/2: ok!").StripNonAlphanumeric().GetText(), "Page12ok");
}

TEST(String, BufferAccessKeepsTextAndShrinks)
{
    String s("abc");
    char* buffer = s.GetBuffer(500);
    EXPECT_STREQ(buffer, "abc");
    EXPECT_GE(s.GetCapacity(), 501u);
    std::memset(buffer + 3, 'd', 497);  // fill to the last byte before the zero
    s.ReleaseBuffer();
    EXPECT_EQ(s.GetLength(), 500);
    std::strcpy(s.GetBuffer(10), "short");
    s.ReleaseBuffer();
    EXPECT_STREQ(s.GetText(), "short");
    EXPECT_LT(s.GetCapacity(), 20u);

    char* fresh = s.AllocBuffer(40);
    EXPECT_STREQ(fresh, "");
    EXPECT_GE(s.GetCapacity(), 40u);
}
