// Builds small JBIG2 files around coded region data, so that an independent
// decoder (jbig2dec) can check what the coders produce, and reads its PBM output.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "tests/jbig2codec/JB2TestPages.h"

namespace JB2Test {

inline void PutU32(std::vector<uint8_t>& out, uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(uint8_t(value >> shift));
}

// Segment with no referred-to segments, associated with page 1.
inline void PutSegment(std::vector<uint8_t>& out, uint32_t number, uint8_t type, const std::vector<uint8_t>& data)
{
    PutU32(out, number);
    out.push_back(type);
    out.push_back(0);  // no referred-to segments
    out.push_back(1);  // page 1
    PutU32(out, uint32_t(data.size()));
    out.insert(out.end(), data.begin(), data.end());
}

// Region segment information: width, height, x, y, combination operator.
inline std::vector<uint8_t> RegionInfo(uint32_t width, uint32_t height, uint32_t x, uint32_t y, uint8_t op)
{
    std::vector<uint8_t> out;
    PutU32(out, width);
    PutU32(out, height);
    PutU32(out, x);
    PutU32(out, y);
    out.push_back(op);
    return out;
}

// Generic region segment data: region information, flags, AT bytes (not
// for MMR), coded data.
inline std::vector<uint8_t> GenericRegionData(uint32_t width, uint32_t height, bool mmr, uint8_t gbTemplate,
                                              bool tpgdon, const int8_t* atX, const int8_t* atY,
                                              const std::vector<uint8_t>& coded, uint32_t x = 0, uint32_t y = 0,
                                              uint8_t op = 0)
{
    std::vector<uint8_t> out = RegionInfo(width, height, x, y, op);
    out.push_back(uint8_t((mmr ? 1 : 0) | (gbTemplate << 1) | (tpgdon ? 8 : 0)));
    if (!mmr)
        for (int i = 0; i < (gbTemplate == 0 ? 4 : 1); ++i) {
            out.push_back(uint8_t(atX[i]));
            out.push_back(uint8_t(atY[i]));
        }
    out.insert(out.end(), coded.begin(), coded.end());
    return out;
}

// The file header of a sequential one-page file and its page information as segment 0.
inline std::vector<uint8_t> OnePageStart(uint32_t pageWidth, uint32_t pageHeight, uint8_t pageFlags = 0)
{
    std::vector<uint8_t> out = {0x97, 0x4A, 0x42, 0x32, 0x0D, 0x0A, 0x1A, 0x0A, 0x01};
    PutU32(out, 1);
    std::vector<uint8_t> page;
    PutU32(page, pageWidth);
    PutU32(page, pageHeight);
    PutU32(page, 0);
    PutU32(page, 0);
    page.push_back(pageFlags);
    page.push_back(0);
    page.push_back(0);
    PutSegment(out, 0, 48, page);
    return out;
}

// A sequential one-page file: page information, the region segments given, end of page.
inline std::vector<uint8_t> OnePageFile(uint32_t pageWidth, uint32_t pageHeight,
                                        const std::vector<std::vector<uint8_t>>& genericRegions, uint8_t pageFlags = 0)
{
    std::vector<uint8_t> out = OnePageStart(pageWidth, pageHeight, pageFlags);
    uint32_t number = 1;
    for (const auto& region : genericRegions)
        PutSegment(out, number++, 38, region);
    PutSegment(out, number++, 49, {});
    return out;
}

// Decodes a JBIG2 file with jbig2dec; an empty page named "failed" on failure.
inline Page Jbig2decDecode(const std::vector<uint8_t>& file, const ZAVTest::TempDir& dir)
{
    Page page;
    page.name = "failed";
    const std::string in = dir.File("in.jb2");
    const std::string out = dir.File("out.pbm");
    ZAVTest::WriteBytes(in, file);
    const ZAVTest::RunResult run =
        ZAVTest::Run("jbig2dec -q -t pbm -o " + ZAVTest::ShellQuote(out) + " " + ZAVTest::ShellQuote(in));
    if (run.exitCode != 0 || !ZAVTest::FileExists(out))
        return page;
    const std::vector<uint8_t> pbm = ZAVTest::ReadBytes(out);
    // "P4", blank, width, blank, height, one blank, then the rows.
    size_t pos = 2;
    auto number = [&]() {
        while (pos < pbm.size() && (pbm[pos] == ' ' || pbm[pos] == '\n' || pbm[pos] == '\r' || pbm[pos] == '\t'))
            ++pos;
        uint32_t value = 0;
        while (pos < pbm.size() && pbm[pos] >= '0' && pbm[pos] <= '9')
            value = value * 10 + uint32_t(pbm[pos++] - '0');
        return value;
    };
    if (pbm.size() < 2 || pbm[0] != 'P' || pbm[1] != '4')
        return page;
    const uint32_t width = number();
    const uint32_t height = number();
    ++pos;
    page = BlankPage("jbig2dec", width, height);
    if (pbm.size() - pos != page.bits.size()) {
        page.name = "failed";
        return page;
    }
    std::copy(pbm.begin() + long(pos), pbm.end(), page.bits.begin());
    return page;
}

}  // namespace JB2Test
