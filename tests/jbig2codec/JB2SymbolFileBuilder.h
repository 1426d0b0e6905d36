// Builds JBIG2 files with the codec's own symbol encoders: page information,
// symbol dictionaries with their symbols, text regions with their instances,
// written out as a sequential file for jbig2dec and our decoder to read.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "jbig2codec/document/JB2FileExport.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/document/JB2PageSymbolSegments.h"
#include "jbig2codec/segments/JB2SegmentFields.h"
#include "jbig2codec/symbol/JB2SymbolDictionaryWrite.h"
#include "jbig2codec/symbol/JB2SymbolInstances.h"
#include "jbig2codec/text/JB2TextInstances.h"
#include "jbig2codec/text/JB2TextRegionEncoder.h"
#include "tests/jbig2codec/JB2TestPages.h"
#include "tests/jbig2codec/JB2TestSupport.h"

namespace JB2Test {

// A glyph-like bitmap of the given size: a frame of strokes with a random
// inside, so that no two glyphs are alike.
inline Page Glyph(uint32_t width, uint32_t height, uint32_t seed)
{
    Page glyph = BlankPage("glyph", width, height);
    auto next = [&seed]() { return seed = seed * 1664525u + 1013904223u, seed >> 9; };
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x)
            if (x == 0 || y + 1 == height || (next() % 3 == 0))
                glyph.Set(x, y);
    return glyph;
}

// The same glyph with a few pixels flipped: a shape that refines it.
inline Page WithNoise(const Page& glyph, uint32_t seed, uint32_t flips = 3)
{
    Page copy = glyph;
    for (uint32_t i = 0; i < flips; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t x = (seed >> 8) % glyph.width, y = (seed >> 20) % glyph.height;
        copy.Row(y)[x / 8] ^= uint8_t(0x80 >> (x % 8));
    }
    return copy;
}

inline ZAV::JB2BitmapView ViewOf(const Page& page)
{
    return ZAV::JB2BitmapView{page.bits.data(), page.width, page.height, page.Stride()};
}

// Draws a bitmap onto a page with a combination operator, clipped.
inline void Draw(Page& page, const Page& bitmap, int64_t left, int64_t top, uint8_t op)
{
    for (uint32_t y = 0; y < bitmap.height; ++y)
        for (uint32_t x = 0; x < bitmap.width; ++x) {
            const int64_t px = left + x, py = top + y;
            if (px < 0 || py < 0 || px >= int64_t(page.width) || py >= int64_t(page.height))
                continue;
            const bool result = CombinePixel(page.Get(uint32_t(px), uint32_t(py)), bitmap.Get(x, y), op);
            uint8_t& byte = page.Row(uint32_t(py))[px / 8];
            byte = result ? uint8_t(byte | (0x80 >> (px % 8))) : uint8_t(byte & ~(0x80 >> (px % 8)));
        }
}

struct SymbolFileBuilder {
    Allocator allocator;
    Messages messages;
    ZAV::JB2Memory* memory = nullptr;
    ZAV::JB2Message* message = nullptr;
    ZAV::JB2File* file = nullptr;
    std::vector<ZAV::JB2SegmentHeader*> held;

    SymbolFileBuilder()
    {
        using namespace ZAV;
        EXPECT_EQ(JB2MemoryCreate(&memory, Allocator::Alloc, &allocator, Allocator::Free, &allocator), 0);
        EXPECT_EQ(JB2MessageCreate(&message, memory, Messages::Collect, &messages), 0);
        EXPECT_EQ(JB2FileCreate(&file, memory, message), 0);
        EXPECT_EQ(JB2FileSetOrganisation(file, cJB2_Organisation_Sequential), 0);
    }
    ~SymbolFileBuilder()
    {
        using namespace ZAV;
        for (JB2SegmentHeader* segment : held)
            JB2SegmentRelease(&segment);
        JB2FileRelease(&file);
        JB2MessageRelease(&message, memory);
        JB2MemoryRelease(&memory);
        EXPECT_EQ(allocator.Live(), 0u);
    }

    void AddPage(uint32_t page, uint32_t width, uint32_t height)
    {
        using namespace ZAV;
        JB2SegmentHeader* information = nullptr;
        const uint32_t count = JB2FileSegmentCount(file);
        JB2SegmentHeader* last = nullptr;
        if (count)
            JB2FileGetSegment(file, count - 1, &last);
        ASSERT_EQ(
            JB2SegmentCreate(&information, memory, last ? last->number + 1 : 0, cJB2_Segment_Page_Information, message),
            0);
        JB2SegmentSetPageAssociation(information, page);
        JB2PageInfoSetWidth(information, width);
        JB2PageInfoSetHeight(information, height);
        JB2PageInfoSetXResolution(information, 0);
        JB2PageInfoSetYResolution(information, 0);
        JB2PageInfoSetFlags(information, 0);
        JB2PageInfoSetStriping(information, 0);
        ASSERT_EQ(JB2FileAddSegment(file, &information, message), 0);
    }

    ZAV::JB2SymbolDictionary* Dictionary(uint32_t page, std::vector<ZAV::JB2SegmentHeader*> referred = {})
    {
        ZAV::JB2SegmentHeader* segment = nullptr;
        ZAV::JB2SymbolDictionary* dictionary = nullptr;
        EXPECT_EQ(ZAV::JB2PageNewSymbolDictionary(file, page, referred.data(), uint32_t(referred.size()), &segment,
                                                  &dictionary, message),
                  0)
            << messages.All();
        held.push_back(segment);
        return dictionary;
    }

    ZAV::JB2SegmentHeader* TextRegion(const ZAV::JB2TextRegionPlacement& placement,
                                      std::vector<ZAV::JB2SegmentHeader*> referred)
    {
        ZAV::JB2SegmentHeader* segment = nullptr;
        EXPECT_EQ(
            ZAV::JB2PageNewTextRegion(file, &placement, referred.data(), uint32_t(referred.size()), &segment, message),
            0);
        held.push_back(segment);
        return segment;
    }

    // Codes the instances into the text region segment.
    JB2_Error Encode(ZAV::JB2SegmentHeader* region, const ZAV::JB2SymbolInstanceArray* instances)
    {
        using namespace ZAV;
        JB2TextRegionEncoder* encoder = nullptr;
        JB2_Error status = Text_Region_Encoder_Start(&encoder, memory, region, message);
        if (status == 0)
            status = Text_Region_Encode(encoder, memory, instances, message);
        if (encoder) {
            const JB2_Error end = Text_Region_Encoder_End(&encoder, memory);
            if (status == 0)
                status = end;
        }
        return status;
    }

    void EndPage(uint32_t page)
    {
        EXPECT_EQ(ZAV::JB2PageAddNewSegment(file, ZAV::cJB2_Segment_End_Of_Page, page, message), 0);
    }

    std::vector<uint8_t> Bytes()
    {
        EXPECT_EQ(ZAV::JB2PageAddNewSegment(file, ZAV::cJB2_Segment_End_Of_File, 0, message), 0);
        Target target;
        EXPECT_EQ(ZAV::JB2FileExportDocument(file, Target::Write, &target, cJB2_Export_Format_JBIG2_File, message), 0)
            << messages.All();
        return target.bytes;
    }
};

}  // namespace JB2Test
