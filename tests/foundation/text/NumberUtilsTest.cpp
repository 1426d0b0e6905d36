#include "foundation/text/NumberUtils.h"
#include "foundation/text/TextUtils.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

using ZAV::String;

TEST(NumberUtils, ParseIntReadsWholeTextsOnly)
{
    struct Case {
        const char* text;
        bool ok;
        int value;
    };
    const Case cases[] = {
        {"12", true, 12},          {"-7", true, -7},         {"12x", false, 12},
        {"", false, 0},            {"x", false, 0},          {nullptr, false, 0},
        {"2147483647", true, 2147483647}, {"-2147483648", true, -2147483647 - 1},
        {"2147483648", false, 2147483647},  // beyond 32 bits: not a number
        {"99999999999999999999", false, 2147483647},
    };
    for (const Case& c : cases) {
        int value = 99;
        EXPECT_EQ(ZAV::ParseInt(c.text, value), c.ok) << (c.text ? c.text : "(null)");
        EXPECT_EQ(value, c.value) << (c.text ? c.text : "(null)");
    }
    EXPECT_EQ(ZAV::StringToInt("42", -1), 42);
    EXPECT_EQ(ZAV::StringToInt("4 2", -1), -1);
    EXPECT_EQ(ZAV::StringToInt("", -1), -1);
}

TEST(NumberUtils, TruncateToIntStaysInsideTheIntegerRange)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int32_t expected;
    } cases[] = {
        {2.9, 2},           {-2.9, -2},          {0.0, 0},
        {2147483646.5, 2147483646},              {2147483647.0, 2147483647},
        {1e300, 2147483647}, {infinity, 2147483647},
        {-2147483648.0, -2147483647 - 1},        {-1e300, -2147483647 - 1},
        {-infinity, -2147483647 - 1},            {std::nan(""), 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ZAV::TruncateToInt(c.value), c.expected) << c.value;
}

TEST(NumberUtils, ParseDoubleAcceptsPointOrComma)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"1,5", true, 1.5}, {"1.5", true, 1.5},   {"-0.25", true, -0.25}, {"3", true, 3.0},
        {"1.5x", false, 1.5}, {"", false, 0.0}, {"abc", false, 0.0},     {nullptr, false, 0.0},
    };
    for (const Case& c : cases) {
        double value = 99;
        EXPECT_EQ(ZAV::ParseDouble(c.text, value), c.ok) << (c.text ? c.text : "(null)");
        EXPECT_DOUBLE_EQ(value, c.value) << (c.text ? c.text : "(null)");
    }
    EXPECT_DOUBLE_EQ(ZAV::StringToDouble("2,25", 0), 2.25);
    EXPECT_DOUBLE_EQ(ZAV::StringToDouble("", -1), -1);

    // A locale whose decimal point is a comma reads both forms too.
    const std::string old = std::setlocale(LC_NUMERIC, nullptr);
    for (const char* locale : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8"}) {
        if (!std::setlocale(LC_NUMERIC, locale))
            continue;
        double value = 0;
        EXPECT_TRUE(ZAV::ParseDouble("1,5", value));
        EXPECT_DOUBLE_EQ(value, 1.5);
        EXPECT_TRUE(ZAV::ParseDouble("1.5", value));
        EXPECT_DOUBLE_EQ(value, 1.5);
        break;
    }
    std::setlocale(LC_NUMERIC, old.c_str());
}

TEST(NumberUtils, CommaReplacementChangesTheFirstOnly)
{
    char text[] = "1,5,7";
    ZAV::ReplaceCommaWithPoint(text);
    EXPECT_STREQ(text, "1.5,7");
    char both[] = "1.2,3.4,5";
    ZAV::ReplaceCommaWithDecimalPoint(both);  // C locale: the point
    EXPECT_STREQ(both, "1.2.3.4,5");
    ZAV::ReplaceCommaWithPoint(nullptr);
}

TEST(NumberUtils, BytesToHex)
{
    const unsigned char bytes[] = {0x0A, 0xFF, 0x00};
    EXPECT_STREQ(ZAV::BytesToHex(bytes, 2, 0).GetText(), "0AFF");
    EXPECT_STREQ(ZAV::BytesToHex(bytes, 2, 1).GetText(), "0A");
    EXPECT_STREQ(ZAV::BytesToHex(bytes, 3, 5).GetText(), "0AFF00");
    EXPECT_STREQ(ZAV::BytesToHex(bytes, 0, 0).GetText(), "");
    EXPECT_STREQ(ZAV::BytesToHex(nullptr, 3, 0).GetText(), "");
}

TEST(TextUtils, WideToMultiByte)
{
    const char16_t text[] = u"A\u00e9\u20ac\U0001F600";
    char buffer[32];
    ASSERT_NE(ZAV::WideToMultiByte(buffer, text, sizeof buffer, ZAV::CP_UTF8), nullptr);
    EXPECT_STREQ(buffer, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(ZAV::WideToMultiByte(buffer, text, sizeof buffer, ZAV::CP_ACP), buffer);

    const char16_t lone[] = {u'x', 0xD800, u'y', 0};
    ASSERT_NE(ZAV::WideToMultiByte(buffer, lone, sizeof buffer, ZAV::CP_UTF8), nullptr);
    EXPECT_STREQ(buffer, "x\xEF\xBF\xBDy");

    char small[4];
    EXPECT_EQ(ZAV::WideToMultiByte(small, u"abcd", sizeof small, ZAV::CP_UTF8), nullptr);  // no room for the zero
    EXPECT_NE(ZAV::WideToMultiByte(small, u"abc", sizeof small, ZAV::CP_UTF8), nullptr);
    EXPECT_EQ(ZAV::WideToMultiByte(nullptr, u"a", 4, ZAV::CP_UTF8), nullptr);
    EXPECT_EQ(ZAV::WideToMultiByte(buffer, nullptr, 4, ZAV::CP_UTF8), nullptr);
    EXPECT_EQ(ZAV::WideToMultiByte(buffer, u"a", sizeof buffer, 1252), nullptr);
}

TEST(TextUtils, CaseAndTime)
{
    EXPECT_TRUE(ZAV::IsEqualNoCase("Page", "pAGE"));
    EXPECT_FALSE(ZAV::IsEqualNoCase("Page", "Pages"));
    EXPECT_TRUE(ZAV::IsEqualNoCase("", ""));
    const std::string year = ZAV::FormatCurrentTime("%Y").GetText();
    EXPECT_EQ(year.size(), 4u);
    EXPECT_GE(std::stoi(year), 2024);
    EXPECT_STREQ(ZAV::FormatCurrentTime("").GetText(), "");
}
