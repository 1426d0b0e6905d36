#include "platform/files/FileMapping.h"

#include "platform/LastError.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

TEST(FileMapping, MapsTheWholeFileReadOnly)
{
    ZAVTest::TempDir dir;
    std::string bytes(70000, 'q');
    bytes[0] = 'A';
    bytes[69999] = 'Z';
    ZAVTest::WriteText(dir.File("f"), bytes);

    MappedFileView view;
    ASSERT_EQ(MapFileReadOnly(dir.File("f").c_str(), view), FileMapStep::Done);
    ASSERT_EQ(view.size, bytes.size());
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(view.data), bytes.size()), bytes);
    UnmapFileView(view);
    EXPECT_EQ(view.data, nullptr);
    EXPECT_EQ(view.size, 0u);
    UnmapFileView(view);  // an empty view is left alone
}

TEST(FileMapping, FailuresNameTheStepAndTheReason)
{
    ZAVTest::TempDir dir;
    ZAVTest::WriteText(dir.File("empty"), "");
    struct Case {
        std::string path;
        FileMapStep step;
        DWORD error;
    };
    const Case cases[] = {
        {dir.File("missing"), FileMapStep::OpenFailed, ERROR_FILE_NOT_FOUND},
        {dir.File("empty") + "/below", FileMapStep::OpenFailed, ERROR_PATH_NOT_FOUND},
        {dir.Path(), FileMapStep::OpenFailed, ERROR_ACCESS_DENIED},
        {"", FileMapStep::OpenFailed, ERROR_INVALID_PARAMETER},
        {dir.File("empty"), FileMapStep::MappingFailed, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        SetLastError(0);
        MappedFileView view;
        EXPECT_EQ(MapFileReadOnly(c.path.c_str(), view), c.step) << c.path;
        EXPECT_EQ(GetLastError(), c.error) << c.path;
        EXPECT_EQ(view.data, nullptr) << c.path;
    }
}
