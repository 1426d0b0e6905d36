// A memory object, a message collector and byte vectors as source and
// target for the segment tests.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/io/JB2Read.h"
#include "jbig2codec/segments/JB2SegmentArray.h"
#include "jbig2codec/segments/JB2SegmentHeader.h"
#include "jbig2codec/io/JB2Write.h"
#include "tests/jbig2codec/JB2TestSupport.h"

struct SegmentFixture : ::testing::Test {
    JB2Test::Allocator allocator;
    JB2Test::Messages messages;
    JB2Test::Source source;
    JB2Test::Target target;
    ZAV::JB2Memory* memory = nullptr;
    ZAV::JB2Message* message = nullptr;
    ZAV::JB2ReadData* readData = nullptr;
    ZAV::JB2WriteData* writeData = nullptr;

    void SetUp() override
    {
        using namespace ZAV;
        ASSERT_EQ(JB2MemoryCreate(&memory, JB2Test::Allocator::Alloc, &allocator, JB2Test::Allocator::Free,
                                  &allocator),
                  0);
        ASSERT_EQ(JB2MessageCreate(&message, memory, JB2Test::Messages::Collect, &messages), 0);
        ASSERT_EQ(JB2ReadDataCreate(&readData, memory, JB2Test::Source::Read, &source, message), 0);
        ASSERT_EQ(JB2WriteDataCreate(&writeData, memory, JB2Test::Target::Write, &target, message), 0);
    }
    void TearDown() override
    {
        using namespace ZAV;
        JB2WriteDataRelease(&writeData, memory);
        JB2ReadDataRelease(&readData, memory);
        JB2MessageRelease(&message, memory);
        JB2MemoryRelease(&memory);
        EXPECT_EQ(allocator.Live(), 0u);
    }

    // A new segment of `type` whose data holds `bytes`.
    ZAV::JB2SegmentHeader* Make(uint32_t type, const std::vector<uint8_t>& bytes, uint32_t number = 1)
    {
        using namespace ZAV;
        JB2SegmentHeader* segment = nullptr;
        EXPECT_EQ(JB2SegmentCreate(&segment, memory, number, type, message), 0);
        if (segment && !bytes.empty()) {
            EXPECT_EQ(JB2SegmentWriteBytes(segment, 0, static_cast<uint32_t>(bytes.size()), bytes.data()), 0);
        }
        return segment;
    }
};
