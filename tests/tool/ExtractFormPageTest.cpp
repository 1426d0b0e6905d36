// extractpage on a page with filled form fields: the copy keeps the form the
// widgets belong to, however the source writes its annotations and defaults.
// qpdf reads the form of source and copy, pdftoppm draws both.
#include "ProgramRunner.h"
#include "interfaces/PdfFileBuilder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using ZAVTest::ShellQuote;
using ZAVToolTest::ProgramRunner;

struct FormCase {
    const char* name;
    // /Annots as an indirect array, /DR as an object of its own, and the
    // structure tree of a tagged document.
    bool tagged;
    // The form's default appearance /DA.
    bool withDa;
};

std::string Ref(int number)
{
    return std::to_string(number) + " 0 R";
}

// One page with a text field (its widget a kid of the field), a list, a
// combo box and a radio group, all with values. The values draw only through
// the form: /NeedAppearances true and a font that only /DR names.
std::string MakeFormPdf(const std::string& path, const FormCase& c, bool withForm)
{
    ZAVTest::PdfFileBuilder pdf;
    const int catalog = pdf.Reserve();
    const int pages = pdf.Reserve();
    const int page = pdf.Reserve();
    const int helv = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica /Encoding /WinAnsiEncoding >>");
    const int cour = pdf.Add("<< /Type /Font /Subtype /Type1 /BaseFont /Courier-Bold /Encoding /WinAnsiEncoding >>");
    const std::string dr = "<< /Font << /Cour " + Ref(cour) + " >> >>";
    const std::string widget = "/Type /Annot /Subtype /Widget /F 4 /DA (/Cour 14 Tf 0 g) /P " + Ref(page) + " ";

    const int text = pdf.Reserve();
    const int textWidget =
        pdf.Add("<< " + widget + "/Parent " + Ref(text) + " /Rect [20 700 250 730] /StructParent 1 >>");
    pdf.Set(text, "<< /FT /Tx /T (name) /V (Filled value) /Kids [" + Ref(textWidget) + "] >>");
    const int list =
        pdf.Add("<< " + widget + "/FT /Ch /T (list) /Opt [(One) (Two) (Three)] /V (Two) /Rect [20 600 250 660] >>");
    const int combo = pdf.Add(
        "<< " + widget + "/FT /Ch /Ff 131072 /T (combo) /Opt [(Red) (Green)] /V (Green) /Rect [20 540 250 570] >>");
    const int radio = pdf.Reserve();
    const int on = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 20 20]", "0 g 4 4 12 12 re f");
    const int off = pdf.AddStream("/Type /XObject /Subtype /Form /BBox [0 0 20 20]", "0 G 1 1 18 18 re S");
    auto radioKid = [&](const char* state, bool chosen, int x) {
        return pdf.Add("<< " + widget + "/Parent " + Ref(radio) + " /AP << /N << /" + state + " " + Ref(on) + " /Off " +
                       Ref(off) + " >> >> /AS /" + (chosen ? state : "Off") + " /Rect [" + std::to_string(x) + " 480 " +
                       std::to_string(x + 20) + " 500] >>");
    };
    const int first = radioKid("A", false, 20);
    const int second = radioKid("B", true, 60);
    pdf.Set(radio, "<< /FT /Btn /Ff 49152 /T (radio) /V /B /Kids [" + Ref(first) + " " + Ref(second) + "] >>");

    const std::string annotations =
        "[" + Ref(textWidget) + " " + Ref(list) + " " + Ref(combo) + " " + Ref(first) + " " + Ref(second) + "]";
    const int content = pdf.AddStream("", "BT /Helv 18 Tf 20 760 Td (Form page) Tj ET");
    pdf.Set(page, "<< /Type /Page /Parent " + Ref(pages) + " /MediaBox [0 0 300 800] /Resources << /Font << /Helv " +
                      Ref(helv) + " >> >> /Contents " + Ref(content) + " /Annots " +
                      (c.tagged ? Ref(pdf.Add(annotations)) : annotations) + (c.tagged ? " /StructParents 0" : "") +
                      " >>");
    pdf.Set(pages, "<< /Type /Pages /Kids [" + Ref(page) + "] /Count 1 >>");

    std::string form = "<< /Fields [" + Ref(text) + " " + Ref(list) + " " + Ref(combo) + " " + Ref(radio) +
                       "] /NeedAppearances true /DR " + (c.tagged ? Ref(pdf.Add(dr)) : dr) +
                       (c.withDa ? " /DA (/Cour 10 Tf 0 g)" : "") + " >>";
    std::string root = "<< /Type /Catalog /Pages " + Ref(pages);
    if (withForm)
        root += " /AcroForm " + form;
    if (c.tagged)
        root += " /MarkInfo << /Marked true >> /StructTreeRoot " + Ref(pdf.Add("<< /Type /StructTreeRoot /K [] >>"));
    pdf.Set(catalog, root + " >>");
    ZAVTest::WriteText(path, pdf.Build(catalog, 0, "1.7"));
    return path;
}

