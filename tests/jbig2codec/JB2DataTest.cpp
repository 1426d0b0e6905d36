// Read and write data objects, the data cache, and the bit reader and writer.
#include <gtest/gtest.h>

#include <string>

#include "jbig2codec/io/JB2BitReader.h"
#include "jbig2codec/io/JB2BitWriter.h"
#include "jbig2codec/io/JB2Cache.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"

using namespace ZAV;

namespace {

// The segment tests' objects, and a cache over the source when a test opens one.
struct DataFixture : SegmentFixture {
    JB2Location* location = nullptr;
    JB2Cache* cache = nullptr;

    void TearDown() override
    {
        if (cache)
            JB2CacheRelease(&cache, memory);
        if (location)
            JB2LocationRelease(&location, memory);
        SegmentFixture::TearDown();
    }

    void FillSource(size_t size)
    {
        source.bytes.resize(size);
        for (size_t i = 0; i < size; ++i)
            source.bytes[i] = static_cast<uint8_t>(i * 7 + i / 256);
    }

    // A memory-block cache over the window of `from` (null: no source) that
    // starts at `start`; TearDown releases it.
    void OpenCache(uint32_t start, JB2ReadData* from)
    {
        ASSERT_EQ(JB2LocationCreate(&location, memory, start, 0, message), 0);
        ASSERT_EQ(JB2CacheCreate(&cache, memory, location, from, cJB2_Cache_Memory_Blocks, 0, nullptr, message), 0);
    }
};

}  // namespace

TEST_F(DataFixture, BigEndianFieldsRoundTrip)
{
    EXPECT_EQ(JB2WriteDataWriteU32(writeData, 0, 0x01020304u), 4u);
    EXPECT_EQ(JB2WriteDataWriteU16(writeData, 4, 0xA0B0), 2u);
    EXPECT_EQ(JB2WriteDataWriteByte(writeData, 6, 0xEE), 1u);
    EXPECT_EQ(target.bytes, (std::vector<uint8_t>{1, 2, 3, 4, 0xA0, 0xB0, 0xEE}));

    source.bytes = target.bytes;
    uint32_t u32 = 0;
    uint16_t u16 = 0;
    EXPECT_EQ(JB2ReadDataReadU32(readData, 0, &u32), 4u);
    EXPECT_EQ(u32, 0x01020304u);
    EXPECT_EQ(JB2ReadDataReadU16(readData, 4, &u16), 2u);
    EXPECT_EQ(u16, 0xA0B0);
    // A field that runs past the end is not delivered and leaves the value.
    u32 = 77;
    EXPECT_EQ(JB2ReadDataReadU32(readData, 5, &u32), 0u);
    EXPECT_EQ(u32, 77u);
    target.failAfter = 8;
    EXPECT_EQ(JB2WriteDataWriteU32(writeData, 6, 1), 0u);
}

TEST_F(DataFixture, FormattedWriteRefusesTextsThatDoNotFit)
{
    uint32_t written = 0;
    EXPECT_EQ(JB2WriteDataFormat(writeData, 0, &written, "%%PDF-1.%d\n", 4), 0);
    EXPECT_EQ(written, 9u);
    EXPECT_EQ(std::string(target.bytes.begin(), target.bytes.end()), "%PDF-1.4\n");

    const std::string long1024(1024, 'x');
    const std::string fits1023(1023, 'y');
    EXPECT_EQ(JB2WriteDataFormat(writeData, 100, &written, "%s", long1024.c_str()), cJB2_Error_Write_Failure);
    EXPECT_EQ(written, 1024u);
    EXPECT_EQ(target.bytes.size(), 9u);  // nothing written
    EXPECT_EQ(JB2WriteDataFormat(writeData, 9, &written, "%s", fits1023.c_str()), 0);
    EXPECT_EQ(written, 1023u);

    target.failAfter = 1040;
    EXPECT_EQ(JB2WriteDataFormat(writeData, 1032, &written, "0123456789"), cJB2_Error_Write_Failure);
}

