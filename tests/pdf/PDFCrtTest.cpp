// The cross-reference table: sections, lookups, growth and its 20-byte rows.
#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <string>

#include "pdf/document/PDFCrt.h"
#include "pdf/PDFLimits.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using ZAVTest::ThrownText;

namespace {

std::string Written(const CPDFCrt& table)
{
    std::ostringstream stream;
    table.Write(stream);
    return stream.str();
}

}  // namespace

TEST(PDFCrtTest, EntriesInOrderMakeOneSection)
{
    CPDFCrt table;
    EXPECT_EQ(1, table.GetSize());
    table.AddEntry(1, 0, 15, 'n');
    table.AddEntry(2, 0, 1234, 'n');
    table.AddEntry(3, 1, 99999, 'n');
    ASSERT_EQ(1, table.GetSectionCount());
    EXPECT_EQ(1, table.GetSection(0).GetFirst());
    EXPECT_EQ(3, table.GetSection(0).GetCount());
    EXPECT_EQ(4, table.GetSize());
    EXPECT_EQ("xref\r\n1 3\r\n"
              "0000000015 00000 n\r\n"
              "0000001234 00000 n\r\n"
              "0000099999 00001 n\r\n",
              Written(table));
    int generation = -1, offset = -1;
    char type = 0;
    ASSERT_TRUE(table.GetEntry(2, generation, offset, type));
    EXPECT_EQ(1234, offset);
    EXPECT_EQ('n', type);
    EXPECT_FALSE(table.GetEntry(4, generation, offset, type));
}

TEST(PDFCrtTest, RowsAreTwentyBytes)
{
    CPDFCrt table;
    table.AddEntry(0, 65535, 0, 'f');
    table.AddEntry(1, 0, 2147483647, 'n');
    const std::string text = Written(table);
    const std::string rows = text.substr(text.find("\r\n", 6) + 2);
    ASSERT_EQ(40u, rows.size());
    EXPECT_EQ("0000000000 65535 f\r\n", rows.substr(0, 20));
    EXPECT_EQ("2147483647 00000 n\r\n", rows.substr(20, 20));
}

TEST(PDFCrtTest, SectionsGrowAtTheirEndsAndKeepFirstOffsets)
{
    CPDFCrt table;
    table.AddEntry(5, 0, 500, 'n');
    table.AddEntry(3, 0, 300, 'n');
    ASSERT_EQ(2, table.GetSectionCount());
    table.AddEntry(4, 0, 400, 'n');
    EXPECT_EQ(4, table.GetSection(0).GetFirst());
    EXPECT_EQ(2, table.GetSection(0).GetCount());
    EXPECT_EQ(3, table.GetSection(1).GetFirst());
    EXPECT_EQ(1, table.GetSection(1).GetCount());
    EXPECT_EQ("xref\r\n4 2\r\n0000000400 00000 n\r\n0000000500 00000 n\r\n"
              "3 1\r\n0000000300 00000 n\r\n",
              Written(table));

    // An entry that already has an offset stays; SetEntryOffset replaces it.
    table.AddEntry(5, 2, 999, 'f');
    s_crtentry entry = {};
    ASSERT_TRUE(table.FindEntry(5, entry));
    EXPECT_EQ(500, entry.offset);
    table.SetEntryOffset(5, 777);
    ASSERT_TRUE(table.FindEntry(5, entry));
    EXPECT_EQ(777, entry.offset);
    table.SetEntryOffset(100, 1);  // no section: nothing happens
    EXPECT_EQ(6, table.GetSize());
    table.Clear();
    EXPECT_EQ(1, table.GetSize());
}

TEST(PDFCrtTest, FileSectionsMergeWhenCloseAndStaySeparateWhenSparse)
{
    CPDFCrt table;
    table.AddSection(0, 6);
    table.AddSection(10, 2);
    ASSERT_EQ(1, table.GetSectionCount());
    EXPECT_EQ(0, table.GetSection(0).GetFirst());
    EXPECT_EQ(12, table.GetSection(0).GetCount());

    // A subsection far away must not make the table allocate the gap.
    table.AddSection(8000000, 2);
    EXPECT_EQ(2, table.GetSectionCount());
    EXPECT_EQ(14, table.GetEntryCount());
    EXPECT_EQ(8000002, table.GetSize());
    table.AddEntry(8000001, 0, 42, 'n');
    s_crtentry entry = {};
    ASSERT_TRUE(table.FindEntry(8000001, entry));
    EXPECT_EQ(42, entry.offset);
    ASSERT_TRUE(table.FindEntry(11, entry));
    EXPECT_EQ(0, entry.type);
}

TEST(PDFCrtTest, NumbersBeyondThePdfLimitAreRefused)
{
    CPDFCrt table;
    const char* message = "Object can't be added to this crt!";
    EXPECT_EQ(message, ThrownText([&] { table.AddSection(2000000000, 2000000000); }));
    EXPECT_EQ(message, ThrownText([&] { table.AddSection(-1, 3); }));
    EXPECT_EQ(message, ThrownText([&] { table.AddSection(0, kPDFMaxObjectNumber + 2); }));
    EXPECT_EQ(message, ThrownText([&] { table.AddEntry(kPDFMaxObjectNumber + 1, 0, 1, 'n'); }));
    EXPECT_EQ(0, table.GetSectionCount());
}

TEST(PDFCrtTest, SectionsGrownOneByOneAtBothEndsStayCorrectAndCheap)
{
    // One entry at a time at the end of one section and at the front of
    // another, as numbering new objects does: with growth by single entries
    // this took minutes, amortised it takes a moment.
    constexpr int kCount = 400000;
    constexpr int kFrontTop = 2 * kCount + 10;
    const auto start = std::chrono::steady_clock::now();
    CPDFCrt table;
    for (int i = 1; i <= kCount; ++i) {
        table.AddEntry(i, 0, i, 'n');
        table.AddEntry(kFrontTop - i, 1, kFrontTop - i, 'f');
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 20.0);

    ASSERT_EQ(2, table.GetSectionCount());
    EXPECT_EQ(1, table.GetSection(0).GetFirst());
    EXPECT_EQ(kCount, table.GetSection(0).GetCount());
    EXPECT_EQ(kFrontTop - kCount, table.GetSection(1).GetFirst());
    EXPECT_EQ(kCount, table.GetSection(1).GetCount());
    for (int number : {1, 2, kCount / 2, kCount, kFrontTop - kCount, kFrontTop - 2, kFrontTop - 1}) {
        s_crtentry entry = {};
        ASSERT_TRUE(table.FindEntry(number, entry)) << number;
        EXPECT_EQ(number, entry.offset);
        EXPECT_EQ(number, entry.objectNumber);
        EXPECT_EQ(number < kFrontTop - kCount ? 'n' : 'f', entry.type);
    }
    s_crtentry outside = {};
    EXPECT_FALSE(table.FindEntry(kCount + 1, outside));
    EXPECT_FALSE(table.FindEntry(kFrontTop, outside));

    // Growing toward number 0 stops there; a section is still written row by row.
    CPDFCrt low;
    for (int i = 3; i >= 0; --i)
        low.AddEntry(i, 0, 10 + i, 'n');
    EXPECT_EQ("xref\r\n0 4\r\n0000000010 00000 n\r\n0000000011 00000 n\r\n0000000012 00000 n\r\n"
              "0000000013 00000 n\r\n",
              Written(low));
}