std::string Output(const std::string& commandLine)
{
    auto result = ZAVTest::Run(commandLine);
    EXPECT_EQ(result.exitCode, 0) << commandLine << "\n" << result.output;
    return result.output;
}

std::string FormSummary(const std::string& pdf)
{
    return Output("/usr/bin/python3 " + ShellQuote(ZAVTest::DataPath("forms/form_summary.py")) + " " + ShellQuote(pdf));
}

std::string Render(const ProgramRunner& runner, const std::string& pdf, const std::string& stem)
{
    Output("pdftoppm -r 36 -gray " + ShellQuote(pdf) + " " + ShellQuote(runner.File(stem)));
    return ZAVTest::ReadText(runner.File(stem + "-1.pgm"));
}

class ExtractFormPage : public ::testing::TestWithParam<FormCase> {};

TEST_P(ExtractFormPage, TheCopyKeepsTheFormOfItsWidgets)
{
    ASSERT_TRUE(ZAVTest::HaveTool("qpdf"));
    ASSERT_TRUE(ZAVTest::HaveTool("pdftoppm"));
    ASSERT_TRUE(ZAVTest::HaveTool("/usr/bin/python3"));
    const FormCase& c = GetParam();
    ProgramRunner runner;
    const std::string source = MakeFormPdf(runner.File("form.pdf"), c, true);
    const std::string copy = runner.File("page.pdf");
    auto result = runner.Run({"-p", "-f", source, "-g", "1", "-z", copy});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    Output("qpdf --check " + ShellQuote(copy));

    // The same form: its defaults (the /DR fonts followed through their
    // references), and every field with its parent, value and page.
    const std::string form = FormSummary(source);
    const std::string expected =
        std::string(c.withDa ? "/DA \"u:/Cour 10 Tf 0 g\"\n" : "") +
        "/DR {\"/Font\": {\"/Cour\": {\"/BaseFont\": \"/Courier-Bold\", "
        "\"/Encoding\": \"/WinAnsiEncoding\", \"/Subtype\": \"/Type1\", \"/Type\": \"/Font\"}}}\n"
        "/NeedAppearances true\n"
        "/Fields [\"u:name\", \"u:list\", \"u:combo\", \"u:radio\"]\n"
        "field name /Tx \"u:Filled value\" with parent page 1 state \n"
        "field list /Ch \"u:Two\" top page 1 state \n"
        "field combo /Ch \"u:Green\" top page 1 state \n"
        "field radio /Btn \"/B\" with parent page 1 state /Off\n"
        "field radio /Btn \"/B\" with parent page 1 state /B\n";
    ASSERT_EQ(form, expected);
    EXPECT_EQ(FormSummary(copy), form);

    // The values draw as in the source, which they would not without the form.
    const std::string drawn = Render(runner, source, "source");
    ASSERT_TRUE(Render(runner, MakeFormPdf(runner.File("formless.pdf"), c, false), "formless") != drawn);
    EXPECT_TRUE(Render(runner, copy, "copy") == drawn);
}

INSTANTIATE_TEST_SUITE_P(Forms, ExtractFormPage,
                         ::testing::Values(FormCase{"Tagged", true, false}, FormCase{"PlainWithDa", false, true}),
                         [](const ::testing::TestParamInfo<FormCase>& info) { return info.param.name; });

}  // namespace