TEST_F(DataFixture, CacheReadSpanningThreeBlocksReadsEachBlockOnce)
{
    FillSource(4000);
    ASSERT_NO_FATAL_FAILURE(OpenCache(100, readData));

    std::vector<uint8_t> bytes(3000);
    uint32_t count = 0;
    ASSERT_EQ(JB2CacheRead(cache, memory, 1000, 2000, bytes.data(), &count), 0);
    EXPECT_EQ(count, 2000u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 2000, source.bytes.begin() + 1100));
    EXPECT_EQ(source.reads, 3u);
    // Again, and out of order: all from memory.
    ASSERT_EQ(JB2CacheRead(cache, memory, 5, 2900, bytes.data(), &count), 0);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 2900, source.bytes.begin() + 105));
    EXPECT_EQ(source.reads, 3u);
}

TEST_F(DataFixture, CacheReadPastTheEndGivesWhatThereIs)
{
    FillSource(2500);
    ASSERT_NO_FATAL_FAILURE(OpenCache(0, readData));
    std::vector<uint8_t> bytes(1000);
    uint32_t count = 0;
    ASSERT_EQ(JB2CacheRead(cache, memory, 2000, 1000, bytes.data(), &count), 0);
    EXPECT_EQ(count, 500u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 500, source.bytes.begin() + 2000));
    const uint32_t reads = source.reads;
    ASSERT_EQ(JB2CacheRead(cache, memory, 2400, 50, bytes.data(), &count), 0);
    EXPECT_EQ(count, 50u);
    EXPECT_EQ(source.reads, reads);  // the partial last block stayed in memory

    // Far beyond the data: nothing, and no block table sized by the offset.
    const uint64_t largest = allocator.largest;
    ASSERT_EQ(JB2CacheRead(cache, memory, 0xF0000000u, 100, bytes.data(), &count), 0);
    EXPECT_EQ(count, 0u);
    EXPECT_EQ(allocator.largest, largest);
}

TEST_F(DataFixture, CacheLocationLimitsTheWindow)
{
    FillSource(5000);
    JB2Location* location = nullptr;
    ASSERT_EQ(JB2LocationCreate(&location, memory, 10, 1500, message), 0);
    for (uint32_t style : {cJB2_Cache_Direct, cJB2_Cache_Memory_Blocks}) {
        JB2Cache* cache = nullptr;
        ASSERT_EQ(JB2CacheCreate(&cache, memory, location, readData, style, 0, nullptr, message), 0);
        std::vector<uint8_t> bytes(1000);
        uint32_t count = 0;
        ASSERT_EQ(JB2CacheRead(cache, memory, 1000, 1000, bytes.data(), &count), 0);
        EXPECT_EQ(count, 500u) << style;
        EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 500, source.bytes.begin() + 1010));
        ASSERT_EQ(JB2CacheRead(cache, memory, 1500, 1, bytes.data(), &count), 0);
        EXPECT_EQ(count, 0u);
        uint8_t one = 1;
        EXPECT_EQ(JB2CacheWrite(cache, memory, 0, 1, &one, &count),
                  style == cJB2_Cache_Direct ? cJB2_Error_Invalid_Cache_Style : 0);
        JB2CacheRelease(&cache, memory);
    }
    JB2LocationRelease(&location, memory);
}

