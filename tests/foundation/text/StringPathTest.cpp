#include "foundation/text/String.h"

#include <gtest/gtest.h>

using ZAV::String;

TEST(StringPath, SplitsAtSlashAndBackslash)
{
    const struct {
        const char* path;
        const char* directory;
        const char* name;
        const char* extension;
    } cases[] = {
        {"/home/scans/page1.jpg", "/home/scans/", "page1", "jpg"},
        {"C:\\dir\\file.ext", "C:\\dir\\", "file", "ext"},
        {"scans\\sub/file.tar.gz", "scans\\sub/", "file.tar", "gz"},
        {"page1.jpg", "", "page1", "jpg"},
        {"/home/my.folder/README", "/home/my.folder/", "README", ""},
        {"/home/scans/", "/home/scans/", "", ""},
        {"", "", "", ""},
    };
    for (const auto& c : cases) {
        String drive("x"), directory, name, extension;
        ZAV::SplitPath(c.path, &drive, &directory, &name, &extension);
        EXPECT_STREQ(drive.GetText(), "") << c.path;
        EXPECT_STREQ(directory.GetText(), c.directory) << c.path;
        EXPECT_STREQ(name.GetText(), c.name) << c.path;
        EXPECT_STREQ(extension.GetText(), c.extension) << c.path;
        EXPECT_STREQ(ZAV::GetPathDirectory(c.path).GetText(), c.directory) << c.path;
        EXPECT_STREQ(ZAV::GetPathFileName(c.path, true).GetText(), c.name) << c.path;
        EXPECT_STREQ(ZAV::GetPathExtension(c.path).GetText(), c.extension) << c.path;
    }
    ZAV::SplitPath("/a/b.c", nullptr, nullptr, nullptr, nullptr);  // every output may be left out
}

TEST(StringPath, FileNameAndExtensionReplacement)
{
    EXPECT_STREQ(ZAV::GetPathFileName("/x/scan.tif").GetText(), "scan.tif");
    EXPECT_STREQ(ZAV::GetPathFileName("/x/scan").GetText(), "scan");
    EXPECT_STREQ(ZAV::SetPathExtension("/x/scan.tif", "pdf").GetText(), "/x/scan.pdf");
    EXPECT_STREQ(ZAV::SetPathExtension("C:\\x\\scan.tif", "pdf").GetText(), "C:\\x\\scan.pdf");
    // A name without extension gets one rather than coming back unchanged,
    // which would make an output name equal to its input.
    EXPECT_STREQ(ZAV::SetPathExtension("/x/scan", "pdf").GetText(), "/x/scan.pdf");
    EXPECT_STREQ(ZAV::SetPathExtension("/x.d/scan", "pdf").GetText(), "/x.d/scan.pdf");
}

TEST(StringPath, TrailingSeparators)
{
    const struct {
        const char* text;
        bool keepDrive;
        bool result;
        const char* after;
    } adds[] = {
        {"/tmp", false, true, "/tmp/"},   {"/tmp/", false, true, "/tmp/"}, {"dir\\", false, true, "dir\\"},
        {"", false, true, "/"},           {"C:", true, false, "C:"},      {"C:", false, true, "C:/"},
    };
    for (const auto& c : adds) {
        String s(c.text);
        EXPECT_EQ(s.AddTrailingBackslash(c.keepDrive), c.result) << c.text;
        EXPECT_STREQ(s.GetText(), c.after) << c.text;
    }

    const struct {
        const char* text;
        bool keepRoot;
        bool result;
        const char* after;
    } removes[] = {
        {"/tmp/", false, true, "/tmp"}, {"dir\\", false, true, "dir"}, {"/tmp", false, false, "/tmp"},
        {"", false, false, ""},          {"/", true, false, "/"},       {"/", false, true, ""},
        {"C:\\", true, false, "C:\\"},   {"/a//", false, true, "/a/"},
    };
    for (const auto& c : removes) {
        String s(c.text);
        EXPECT_EQ(s.RemoveTrailingBackslash(c.keepRoot), c.result) << c.text;
        EXPECT_STREQ(s.GetText(), c.after) << c.text;
    }
}
