// Interactive form fields read from files: types, inherited names, flags,
// values, the field tree, and reading that leaves the document unchanged.
#include <gtest/gtest.h>

#include <boost/make_shared.hpp>

#include <sstream>
#include <string>

#include "PDFTestFiles.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/forms/PDFFormDict.h"
#include "pdf/forms/PDFFormField.h"
#include "pdf/objects/PDFName.h"
#include "pdf/objects/PDFObject.h"
#include "pdf/objects/PDFRef.h"
#include "pdf/objects/PDFString.h"
#include "support/ThrownText.h"

using namespace ZAVPDF;
using ZAVTest::ThrownText;

namespace {

// A one-page file whose form lists the given fields; the field bodies are
// objects 4, 5, ...
std::string FormFile(const std::string& fields, const std::vector<std::string>& bodies)
{
    PDFTest::FileBuilder file;
    file.Add("<< /Type /Catalog /Pages 2 0 R /AcroForm << /Fields [" + fields + "] >> >>");
    file.Add("<< /Type /Pages /Kids [3 0 R] /Count 1 >>");
    file.Add("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 100] >>");
    for (const std::string& body : bodies)
        file.Add(body);
    return file.Build();
}

boost::shared_ptr<CPDFFormDict> Form(const PDFTest::OpenedFile& opened)
{
    return opened.document->GetAcroForm();
}

TEST(PDFForm, TextFieldWithNameAndValue)
{
    std::string bytes = FormFile("4 0 R", {"<< /FT /Tx /T (name) /V (abc) /Ff 3 >>"});
    PDFTest::OpenedFile opened(bytes, 1);
    ASSERT_EQ("", opened.error);
    ASSERT_TRUE(Form(opened));
    ASSERT_EQ(1, Form(opened)->GetFieldCount());
    boost::shared_ptr<CPDFAcroForm> field = Form(opened)->GetFields()[0];
    EXPECT_TRUE(boost::dynamic_pointer_cast<CPDFAcroText>(field));
    EXPECT_EQ("name", field->GetName());
    EXPECT_EQ("/Tx", field->GetFieldType());
    EXPECT_EQ(aftText, field->GetTypeCode());
    EXPECT_EQ(3, field->GetFlags());
    std::ostringstream dump;
    field->Dump(dump);
    EXPECT_EQ("Name: 'name'\n"
              "Alternate Name: ''\n"
              "Value: '(abc)'\n"
              "dictionary <<\r\n/FT/Tx\r\n/T (name)\r\n/V (abc)\r\n/Ff 3>>\n"
              "Number of kids: 0\n",
              dump.str());
}

TEST(PDFForm, KidsInheritTypeAndNames)
{
    std::string bytes = FormFile("4 0 R", {"<< /FT /Btn /T (p) /TU (alt) /Kids [5 0 R 6 0 R] >>", "<< /Parent 4 0 R >>",
                                           "<< /Parent 4 0 R /T (own) /FT /Ch >>"});
    PDFTest::OpenedFile opened(bytes, 1);
    ASSERT_EQ("", opened.error);
    boost::shared_ptr<CPDFAcroForm> parent = Form(opened)->GetFields()[0];
    ASSERT_EQ(2, parent->GetKidCount());
    boost::shared_ptr<CPDFAcroForm> inherited = parent->GetKid(0);
    EXPECT_TRUE(boost::dynamic_pointer_cast<CPDFAcroButton>(inherited));
    EXPECT_EQ("p", inherited->GetName());
    EXPECT_EQ("alt", inherited->GetAlternateName());
    EXPECT_EQ(parent, inherited->GetParent());
    boost::shared_ptr<CPDFAcroForm> own = parent->GetKid(1);
    EXPECT_TRUE(boost::dynamic_pointer_cast<CPDFAcroChoice>(own));
    EXPECT_EQ("own", own->GetName());
    for (int index : {-1, 2})
        EXPECT_EQ(ThrownText([&] { parent->GetKid(index); }), "Kid index out of bounds!") << index;
}

TEST(PDFForm, FieldTable)
{
    struct Case {
        std::string field;
        std::string message;  // "" when the form reads
    } cases[] = {
        {"<< /FT /Foo /T (x) >>", "Type of the acro form field is unknown '/Foo'"},
        {"<< /FT /Tx /Ff 1.5 >>", "Flags object in dictionary has invalid type (is number but not not integer)"},
        {"<< /FT /Tx /Ff (3) >>", "Requested object '/Ff' has different type"},
        {"<< /FT (Tx) >>", "Requested object '/FT' has different type"},
        {"<< /FT /Tx /T /Name >>", "Requested object '/T' has different type"},
        {"<< /FT /Tx /Kids [1] >>", "Kid dictionary has invalid object type(is not dictionary)"},
        {"<< /FT /Sig /V (s) >>", ""},
        {"<< /FT /Tx /V /Name >>", ""},
        {"<< /FT /Tx /V 3 0 R /DV [1 2] >>", ""},
        {"<< /T (no type) >>", ""},
    };
    for (const Case& c : cases) {
        PDFTest::OpenedFile opened(FormFile("4 0 R", {c.field}), 1);
        EXPECT_EQ(c.message.empty() ? "" : "Can't parse PDF file! " + c.message, opened.error) << c.field;
    }
}

TEST(PDFForm, ReadingLeavesTheDocumentUnchanged)
{
    const std::string field = "<< /FT /Tx /T (name) /V (abc) /DV (d) /Kids [5 0 R] >>";
    const std::string kid = "<< /Parent 4 0 R /V 6 0 R >>";
    std::string bytes = FormFile("4 0 R", {field, kid, "(shared)"});
    PDFTest::OpenedFile plain(bytes, 0);
    PDFTest::OpenedFile withForm(bytes, 1);
    ASSERT_EQ("", withForm.error);
    for (int number : {4, 5}) {
        boost::shared_ptr<CPDFRef> a = boost::make_shared<CPDFRef>(plain.document.get(), number, 0);
        boost::shared_ptr<CPDFRef> b = boost::make_shared<CPDFRef>(withForm.document.get(), number, 0);
        CPDFObjectBase* read = b->GetReferencedObject(nullptr, false)->GetInnerObject().get();
        CPDFObjectBase* untouched = a->GetReferencedObject(nullptr, false)->GetInnerObject().get();
        // The same entries (resolved references write their targets' new numbers).
        EXPECT_EQ(static_cast<CPDFDictionary*>(untouched)->GetOriginalKeys(),
                  static_cast<CPDFDictionary*>(read)->GetOriginalKeys());
        EXPECT_FALSE(static_cast<CPDFDictionary*>(read)->HasKey("/AP"));
        EXPECT_FALSE(read->IsModified());
    }
    boost::shared_ptr<CPDFAcroForm> top = Form(withForm)->GetFields()[0];
    EXPECT_FALSE(top->IsModified());
    EXPECT_FALSE(top->GetKid(0)->IsModified());
    EXPECT_FALSE(top->GetAppearance());
    EXPECT_EQ("(shared)", top->GetKid(0)->GetValue()->ToPDFString());

    // Setting a value is a change: it is written into the dictionary.
    top->SetValue(CreatePDFString(withForm.document.get(), "new", false));
    EXPECT_TRUE(top->IsModified());
    EXPECT_TRUE(top->GetFieldDictionary()->EntryTextEquals("/V", "(new)"));

    CPDFAcroText loose(0, boost::shared_ptr<CPDFAcroForm>());
    EXPECT_EQ(ThrownText([&] { loose.SetValue(CreatePDFString(withForm.document.get(), "x", false)); }),
              "No dictionary is present. Can't set value anywhere");
}

TEST(PDFForm, AppearanceDictionaryIsWrapped)
{
    std::string bytes = FormFile("4 0 R", {"<< /FT /Btn /AP << /N << /On 5 0 R >> /D 5 0 R >> >>", "<< >>"});
    PDFTest::OpenedFile opened(bytes, 1);
    ASSERT_EQ("", opened.error);
    boost::shared_ptr<CPDFAppearanceDict> appearance = Form(opened)->GetFields()[0]->GetAppearance();
    ASSERT_TRUE(appearance);
    EXPECT_NE(nullptr, appearance->GetNormal());
    EXPECT_EQ(nullptr, appearance->GetRollover());
    EXPECT_NE(nullptr, appearance->GetDown());
    EXPECT_EQ(ThrownText([] { CPDFAppearanceDict none(nullptr); }), "Appearance dict needs a dictionary");
}

TEST(PDFForm, CyclesAndOddEntriesEndTheWalk)
{
    // 4 and 5 are each other's kid; the /Fields entries that are no
    // indirect dictionaries are passed over.
    std::string bytes = FormFile("4 0 R 1 (x) << /FT /Tx >> 6 0 R",
                                 {"<< /FT /Tx /T (a) /Kids [5 0 R] >>", "<< /T (b) /Kids [4 0 R] >>", "[1 2]"});
    PDFTest::OpenedFile opened(bytes, 1);
    ASSERT_EQ("", opened.error);
    ASSERT_EQ(1, Form(opened)->GetFieldCount());
    boost::shared_ptr<CPDFAcroForm> a = Form(opened)->GetFields()[0];
    ASSERT_EQ(1, a->GetKidCount());
    EXPECT_EQ("b", a->GetKid(0)->GetName());
    EXPECT_EQ(0, a->GetKid(0)->GetKidCount());
}

TEST(PDFForm, FilesWithoutFormOpenWhenFormsAreRead)
{
    PDFTest::OpenedFile opened(PDFTest::PagesFile(1).Build(), 1);
    EXPECT_EQ("", opened.error);
    EXPECT_FALSE(opened.document->GetAcroForm());

    PDFTest::OpenedFile directFields(FormFile("", {}), 1);
    EXPECT_EQ("", directFields.error);
    EXPECT_EQ(0, Form(directFields)->GetFieldCount());
}

}  // namespace
