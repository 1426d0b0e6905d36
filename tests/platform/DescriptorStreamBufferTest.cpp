#include "platform/files/DescriptorStreamBuffer.h"

#include "platform/files/AtomicFile.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <ostream>
#include <stdexcept>
#include <unistd.h>

namespace {

// Small pieces, one character at a time, and pieces larger than the buffer,
// in turn: the file holds them in order and the stream's position counts
// every byte handed to it.
TEST(DescriptorStreamBuffer, MixedWritesArriveInOrderAndThePositionCountsThem)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("out");
    const int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    std::string expected;
    {
        CDescriptorStreamBuffer buffer(fd);
        std::ostream stream(&buffer);
        for (int round = 0; round < 3; ++round) {
            const std::string line = "obj " + std::to_string(round) + "\r\n";
            stream << line;
            expected += line;
            stream.put('x');
            expected += 'x';
            const std::string large(200000 + round * 70001, static_cast<char>('a' + round));
            stream.write(large.data(), static_cast<std::streamsize>(large.size()));
            expected += large;
            const std::string medium(40000, static_cast<char>('A' + round));
            stream.write(medium.data(), static_cast<std::streamsize>(medium.size()));
            expected += medium;
            EXPECT_EQ(static_cast<std::streamoff>(expected.size()), static_cast<std::streamoff>(stream.tellp()));
        }
        // The end is where writing goes on: the cross-reference table's offset.
        stream.seekp(0, std::ios_base::end);
        EXPECT_TRUE(stream.good());
        EXPECT_EQ(static_cast<std::streamoff>(expected.size()), static_cast<std::streamoff>(stream.tellp()));
        stream.flush();
        EXPECT_EQ(0, buffer.GetFailure());
    }
    close(fd);
    EXPECT_EQ(expected, ZAVTest::ReadText(name));
}

TEST(DescriptorStreamBuffer, GoingBackIsRefused)
{
    ZAVTest::TempDir dir;
    const int fd = open(dir.File("out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(fd, 0);
    {
        CDescriptorStreamBuffer buffer(fd);
        std::ostream stream(&buffer);
        stream << "header";
        stream.seekp(2);
        EXPECT_TRUE(stream.fail());
    }
    close(fd);
}

// A full disk: the stream fails and the buffer keeps the system's reason.
TEST(DescriptorStreamBuffer, AFailedWriteFailsTheStreamWithItsReason)
{
    const int fd = open("/dev/full", O_WRONLY);
    ASSERT_GE(fd, 0);
    {
        CDescriptorStreamBuffer buffer(fd);
        std::ostream stream(&buffer);
        const std::string large(300000, 'z');
        stream.write(large.data(), static_cast<std::streamsize>(large.size()));
        stream << "more";
        stream.flush();
        EXPECT_TRUE(stream.bad());
        EXPECT_EQ(ENOSPC, buffer.GetFailure());
    }
    close(fd);
}

// Content written through the descriptor: on success it replaces the file;
// a reported failure or an exception leaves the old content and no
// temporary file.
TEST(AtomicFile, ContentWrittenThroughTheDescriptorReplacesTheFileOnlyOnSuccess)
{
    ZAVTest::TempDir dir;
    const std::string name = dir.File("doc.pdf");
    ZAVTest::WriteText(name, "old");
    const auto writeNew = [](int fd) { return write(fd, "new", 3) == 3 ? 0 : errno; };
    EXPECT_EQ(ENOSPC, ReplaceFileAtomically(
                          name, [&](int fd) { return writeNew(fd) == 0 ? ENOSPC : EIO; }, 0666));
    EXPECT_EQ("old", ZAVTest::ReadText(name));
    EXPECT_THROW(ReplaceFileAtomically(
                     name,
                     [&](int fd) -> int {
                         writeNew(fd);
                         throw std::runtime_error("writer failed");
                     },
                     0666),
                 std::runtime_error);
    EXPECT_EQ("old", ZAVTest::ReadText(name));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
    EXPECT_EQ(0, ReplaceFileAtomically(name, writeNew, 0666));
    EXPECT_EQ("new", ZAVTest::ReadText(name));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Path()), {}));
}

}  // namespace
