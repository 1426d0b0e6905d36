// The memory and message objects every other part of the codec stands on.
#include <gtest/gtest.h>

#include <string>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"
#include "tests/jbig2codec/JB2TestSupport.h"

using namespace ZAV;

namespace {

struct Frame {
    JB2Test::Allocator allocator;
    JB2Test::Messages messages;
    JB2Memory* memory = nullptr;
    JB2Message* message = nullptr;

    Frame()
    {
        EXPECT_EQ(JB2MemoryCreate(&memory, JB2Test::Allocator::Alloc, &allocator, JB2Test::Allocator::Free,
                                  &allocator),
                  0);
        EXPECT_EQ(JB2MessageCreate(&message, memory, JB2Test::Messages::Collect, &messages), 0);
    }
    ~Frame()
    {
        JB2MessageRelease(&message, memory);
        JB2MemoryRelease(&memory);
        EXPECT_EQ(allocator.Live(), 0u);
    }
};

}  // namespace

TEST(JB2Memory, CreateChecksCallbacksInOrder)
{
    JB2Test::Allocator allocator;
    JB2Memory* memory = reinterpret_cast<JB2Memory*>(&allocator);
    EXPECT_EQ(JB2MemoryCreate(&memory, nullptr, nullptr, nullptr, nullptr), cJB2_Error_Callback_Allocation);
    EXPECT_EQ(memory, nullptr);
    EXPECT_EQ(JB2MemoryCreate(&memory, JB2Test::Allocator::Alloc, &allocator, nullptr, nullptr),
              cJB2_Error_Callback_No_Free);
    allocator.failAt = 1;
    EXPECT_EQ(JB2MemoryCreate(&memory, JB2Test::Allocator::Alloc, &allocator, JB2Test::Allocator::Free, &allocator),
              cJB2_Error_Allocation_Failure);
    EXPECT_EQ(memory, nullptr);
}

TEST(JB2Memory, ReferencesKeepTheObjectUntilTheLastRelease)
{
    JB2Test::Allocator allocator;
    JB2Memory* memory = nullptr;
    ASSERT_EQ(JB2MemoryCreate(&memory, JB2Test::Allocator::Alloc, &allocator, JB2Test::Allocator::Free, &allocator),
              0);
    JB2Memory* second = memory;
    JB2MemoryAddReference(memory);
    EXPECT_EQ(JB2MemoryRelease(&memory), 0);
    EXPECT_EQ(memory, nullptr);
    EXPECT_EQ(allocator.Live(), 1u);
    EXPECT_EQ(JB2MemoryRelease(&second), 0);
    EXPECT_EQ(allocator.Live(), 0u);
    EXPECT_EQ(JB2MemoryRelease(&second), cJB2_Error_Free_Failure);
}

TEST(JB2Memory, AllocationsGoThroughTheCallerAndAreZeroed)
{
    Frame frame;
    const uint64_t before = frame.allocator.allocations;
    EXPECT_EQ(JB2MemoryAlloc(frame.memory, 0), nullptr);
    EXPECT_EQ(JB2MemoryAlloc(frame.memory, 0x100000000ull), nullptr);  // wider than the callback takes
    EXPECT_EQ(frame.allocator.allocations, before);
    EXPECT_EQ(frame.allocator.largest, sizeof(JB2Message));

    auto* bytes = static_cast<uint8_t*>(JB2MemoryAlloc(frame.memory, 16));
    ASSERT_NE(bytes, nullptr);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(bytes[i], 0);
    bytes[0] = 7;
    bytes[15] = 9;

    EXPECT_EQ(JB2MemoryGrow(frame.memory, bytes, 16, 16), nullptr);  // not larger: refused
    auto* grown = static_cast<uint8_t*>(JB2MemoryGrow(frame.memory, bytes, 16, 32));
    ASSERT_NE(grown, nullptr);
    EXPECT_EQ(grown[0], 7);
    EXPECT_EQ(grown[15], 9);
    EXPECT_EQ(grown[31], 0);
    EXPECT_EQ(JB2MemoryFree(frame.memory, &grown), 0);
    EXPECT_EQ(grown, nullptr);
    EXPECT_EQ(JB2MemoryFree(frame.memory, &grown), cJB2_Error_Free_Failure);
    EXPECT_EQ(JB2MemoryFreeBlock(nullptr, &frame), cJB2_Error_Free_Failure);
}

