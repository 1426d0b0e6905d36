#include "foundation/containers/ChunkBuffer.h"

#include <gtest/gtest.h>

#include <string>

using ZAV::CArraySimple;
using ZAV::CChunkBuffer;

namespace {

std::string Contents(const CChunkBuffer& buffer)
{
    CArraySimple<unsigned char, 1> bytes;
    buffer.CopyTo(bytes);
    return std::string(reinterpret_cast<const char*>(bytes.GetData()), static_cast<size_t>(bytes.GetSize()));
}

}  // namespace

TEST(ChunkBuffer, AppendsAcrossChunkBoundariesWithoutLosingBytes)
{
    struct Case {
        size_t chunkSize;
        std::vector<std::string> pieces;
        size_t chunks;
    };
    const Case cases[] = {
        {4, {"abcd"}, 1},                 // exactly one full chunk
        {4, {"abcde"}, 2},                // one byte over
        {4, {"ab", "cdef", "ghij"}, 3},   // pieces straddling boundaries
        {1, {"xyz"}, 3},                  // one byte a chunk
        {100000, {"short"}, 1},
    };
    for (const Case& c : cases) {
        CChunkBuffer buffer(c.chunkSize);
        std::string expected;
        for (const std::string& piece : c.pieces) {
            buffer.Append(piece.data(), piece.size());
            expected += piece;
        }
        SCOPED_TRACE(expected);
        EXPECT_EQ(buffer.GetSize(), expected.size());
        EXPECT_EQ(buffer.GetChunkCount(), c.chunks);
        EXPECT_EQ(Contents(buffer), expected);
    }
}

TEST(ChunkBuffer, CharsStringsAndReset)
{
    CChunkBuffer buffer(3);
    buffer.AppendString("ab");
    buffer.AppendChar('c');
    buffer.AppendString(nullptr);
    buffer.AppendString("");
    buffer.AppendChar('\0');
    EXPECT_EQ(Contents(buffer), std::string("abc\0", 4));

    buffer.Reset();
    EXPECT_EQ(buffer.GetSize(), 0u);
    EXPECT_EQ(buffer.GetChunkCount(), 0u);
    buffer.AppendString("again");
    EXPECT_EQ(Contents(buffer), "again");
}

TEST(ChunkBuffer, CopyToEmptiesTheTargetFirst)
{
    CArraySimple<unsigned char, 1> bytes;
    CChunkBuffer filled(8);
    filled.AppendString("old bytes");
    filled.CopyTo(bytes);
    ASSERT_EQ(bytes.GetSize(), 9);

    CChunkBuffer empty;
    empty.CopyTo(bytes);
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(bytes.GetData(), nullptr);
}

TEST(ChunkBuffer, ZeroChunkSizeStillGrows)
{
    CChunkBuffer buffer(0);
    buffer.AppendString("abc");
    EXPECT_EQ(buffer.GetChunkSize(), CChunkBuffer::kDefaultChunkSize);
    EXPECT_EQ(Contents(buffer), "abc");
}
