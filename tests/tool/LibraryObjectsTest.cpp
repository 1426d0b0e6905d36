#include "tool/LibraryObjects.h"

#include "foundation/files/FileUtils.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

using namespace ZAV;

TEST(LibraryObjects, PluginPathsLieBesideTheProgramOrAreAPlaceholder)
{
    const std::string folder = GetModuleDirectory(nullptr).ToStdString();
    const std::string j2k = folder + "ZAVJ2k20.so";
    ASSERT_FALSE(ZAVTest::FileExists(j2k)) << "the test puts its own file there";
    EXPECT_EQ(J2kPluginPath().ToStdString(), "c:\\YourPath\\ZAVJ2k20.so");

    ZAVTest::WriteText(j2k, "not a library");
    EXPECT_EQ(J2kPluginPath().ToStdString(), j2k);
    std::remove(j2k.c_str());

    // The document object only keeps the names; a missing plug-in is no failure.
    CLogFile log;
    log.SetFileName(String("run.log"));
    CZAVPtr<IZAVPdfDocumentSp> document = CreatePdfDocument(log);
    EXPECT_EQ(document->GetJpeg2000PluginPath(), J2kPluginPath().ToStdString());
    EXPECT_EQ(document->GetJbig2PluginPath(), JbgPluginPath().ToStdString());
    EXPECT_EQ(document->GetLogFileName(), "run.log");
    EXPECT_EQ(document->GetRefCount(), 1);
}

}  // namespace