TEST(JB2Memory, ArraySizesAreComputedWithoutWrapping)
{
    Frame frame;
    const uint64_t before = frame.allocator.allocations;
    // 2^30 entries of 8 bytes would wrap a 32-bit size to 0.
    EXPECT_EQ(JB2MemoryAllocArray<uint64_t>(frame.memory, 1ull << 30), nullptr);
    EXPECT_EQ(JB2MemoryAllocArray<uint32_t>(frame.memory, 0x40000000ull), nullptr);
    EXPECT_EQ(frame.allocator.allocations, before);
}

struct SplitCase {
    const char* name;
    std::string text;
    std::vector<std::string> pieces;
};

TEST(JB2Message, LongTextsArriveInPiecesSplitAtBlanks)
{
    const std::string a67(67, 'a');
    const std::string b60(60, 'b');
    const std::vector<SplitCase> cases = {
        {"empty", "", {""}},
        {"67 characters in one piece", a67, {a67}},
        {"68 characters in two", a67 + "c", {a67, "c"}},
        {"no blanks: pieces of 67", std::string(150, 'x'),
         {std::string(67, 'x'), std::string(67, 'x'), std::string(16, 'x')}},
        {"split before the last blank of the window", b60 + " " + "12345 7890" + "zz",
         {b60 + " 12345", "7890zz"}},
        {"blank just past the window is not used", a67 + " tail", {a67, " tail"}},
        {"blank at the window's first character gives no empty piece", " " + std::string(70, 'q'),
         {std::string(67, 'q'), "qqq"}},
    };
    for (const auto& c : cases) {
        JB2Test::Messages messages;
        JB2MessageDeliver(JB2Test::Messages::Collect, &messages, cJB2_Message_Warning, c.text.c_str());
        std::vector<std::string> got;
        for (const auto& piece : messages.pieces) {
            EXPECT_EQ(piece.first, cJB2_Message_Warning) << c.name;
            EXPECT_LE(piece.second.size(), 67u) << c.name;
            got.push_back(piece.second);
        }
        EXPECT_EQ(got, c.pieces) << c.name;
    }
}

TEST(JB2Message, ErrorsAndWarningsEndWithAnEmptyTextInfoDoesNot)
{
    Frame frame;
    JB2MessageError(frame.message, "Failure %s %lld!", "number", static_cast<long long>(0x123456789ll));
    JB2MessageWarning(frame.message, "Careful!");
    JB2MessageInfo(frame.message, "Segment number           :  %lld", 5ll);
    const std::vector<std::pair<int32_t, std::string>> expected = {
        {91, "Failure number 4886718345!"}, {91, ""}, {11, "Careful!"}, {11, ""},
        {1, "Segment number           :  5"}};
    EXPECT_EQ(frame.messages.pieces, expected);
}

TEST(JB2Message, FormattedTextIsCutTo1023Characters)
{
    Frame frame;
    const std::string huge(3000, 'z');
    JB2MessageSend(frame.message, cJB2_Message_Info, "%s", huge.c_str());
    size_t total = 0;
    for (const auto& piece : frame.messages.pieces)
        total += piece.second.size();
    EXPECT_EQ(total, 1023u);
    EXPECT_EQ(frame.messages.pieces.size(), 16u);  // 15 x 67 + 18
}

TEST(JB2Message, WithoutAnObjectOrCallbackTextsAreDropped)
{
    JB2MessageError(nullptr, "dropped %d", 1);
    JB2MessageEnd(nullptr, cJB2_Message_Error);
    Frame frame;
    frame.message->callback = nullptr;
    JB2MessageError(frame.message, "dropped too");
    EXPECT_TRUE(frame.messages.pieces.empty());
}

TEST(JB2Message, ReferencesShareOneObject)
{
    Frame frame;
    JB2Message* second = frame.message;
    JB2MessageAddReference(second);
    EXPECT_EQ(JB2MessageRelease(&second, frame.memory), 0);
    EXPECT_EQ(second, nullptr);
    JB2MessageInfo(frame.message, "still here");
    EXPECT_TRUE(frame.messages.Has("still here"));
}
