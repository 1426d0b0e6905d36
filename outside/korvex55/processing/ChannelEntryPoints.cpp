// Entry points over channels and samples: SplitChannels .. FromChannelsRGBA,
// the lookup tables and SwapChannels.
#include <vector>

#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/Core.h"
#include "outside/korvex55/processing/Arguments.h"
#include "outside/korvex55/processing/Channels.h"
#include "outside/korvex55/processing/LookUpTables.h"

using namespace KORVEX55;

namespace {

const char* const kChannelRoles[4] = {"first channel", "second channel", "third channel", "fourth channel"};

// Each channel object gets a one-byte image of the object's size (one it
// already has is kept); the object's own image can be no channel of itself,
// and that is known before any channel changes.
void Split(Processor& self, const KORV_Handle* channels, int32_t count, std::initializer_list<int32_t> depths)
{
    const ImageView& image = RequireOwnImage(self, depths);
    std::vector<Processor*> targets;
    for (int32_t c = 0; c < count; ++c) {
        targets.push_back(&Operand(channels[c]));
        if (targets.back() == &self)
            Fail(kStatusBadValue, Format("the %s is the image itself!", kChannelRoles[c]));
    }
    std::vector<PixelView> parts;
    for (Processor* target : targets)
        parts.push_back(ViewOf(target->PrepareDestination(image.width, image.height, 8)));
    SplitSamples(ViewOf(image), parts.data(), count);
}

// The object's image becomes the channels' samples, at the first channel's size.
void Join(Processor& self, const KORV_Handle* channels, int32_t count, int32_t bitsPerPixel)
{
    std::vector<SourceImage> sources;
    sources.reserve(count);
    for (int32_t c = 0; c < count; ++c) {
        sources.emplace_back(self, Operand(channels[c]), kChannelRoles[c]);
        RequireOneByteOfSize(sources[c].View(), kChannelRoles[c], sources[0].View(), kChannelRoles[0]);
    }
    std::vector<PixelView> parts;
    for (const SourceImage& source : sources)
        parts.push_back(ViewOf(source.View()));
    const ImageView& out = self.PrepareDestination(parts[0].width, parts[0].height, bitsPerPixel);
    JoinSamples(parts.data(), count, ViewOf(out));
}

Table CheckedTable(const int32_t* levels, const int32_t* values, int32_t count, int32_t shape)
{
    RequirePointer(levels, "levels");
    RequirePointer(values, "values");
    RequireRange(count, "number of pairs", 1, 256);
    RequireRange(shape, "table shape", kTableLinear, kTableSteps);
    for (int32_t i = 0; i < count; ++i) {
        RequireRange(levels[i], "level", 0, 255);
        RequireRange(values[i], "value", 0, 255);
        if (i > 0 && levels[i] <= levels[i - 1])
            Fail(kStatusBadValue,
                 Format("the level %d does not rise above the level %d before it!", levels[i], levels[i - 1]));
    }
    return PiecewiseTable(levels, values, count, shape);
}

void ApplyToSource(Processor& self, KORV_Handle sourceHandle, std::initializer_list<int32_t> depths,
                   const Table* tables, int32_t tableCount)
{
    const SourceImage source(self, Operand(sourceHandle));
    const ImageView& in = source.View();
    RequireDepth(in, "source", depths);
    const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
    ApplyTables(ViewOf(in), tables, tableCount, ViewOf(out));
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_SplitChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return RunOperation(handle, "SplitChannels", [&](Processor& self) {
        const KORV_Handle channels[3] = {c1, c2, c3};
        Split(self, channels, 3, {24, 32});
    });
}

KORV_API KORV_Status KORV_FromChannels(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3)
{
    return RunOperation(handle, "FromChannels", [&](Processor& self) {
        const KORV_Handle channels[3] = {c1, c2, c3};
        Join(self, channels, 3, 24);
    });
}

KORV_API KORV_Status KORV_SplitChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                            KORV_Handle c4)
{
    return RunOperation(handle, "SplitChannelsRGBA", [&](Processor& self) {
        const KORV_Handle channels[4] = {c1, c2, c3, c4};
        Split(self, channels, 4, {32});
    });
}

KORV_API KORV_Status KORV_FromChannelsRGBA(KORV_Handle handle, KORV_Handle c1, KORV_Handle c2, KORV_Handle c3,
                                           KORV_Handle c4)
{
    return RunOperation(handle, "FromChannelsRGBA", [&](Processor& self) {
        const KORV_Handle channels[4] = {c1, c2, c3, c4};
        Join(self, channels, 4, 32);
    });
}

KORV_API KORV_Status KORV_LookUpTable8Bit(KORV_Handle handle, KORV_Handle source, const int32_t* levels,
                                          const int32_t* values, int32_t count, int32_t value)
{
    return RunOperation(handle, "LookUpTable8Bit", [&](Processor& self) {
        // One table for every colour sample; a colour picture keeps its alpha.
        const Table table = CheckedTable(levels, values, count, value);
        const Table tables[3] = {table, table, table};
        ApplyToSource(self, source, {8, 9, 24, 32}, tables, 3);
    });
}

KORV_API KORV_Status KORV_LookUpTable(KORV_Handle handle, KORV_Handle source, const int32_t* levels1,
                                      const int32_t* values1, int32_t count1, const int32_t* levels2,
                                      const int32_t* values2, int32_t count2, const int32_t* levels3,
                                      const int32_t* values3, int32_t count3, int32_t value)
{
    return RunOperation(handle, "LookUpTable", [&](Processor& self) {
        const Table tables[3] = {CheckedTable(levels1, values1, count1, value),
                                 CheckedTable(levels2, values2, count2, value),
                                 CheckedTable(levels3, values3, count3, value)};
        ApplyToSource(self, source, {24, 32}, tables, 3);
    });
}

KORV_API KORV_Status KORV_SwapChannels(KORV_Handle handle, KORV_Handle source, const int32_t* order, int32_t count)
{
    return RunOperation(handle, "SwapChannels", [&](Processor& self) {
        const SourceImage picture(self, Operand(source));
        const ImageView& in = picture.View();
        RequireDepth(in, "source", {24, 32});
        RequirePointer(order, "order");
        const int32_t channels = ChannelCount(in.bitsPerPixel);
        RequireRange(count, "number of channels in the order", channels, channels);
        for (int32_t c = 0; c < count; ++c)
            RequireRange(order[c], "channel index", 0, channels - 1);
        const ImageView& out = self.PrepareDestination(in.width, in.height, in.bitsPerPixel);
        ReorderSamples(ViewOf(in), order, ViewOf(out));
    });
}

}  // extern "C"
