#include "tool/OutputNames.h"

#include "foundation/text/TextException.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

using ZAV::String;

void Touch(const std::string& path)
{
    ZAVTest::WriteText(path, "x");
}

TEST(MakeUniqueFileName, NumbersTakenNamesUpTo999)
{
    ZAVTest::TempDir dir;
    const std::string doc = dir.File("doc.pdf");
    EXPECT_EQ(ZAV::MakeUniqueFileName(String(doc)).ToStdString(), doc);

    Touch(doc);
    for (int n = 1; n <= 5; ++n)
        Touch(dir.File("doc_" + std::to_string(n) + ".pdf"));
    EXPECT_EQ(ZAV::MakeUniqueFileName(String(doc)).ToStdString(), dir.File("doc_6.pdf"));

    // Whatever stands under a name takes it, also what cannot be opened for
    // reading (a folder; for users other than root also a locked file).
    chmod(dir.File("doc_5.pdf").c_str(), 0);
    mkdir(dir.File("doc_6.pdf").c_str(), 0700);
    EXPECT_EQ(ZAV::MakeUniqueFileName(String(doc)).ToStdString(), dir.File("doc_7.pdf"));

    for (int n = 7; n <= 999; ++n)
        Touch(dir.File("doc_" + std::to_string(n) + ".pdf"));
    try {
        ZAV::MakeUniqueFileName(String(doc));
        FAIL() << "999 taken names must fail";
    } catch (const CTextException& e) {
        EXPECT_EQ(std::string(e.GetText()), "Can't find useful unique filename for existing file '" + doc + "'!");
    }
}

TEST(MakeOutputName, FilesGetThePdfExtensionAndFoldersANameOfTheirOwn)
{
    ZAVTest::TempDir dir;
    ASSERT_EQ(mkdir(dir.File("Scans 2008").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.File("Scans 2008/Week-1").c_str(), 0700), 0);
    const std::string folderLetters = String(dir.Path() + "/Scans 2008/").StripNonAlphanumeric().ToStdString();

    EXPECT_EQ(ZAV::MakeOutputName(String(dir.File("scan.tif"))).ToStdString(), dir.File("scan.pdf"));
    EXPECT_EQ(ZAV::MakeOutputName(String(dir.File("Scans 2008/Week-1"))).ToStdString(),
              dir.File("Scans 2008/Week-1/") + folderLetters + "Week1.pdf");
    EXPECT_EQ(ZAV::MakeOutputName(String(dir.File("Scans 2008/Week-1/"))).ToStdString(),
              dir.File("Scans 2008/Week-1/") + folderLetters + "Week1.pdf");

    Touch(dir.File("scan.pdf"));
    EXPECT_EQ(ZAV::MakeOutputName(String(dir.File("scan.tif"))).ToStdString(), dir.File("scan_1.pdf"));
}

TEST(CollectInputFiles, AFileAFolderByMaskOrNothing)
{
    ZAVTest::TempDir dir;
    ASSERT_EQ(mkdir(dir.File("pics").c_str(), 0700), 0);
    ASSERT_EQ(mkdir(dir.File("pics/sub.gif").c_str(), 0700), 0);
    for (const char* name : {"b.gif", "a.JPG", "c.jpg", "a.gif", "notes.txt"})
        Touch(dir.File(std::string("pics/") + name));
    const std::string pics = dir.File("pics/");

    struct Case {
        const char* mask;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"*.gif;*.jpg", {"a.gif", "b.gif", "a.JPG", "c.jpg"}},
        // A file two parts match comes once, at its first place.
        {"a.*;*.gif;;*.JPG", {"a.JPG", "a.gif", "b.gif", "c.jpg"}},
        {"", {"a.JPG", "a.gif", "b.gif", "c.jpg", "notes.txt"}},
        {"*.png", {}},
    };
    for (const Case& c : cases) {
        std::vector<String> files = {String("left over")};
        ZAV::CollectInputFiles(String(dir.File("pics")), String(c.mask), files);
        std::vector<std::string> names;
        for (const String& file : files)
            names.push_back(file.ToStdString());
        std::vector<std::string> expected;
        for (const std::string& name : c.expected)
            expected.push_back(pics + name);
        EXPECT_EQ(names, expected) << c.mask;
    }

    std::vector<String> files = {String("kept")};
    ZAV::CollectInputFiles(String(dir.File("pics/c.jpg")), String("*.gif"), files);
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].ToStdString(), dir.File("pics/c.jpg"));

    try {
        ZAV::CollectInputFiles(String(dir.File("nothing")), String("*.*"), files);
        FAIL();
    } catch (const CTextException& e) {
        EXPECT_EQ(std::string(e.GetText()), "No inputfiles found in '" + dir.File("nothing") + "'!");
    }
}

}  // namespace
