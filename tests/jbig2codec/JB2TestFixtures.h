// Codec objects for the coder tests: a memory object over a counting
// allocator (everything must be given back by the end), a message object
// that collects texts, and an output channel into a byte vector.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "jbig2codec/io/JB2Write.h"
#include "jbig2codec/mmr/JB2MMREncoder.h"
#include "tests/jbig2codec/JB2TestPages.h"
#include "tests/jbig2codec/JB2TestSupport.h"

namespace JB2Test {

class Memory {
public:
    Memory()
    {
        EXPECT_EQ(0, ZAV::JB2MemoryCreate(&m_memory, Allocator::Alloc, &m_allocator, Allocator::Free, &m_allocator));
        EXPECT_EQ(0, ZAV::JB2MessageCreate(&m_message, m_memory, Messages::Collect, &m_messages));
    }
    ~Memory()
    {
        ZAV::JB2MessageRelease(&m_message, m_memory);
        ZAV::JB2MemoryRelease(&m_memory);
        EXPECT_EQ(0u, m_allocator.Live());
    }
    Memory(const Memory&) = delete;
    Memory& operator=(const Memory&) = delete;

    ZAV::JB2Memory* Get() { return m_memory; }
    ZAV::JB2Message* Message() { return m_message; }
    const Messages& Texts() const { return m_messages; }
    Allocator& Allocations() { return m_allocator; }

private:
    Allocator m_allocator;
    Messages m_messages;
    ZAV::JB2Memory* m_memory = nullptr;
    ZAV::JB2Message* m_message = nullptr;
};

// Collects written bytes at their absolute offsets.
class Output {
public:
    explicit Output(Memory& memory, uint64_t failAfter = UINT64_MAX) : m_memory(memory)
    {
        m_target.failAfter = failAfter;
        EXPECT_EQ(0, ZAV::JB2WriteDataCreate(&m_write, memory.Get(), Target::Write, &m_target, nullptr));
    }
    ~Output() { ZAV::JB2WriteDataRelease(&m_write, m_memory.Get()); }
    Output(const Output&) = delete;
    Output& operator=(const Output&) = delete;

    ZAV::JB2WriteData* Get() { return m_write; }
    const std::vector<uint8_t>& Bytes() const { return m_target.bytes; }
    uint32_t References() const { return m_write->references; }

private:
    Memory& m_memory;
    Target m_target;
    ZAV::JB2WriteData* m_write = nullptr;
};

// A bitmap coded as MMR data by the codec's own encoder.
inline std::vector<uint8_t> EncodeMMR(const Page& page)
{
    Memory memory;
    Output output(memory);
    ZAV::JB2MMREncoder* encoder = nullptr;
    EXPECT_EQ(0, ZAV::MMR_Encoder_Start(&encoder, memory.Get(), page.width, page.height, 0, output.Get(), nullptr));
    for (uint32_t y = 0; y < page.height; ++y)
        EXPECT_EQ(0, ZAV::MMR_Encoder_Line(encoder, page.Row(y)));
    EXPECT_EQ(0, ZAV::MMR_Encoder_End(&encoder, memory.Get()));
    EXPECT_EQ(1, output.References());
    return output.Bytes();
}

}  // namespace JB2Test
