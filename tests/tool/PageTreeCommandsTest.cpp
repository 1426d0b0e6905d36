// extractpage and syntaxcheck on a page tree of several levels: the pages
// that opening lists unread give the same outputs, byte for byte, as pages
// the parser reads when the tree is read (forced by a comment inside each
// page dictionary, which changes no object).
#include "ProgramRunner.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace {

using ZAVToolTest::ProgramRunner;
using ZAVToolTest::ReadLines;

const int kPageCount = 7;

// Catalog, a root with two subtrees (one of them two levels deep), inherited
// /MediaBox, /Resources and /Rotate, a shared font and a content stream per
// page. readAtOnce puts a comment into every page dictionary.
std::string TreeDocument(bool readAtOnce)
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int root = pdf.Reserve();
    const int left = pdf.Reserve();
    const int deep = pdf.Reserve();
    const int right = pdf.Reserve();
    const int font = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    const auto ref = [](int number) { return std::to_string(number) + " 0 R"; };
    std::vector<int> pages;
    for (int i = 0; i < kPageCount; ++i) {
        const int content = pdf.AddStream("", "BT /F1 18 Tf 20 20 Td (Page " + std::to_string(i + 1) + ") Tj ET");
        const int parent = i == 0 || i == 4 ? left : i < 4 ? deep : right;
        const std::string opening = readAtOnce ? "<< % read with the tree\n/Type /Page" : "<< /Type /Page";
        pages.push_back(pdf.Add(opening + " /Parent " + ref(parent) + " /Contents " + ref(content) +
                                (i == 3 ? " /Rotate 180 /MediaBox [0 0 144 144]" : "") + " >>"));
    }
    pdf.Set(deep, "<< /Type /Pages /Parent " + ref(left) + " /Kids [" + ref(pages[1]) + " " + ref(pages[2]) + " " +
                      ref(pages[3]) + "] /Count 3 /Rotate 90 >>");
    pdf.Set(left, "<< /Type /Pages /Parent " + ref(root) + " /Kids [" + ref(pages[0]) + " " + ref(deep) + " " +
                      ref(pages[4]) + "] /Count 5 /Resources << /Font << /F1 " + ref(font) + " >> >> >>");
    pdf.Set(right, "<< /Type /Pages /Parent " + ref(root) + " /Kids [" + ref(pages[5]) + " " + ref(pages[6]) +
                       "] /Count 2 /Resources << /Font << /F1 " + ref(font) + " >> >> >>");
    pdf.Set(root, "<< /Type /Pages /Kids [" + ref(left) + " " + ref(right) + "] /Count 7 /MediaBox [0 0 200 300] >>");
    pdf.Set(catalog, "<< /Type /Catalog /Pages " + ref(root) + " >>");
    return pdf.Build(catalog);
}

std::string Bytes(const std::string& path)
{
    const std::vector<uint8_t> bytes = ZAVTest::ReadBytes(path);
    return std::string(bytes.begin(), bytes.end());
}

// A written document carries the time of its run.
std::string WithoutDates(const std::string& text)
{
    return std::regex_replace(text, std::regex("\\(D:[0-9]{14}\\)"), "(D:DATE)");
}

// A log's lines; a document without dates of its own shows the run's.
std::vector<std::string> LogLines(const std::string& path)
{
    std::vector<std::string> lines = ReadLines(path);
    for (std::string& line : lines)
        line = std::regex_replace(line, std::regex("Date - 'D:[0-9]{14}'"), "Date - 'D:DATE'");
    return lines;
}

// The command's outputs on one variant of the document, under one name.
struct Outputs {
    std::vector<std::string> pages;  // extractpage's copy of each page
    std::vector<std::string> log;    // syntaxcheck's log
    std::string texts;               // syntaxcheck's page text file
};

// Both variants are run under one name, so that the logs can be compared.
Outputs RunCommands(const ProgramRunner& runner, bool readAtOnce)
{
    const std::string document = runner.File("tree.pdf");
    const std::string variant = readAtOnce ? "read" : "listed";
    ZAVTest::WriteText(document, TreeDocument(readAtOnce));
    Outputs outputs;
    for (int page = 1; page <= kPageCount; ++page) {
        const std::string copy = runner.File(variant + std::to_string(page) + ".pdf");
        const auto result = runner.Run({"-p", "-f", document, "-g", std::to_string(page), "-z", copy});
        EXPECT_EQ(0, result.exitCode) << result.err;
        outputs.pages.push_back(WithoutDates(Bytes(copy)));
    }
    const std::string texts = runner.File("tree_Content.txt");
    std::remove(texts.c_str());
    const auto result = runner.Run({"-s", "-f", document, "-o", runner.File(variant + ".txt")});
    EXPECT_EQ(0, result.exitCode) << result.err;
    outputs.log = LogLines(runner.File(variant + ".txt"));
    outputs.texts = Bytes(texts);
    return outputs;
}

TEST(PageTreeCommands, PagesReadWhenUsedGiveTheOutputsOfPagesReadAtOnce)
{
    ProgramRunner runner;
    const Outputs listed = RunCommands(runner, false);
    const Outputs read = RunCommands(runner, true);
    ASSERT_EQ(static_cast<size_t>(kPageCount), listed.pages.size());
    for (int page = 0; page < kPageCount; ++page) {
        EXPECT_EQ(read.pages[page], listed.pages[page]) << page + 1;
        EXPECT_NE(std::string::npos, listed.pages[page].find("(Page " + std::to_string(page + 1) + ") Tj"));
    }
    // The inherited attributes travel with the page.
    EXPECT_NE(std::string::npos, listed.pages[3].find("/Rotate 180"));
    EXPECT_NE(std::string::npos, listed.pages[2].find("/Rotate 90"));
    EXPECT_NE(std::string::npos, listed.pages[6].find("/Helvetica"));

    // The objects no page reaches are listed in the order they were read,
    // which differs between the two; the lines themselves do not.
    const auto remaining = [](std::vector<std::string> log) {
        const auto head = std::find(log.begin(), log.end(), "Listing all remaining objects ");
        std::sort(head, log.end());
        return log;
    };
    EXPECT_EQ(remaining(read.log), remaining(listed.log));
    EXPECT_EQ(read.texts, listed.texts);
    EXPECT_NE(std::string::npos, listed.texts.find("Page 6:\nBT /F1 18 Tf 20 20 Td (Page 7) Tj ET\n\n\n"));
}

// Two runs on one file write the same log, the remaining objects included.
TEST(PageTreeCommands, SyntaxCheckWritesTheSameLogEveryRun)
{
    ProgramRunner runner;
    const std::string document = runner.File("tree.pdf");
    ZAVTest::WriteText(document, TreeDocument(false));
    std::vector<std::vector<std::string>> logs;
    for (int run = 0; run < 2; ++run) {
        const std::string log = runner.File("log" + std::to_string(run) + ".txt");
        ASSERT_EQ(0, runner.Run({"-s", "-f", document, "-o", log}).exitCode);
        logs.push_back(LogLines(log));
    }
    EXPECT_EQ(logs[0], logs[1]);
}

}  // namespace
