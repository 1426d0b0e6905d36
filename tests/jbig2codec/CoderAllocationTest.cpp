// Every coder start that meets a failing allocation returns -5 with its
// message and leaves nothing allocated.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "jbig2codec/generic/JB2GenericRegionDecoder.h"
#include "jbig2codec/generic/JB2GenericRegionEncoder.h"
#include "jbig2codec/mq/JB2MQContexts.h"
#include "jbig2codec/render/JB2DrawGenericRegion.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "tests/jbig2codec/JB2SegmentFixture.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

struct CoderAllocation : SegmentFixture {
    // Runs start with the 1st, 2nd, ... allocation failing until it succeeds.
    void FailEachAllocation(const std::string& name, const std::function<JB2_Error()>& start,
                            const std::function<void()>& end)
    {
        for (uint64_t k = 1; k < 20; ++k) {
            messages.pieces.clear();
            const uint64_t live = allocator.Live();
            allocator.failAt = allocator.allocations + k;
            const JB2_Error status = start();
            allocator.failAt = 0;
            if (status == cJB2_Error_OK) {
                end();
                EXPECT_EQ(live, allocator.Live()) << name;
                EXPECT_GT(k, 1u) << name;
                return;
            }
            EXPECT_EQ(cJB2_Error_Allocation_Failure, status) << name << " allocation " << k;
            EXPECT_EQ(live, allocator.Live()) << name << " allocation " << k;
            ASSERT_FALSE(messages.pieces.empty()) << name << " allocation " << k;
            EXPECT_EQ(91, messages.pieces.front().first) << name;
            EXPECT_EQ(0u, messages.pieces.front().second.find("Unable to")) << messages.pieces.front().second;
            EXPECT_EQ("", messages.pieces.back().second) << name;
        }
        ADD_FAILURE() << name << " never started";
    }

    JB2SegmentHeader* Region(uint8_t genericFlags)
    {
        JB2SegmentHeader* segment = Make(38, {});
        JB2RegionSetWidth(segment, 30);
        JB2RegionSetHeight(segment, 4);
        JB2RegionSetFlags(segment, 0);
        JB2GenericSetFlags(segment, genericFlags);
        if (!(genericFlags & 1)) JB2GenericSetNominalATPixels(segment, 0);
        const uint8_t coded[4] = {0x00, 0x00, 0xFF, 0xAC};
        uint32_t length = 0;
        JB2GenericHeaderLength(segment, &length);
        JB2SegmentWriteBytes(segment, length, 4, coded);
        return segment;
    }
};

TEST_F(CoderAllocation, StartsFailCleanly)
{
    const uint8_t coded[4] = {0x00, 0x00, 0xFF, 0xAC};
    std::vector<uint8_t> mmrData = {0xFF, 0xFF, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    JB2MQDecoder* mq = nullptr;
    FailEachAllocation(
        "MQ decoder", [&] { return MQ_Decoder_Start(&mq, memory, JB2MQContexts::kCount, coded, 4, message); },
        [&] { MQ_Decoder_End(&mq, memory); });
    JB2MQEncoder* mqe = nullptr;
    FailEachAllocation(
        "MQ encoder", [&] { return MQ_Encoder_Start(&mqe, memory, JB2MQContexts::kCount, 0, writeData, message); },
        [&] { MQ_Encoder_End(&mqe, memory); });
    JB2MMRDecoder* mmr = nullptr;
    FailEachAllocation(
        "MMR decoder",
        [&] { return MMR_Decoder_Start(&mmr, memory, 30, 4, mmrData.data(), 4, uint32_t(mmrData.size()), message); },
        [&] { MMR_Decoder_End(&mmr, memory); });
    JB2MMREncoder* mmre = nullptr;
    FailEachAllocation(
        "MMR encoder", [&] { return MMR_Encoder_Start(&mmre, memory, 30, 4, 0, writeData, message); },
        [&] { MMR_Encoder_End(&mmre, memory); });
    JB2MQContextDecoder* context = nullptr;
    FailEachAllocation(
        "MQ context decoder",
        [&] { return MQ_Context_Decoder_Start(&context, memory, 30, 4, 0, 1, nullptr, nullptr, coded, 4, message); },
        [&] { MQ_Context_Decoder_End(&context, memory); });
    JB2MQContextEncoder* contextEncoder = nullptr;
    FailEachAllocation(
        "MQ context encoder",
        [&] { return MQ_Context_Encoder_Start(&contextEncoder, memory, 30, 4, 2, 0, writeData, message); },
        [&] { MQ_Context_Encoder_End(&contextEncoder, memory); });

    for (const uint8_t flags : {uint8_t(0x00), uint8_t(0x01)}) {
        JB2SegmentHeader* segment = Region(flags);
        JB2GenericRegionDecoder* decoder = nullptr;
        FailEachAllocation(
            "generic region decoder", [&] { return Generic_Region_Decoder_Start(&decoder, memory, segment, message); },
            [&] { Generic_Region_Decoder_End(&decoder, memory); });
        JB2GenericRegionEncoder* encoder = nullptr;
        FailEachAllocation(
            "generic region encoder", [&] { return Generic_Region_Encoder_Start(&encoder, memory, segment, message); },
            [&] { Generic_Region_Encoder_End(&encoder, memory); });
        JB2GenericRegionDraw* render = nullptr;
        FailEachAllocation(
            "render generic region",
            [&] { return JB2GenericRegionDrawCreate(&render, memory, segment, 128, message); },
            [&] { JB2GenericRegionDrawEnd(&render, memory); });
        JB2SegmentRelease(&segment);
    }
}

}  // namespace