TEST_F(DataFixture, CacheStylesAndBlockStore)
{
    JB2Location* location = nullptr;
    ASSERT_EQ(JB2LocationCreate(&location, memory, 0, 0, message), 0);
    JB2Cache* cache = nullptr;
    EXPECT_EQ(JB2CacheCreate(&cache, memory, location, readData, 3, 0, nullptr, message), cJB2_Error_Internal);
    EXPECT_EQ(JB2CacheCreate(&cache, memory, location, readData, cJB2_Cache_Block_Store, 0, nullptr, message),
              cJB2_Error_Invalid_Pointer);

    FillSource(100000);
    JB2BlockStore* store = nullptr;
    ASSERT_EQ(JB2BlockStoreCreate(&store, memory, 512, message), 0);
    JB2Cache* first = nullptr;
    JB2Cache* second = nullptr;
    ASSERT_EQ(JB2CacheCreate(&first, memory, location, readData, cJB2_Cache_Block_Store, 0, store, message), 0);
    ASSERT_EQ(JB2CacheCreate(&second, memory, location, readData, cJB2_Cache_Block_Store, 0, store, message), 0);
    std::vector<uint8_t> bytes(40 * 512);  // more blocks than one growth of the store
    uint32_t count = 0;
    ASSERT_EQ(JB2CacheRead(first, memory, 7, static_cast<uint32_t>(bytes.size()), bytes.data(), &count), 0);
    EXPECT_EQ(count, bytes.size());
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), source.bytes.begin() + 7));
    ASSERT_EQ(JB2CacheRead(second, memory, 60000, 1000, bytes.data(), &count), 0);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 1000, source.bytes.begin() + 60000));
    JB2CacheRelease(&first, memory);
    // The freed slots serve the other cache again, holding the new data.
    ASSERT_EQ(JB2CacheRead(second, memory, 0, 5000, bytes.data(), &count), 0);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.begin() + 5000, source.bytes.begin()));
    JB2CacheRelease(&second, memory);
    JB2BlockStoreRelease(&store, memory);
    JB2LocationRelease(&location, memory);
}

TEST_F(DataFixture, CacheHoldsWrittenDataWithoutASource)
{
    ASSERT_NO_FATAL_FAILURE(OpenCache(0, nullptr));
    std::vector<uint8_t> data(3000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<uint8_t>(i);
    uint32_t count = 0;
    ASSERT_EQ(JB2CacheWrite(cache, memory, 0, 1000, data.data(), &count), 0);
    ASSERT_EQ(JB2CacheWrite(cache, memory, 1000, 2000, data.data() + 1000, &count), 0);
    EXPECT_EQ(count, 2000u);
    EXPECT_EQ(cache->highest, 3000u);
    std::vector<uint8_t> back(4000);
    ASSERT_EQ(JB2CacheRead(cache, memory, 0, 4000, back.data(), &count), 0);
    EXPECT_EQ(count, 3000u);
    EXPECT_TRUE(std::equal(data.begin(), data.end(), back.begin()));
}

TEST(JB2BitReader, ReadsMostSignificantBitFirst)
{
    const uint8_t bytes[] = {0xFF, 0x00, 0x80};
    JB2BitReader reader;
    JB2BitReaderInit(&reader, bytes, sizeof bytes);
    EXPECT_EQ(JB2BitReaderRead(&reader, 17), 0x1FE01u);
    EXPECT_EQ(JB2BitReaderPosition(&reader), 2u);
    EXPECT_EQ(JB2BitReaderBytesLeft(&reader), 0u);  // 7 bits left
    EXPECT_FALSE(JB2BitReaderOverrun(&reader));

    JB2BitReaderInit(&reader, bytes, sizeof bytes);
    EXPECT_EQ(JB2BitReaderRead(&reader, 3), 7u);
    JB2BitReaderAlign(&reader);
    EXPECT_EQ(JB2BitReaderPosition(&reader), 1u);
    EXPECT_EQ(JB2BitReaderPeek(&reader, 9), 0x001u);
    JB2BitReaderSkip(&reader, 8);
    EXPECT_EQ(JB2BitReaderRead(&reader, 1), 1u);
    EXPECT_EQ(JB2BitReaderRead(&reader, 7), 0u);
    EXPECT_FALSE(JB2BitReaderOverrun(&reader));

    const uint8_t four[] = {0x12, 0x34, 0x56, 0x78};
    JB2BitReaderInit(&reader, four, 4);
    EXPECT_EQ(JB2BitReaderRead(&reader, 32), 0x12345678u);
}

TEST(JB2BitReader, NeverReadsPastItsData)
{
    // The bytes after the reader's window must never be looked at: ASan
    // sees a read of the guard only through a heap overflow, so the data
    // sits at the very end of its own block.
    std::vector<uint8_t> data = {0xAB, 0xCD};
    data.shrink_to_fit();
    JB2BitReader reader;
    JB2BitReaderInit(&reader, data.data(), 2);
    EXPECT_EQ(JB2BitReaderRead(&reader, 12), 0xABCu);
    EXPECT_EQ(JB2BitReaderRead(&reader, 12), 0xD00u);  // 4 real bits, then zeros
    EXPECT_TRUE(JB2BitReaderOverrun(&reader));
    EXPECT_EQ(JB2BitReaderRead(&reader, 32), 0u);
    EXPECT_EQ(JB2BitReaderPeek(&reader, 24), 0u);

    JB2BitReaderInit(&reader, nullptr, 10);
    EXPECT_EQ(JB2BitReaderRead(&reader, 8), 0u);
    EXPECT_TRUE(JB2BitReaderOverrun(&reader));
}

TEST_F(DataFixture, BitWriterPacksAndFlushesThroughTheCallback)
{
    JB2BitWriter* writer = nullptr;
    ASSERT_EQ(JB2BitWriterCreate(&writer, memory, writeData, 5, message), 0);
    ASSERT_EQ(JB2BitWriterPut(writer, 0x1FE01, 17), 0);
    ASSERT_EQ(JB2BitWriterPut(writer, 0x5, 3), 0);
    EXPECT_EQ(JB2BitWriterOffset(writer), 7u);
    ASSERT_EQ(JB2BitWriterFlush(writer), 0);
    EXPECT_EQ(target.bytes, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0xFF, 0x00, 0xD0}));
    // A run longer than the buffer goes out in buffer-sized writes.
    for (int i = 0; i < 1500; ++i)
        ASSERT_EQ(JB2BitWriterPut(writer, 0xA5, 8), 0);
    EXPECT_EQ(target.bytes.size(), 8u + 1024u);
    ASSERT_EQ(JB2BitWriterEnd(&writer, memory), 0);
    EXPECT_EQ(writer, nullptr);
    ASSERT_EQ(target.bytes.size(), 8u + 1500u);
    EXPECT_EQ(target.bytes.back(), 0xA5);
}

