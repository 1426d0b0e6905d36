#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "jbig2codec/render/JB2BitmapOps.h"
#include "tests/jbig2codec/JB2TestPages.h"

using namespace ZAV;

namespace {

bool Get(const std::vector<uint8_t>& row, int64_t x)
{
    return (row[size_t(x / 8)] >> (7 - x % 8)) & 1;
}

void Put(std::vector<uint8_t>& row, int64_t x, bool on)
{
    const uint8_t mask = uint8_t(0x80 >> (x % 8));
    row[size_t(x / 8)] = on ? uint8_t(row[size_t(x / 8)] | mask) : uint8_t(row[size_t(x / 8)] & ~mask);
}

std::vector<uint8_t> RandomRow(uint32_t bytes, uint32_t& seed)
{
    std::vector<uint8_t> row(bytes);
    for (uint8_t& b : row)
        b = uint8_t((seed = seed * 1664525u + 1013904223u) >> 24);
    return row;
}

// Every operator, every bit offset, spans inside and across bytes, and
// sources that start left of the destination: against a pixel-by-pixel model.
TEST(BitmapOps, CombineMatchesPixelModel)
{
    uint32_t seed = 17;
    const uint32_t destWidth = 80;
    for (uint8_t op = 0; op <= 5; ++op)
        for (uint32_t width : {1u, 5u, 7u, 8u, 9u, 23u, 40u})
            for (int64_t x = -20; x + int64_t(width) <= int64_t(destWidth); ++x) {
                if (x + int64_t(width) <= 0)
                    continue;
                std::vector<uint8_t> dest = RandomRow(destWidth / 8, seed);
                std::vector<uint8_t> source = RandomRow((width + 7) / 8 + 1, seed);
                std::vector<uint8_t> expected = dest;
                for (int64_t i = 0; i < int64_t(width); ++i)
                    if (x + i >= 0)
                        Put(expected, x + i, JB2Test::CombinePixel(Get(dest, x + i), Get(source, i), op));
                JB2RowCombine(dest.data(), source.data(), width, x, op);
                ASSERT_EQ(expected, dest) << "op " << int(op) << " width " << width << " x " << x;
            }
}

// A block of rows placed at once: each row as the pixel model combines it,
// with source and destination strides of their own and source bits past
// the width that must not leak.
TEST(BitmapOps, RowsCombineMatchesPixelModel)
{
    uint32_t seed = 5;
    const uint32_t destWidth = 72, destStride = 11, rows = 4;
    for (uint8_t op = 0; op <= 4; ++op)
        for (uint32_t width : {1u, 6u, 8u, 13u, 31u, 57u})
            for (uint32_t x = 0; x + width <= destWidth; x += 3) {
                const uint32_t sourceStride = (width + 7) / 8 + 2;
                std::vector<uint8_t> dest = RandomRow(destStride * rows, seed);
                const std::vector<uint8_t> source = RandomRow(sourceStride * rows, seed);
                std::vector<uint8_t> expected = dest;
                for (uint32_t y = 0; y < rows; ++y) {
                    const std::vector<uint8_t> from(source.begin() + y * sourceStride,
                                                    source.begin() + (y + 1) * sourceStride);
                    std::vector<uint8_t> row(expected.begin() + y * destStride,
                                             expected.begin() + (y + 1) * destStride);
                    for (uint32_t i = 0; i < width; ++i)
                        Put(row, x + i, JB2Test::CombinePixel(Get(row, x + i), Get(from, i), op));
                    std::copy(row.begin(), row.end(), expected.begin() + y * destStride);
                }
                JB2RowsCombineAt(dest.data(), destStride, source.data(), sourceStride, width, rows, x, op);
                ASSERT_EQ(expected, dest) << "op " << int(op) << " width " << width << " x " << x;
            }
}

TEST(BitmapOps, CombineInsideOneByteTouchesOnlyTheSpan)
{
    for (uint8_t op = 0; op <= 4; ++op)
        for (uint8_t destination : {uint8_t(0x00), uint8_t(0xFF), uint8_t(0xA5)}) {
            uint8_t dest[2] = {destination, 0x5A};
            uint8_t source[2] = {0xF8, 0x00};  // five pixels: 11111
            JB2RowCombine(dest, source, 5, 3, op);
            EXPECT_EQ(destination & 0xE0, dest[0] & 0xE0) << int(op);
            EXPECT_EQ(0x5A, dest[1]) << int(op);
        }
}

TEST(BitmapOps, XnorOfARowWithItselfSetsTheSpan)
{
    std::vector<uint8_t> row = {0x12, 0x34, 0x56, 0x78};
    std::vector<uint8_t> copy = {0x34, 0x56, 0x00};  // pixels 8 to 23 of the row, and the spare byte
    JB2RowCombine(row.data(), copy.data(), 16, 8, 3);
    EXPECT_EQ((std::vector<uint8_t>{0x12, 0xFF, 0xFF, 0x78}), row);
}

TEST(BitmapOps, SetRunAndShiftMatchPixelModel)
{
    for (uint32_t x = 0; x < 20; ++x)
        for (uint32_t count = 0; x + count <= 200; count += 1 + count / 3) {
            std::vector<uint8_t> row(25, 0);
            std::vector<uint8_t> expected(25, 0);
            for (uint32_t i = x; i < x + count; ++i)
                Put(expected, i, true);
            JB2RowSetRun(row.data(), x, count);
            ASSERT_EQ(expected, row) << x << " " << count;
        }
    uint32_t seed = 5;
    for (uint32_t shift = 0; shift < 8; ++shift)
        for (uint32_t width : {1u, 8u, 13u, 64u}) {
            std::vector<uint8_t> row = RandomRow((width + 7) / 8, seed);
            std::vector<uint8_t> expected(row.size(), 0);
            for (uint32_t i = 0; i + shift < row.size() * 8; ++i)
                Put(expected, i, Get(row, i + shift));
            JB2RowShiftLeft(row.data(), width, shift);
            ASSERT_EQ(expected, row) << shift << " " << width;
        }
}

}  // namespace