TEST_F(DataFixture, BitWriterShortWriteKeepsTheBuffer)
{
    JB2BitWriter* writer = nullptr;
    ASSERT_EQ(JB2BitWriterCreate(&writer, memory, writeData, 0, message), 0);
    target.failAfter = 0;
    ASSERT_EQ(JB2BitWriterPut(writer, 0xBEEF, 16), 0);
    EXPECT_EQ(JB2BitWriterFlush(writer), cJB2_Error_Write_Failure);
    EXPECT_EQ(writer->bytes, 2u);
    target.failAfter = UINT64_MAX;
    EXPECT_EQ(JB2BitWriterFlush(writer), 0);
    EXPECT_EQ(target.bytes, (std::vector<uint8_t>{0xBE, 0xEF}));
    target.failAfter = 0;
    ASSERT_EQ(JB2BitWriterPut(writer, 1, 1), 0);
    EXPECT_EQ(JB2BitWriterEnd(&writer, memory), cJB2_Error_Write_Failure);
    EXPECT_EQ(writer, nullptr);
}

TEST_F(DataFixture, AllocationFailuresReportTheirObject)
{
    allocator.failAt = allocator.allocations + 1;
    JB2Location* location = nullptr;
    EXPECT_EQ(JB2LocationCreate(&location, memory, 0, 0, message), cJB2_Error_Allocation_Failure);
    EXPECT_TRUE(messages.HasOfType(91, "Unable to allocate location object!"));
    allocator.failAt = allocator.allocations + 2;  // the writer's buffer
    JB2BitWriter* writer = nullptr;
    EXPECT_EQ(JB2BitWriterCreate(&writer, memory, writeData, 0, message), cJB2_Error_Allocation_Failure);
    EXPECT_TRUE(messages.HasOfType(91, "Unable to create write bits buffer!"));
    EXPECT_EQ(writer, nullptr);
    allocator.failAt = 0;
}
