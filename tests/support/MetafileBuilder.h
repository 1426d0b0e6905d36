// Enhanced and old-style metafiles built byte by byte in the tests, from
// the record layouts of the published EMF and WMF formats: DIBs of every
// played depth, the records the layer plays, and any record a test needs
// to be refused.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <vector>

namespace ZAVTest {

using MetaBytes = std::vector<uint8_t>;

inline void Put16(MetaBytes& out, uint32_t value)
{
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

inline void Put32(MetaBytes& out, uint32_t value)
{
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

inline void Patch32(MetaBytes& out, size_t at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

// A packed bottom-up DIB: 40-byte header, colour table (RGB values, stored
// blue first), padded rows. pixel gives an index (1, 4, 8 bits) or a
// 0xRRGGBB colour (24, 32 bits).
inline MetaBytes MakeDib(int bits, int width, int height, const std::function<uint32_t(int, int)>& pixel,
                         const std::vector<uint32_t>& palette = {}, uint32_t compression = 0)
{
    MetaBytes dib;
    const size_t stride = (static_cast<size_t>(width) * bits + 31) / 32 * 4;
    Put32(dib, 40), Put32(dib, static_cast<uint32_t>(width)), Put32(dib, static_cast<uint32_t>(height));
    Put16(dib, 1), Put16(dib, static_cast<uint32_t>(bits)), Put32(dib, compression);
    Put32(dib, static_cast<uint32_t>(stride * height)), Put32(dib, 3780), Put32(dib, 3780);
    Put32(dib, static_cast<uint32_t>(palette.size())), Put32(dib, 0);
    for (uint32_t rgb : palette)
        Put32(dib, rgb & 0xFFFFFF);  // blue, green, red, 0
    for (int y = height - 1; y >= 0; --y) {
        MetaBytes row(stride, 0);
        for (int x = 0; x < width; ++x) {
            const uint32_t v = pixel(x, y);
            if (bits >= 24) {
                const size_t at = static_cast<size_t>(x) * (bits / 8);
                row[at] = v & 0xFF, row[at + 1] = (v >> 8) & 0xFF, row[at + 2] = (v >> 16) & 0xFF;
            } else {
                const size_t bit = static_cast<size_t>(x) * bits;
                row[bit / 8] |= static_cast<uint8_t>(v << (8 - bits - bit % 8));
            }
        }
        dib.insert(dib.end(), row.begin(), row.end());
    }
    return dib;
}

// An enhanced metafile: EMR_HEADER (108 bytes), the records, EMR_EOF.
class EmfBuilder {
public:
    EmfBuilder(int32_t frameRight, int32_t frameBottom, int32_t devicePixelsX = 1440, int32_t devicePixelsY = 960,
               int32_t millimetresX = 381, int32_t millimetresY = 254)
    {
        for (uint32_t v : {1u,
                           108u,
                           0u,
                           0u,
                           0u,
                           0u,
                           0u,
                           0u,
                           static_cast<uint32_t>(frameRight),
                           static_cast<uint32_t>(frameBottom),
                           0x464D4520u,
                           0x10000u,
                           0u,
                           0u,
                           1u,
                           0u,
                           0u,
                           0u,
                           static_cast<uint32_t>(devicePixelsX),
                           static_cast<uint32_t>(devicePixelsY),
                           static_cast<uint32_t>(millimetresX),
                           static_cast<uint32_t>(millimetresY),
                           0u,
                           0u,
                           0u,
                           static_cast<uint32_t>(millimetresX * 1000),
                           static_cast<uint32_t>(millimetresY * 1000)})
            Put32(m_bytes, v);
        m_bytes[56] = 1, m_bytes[57] = 0, m_bytes[58] = 0, m_bytes[59] = 0;  // nHandles 1, reserved
    }

    EmfBuilder& Values(uint32_t type, std::initializer_list<int32_t> values)
    {
        Put32(m_bytes, type);
        Put32(m_bytes, static_cast<uint32_t>(8 + 4 * values.size()));
        for (int32_t v : values)
            Put32(m_bytes, static_cast<uint32_t>(v));
        ++m_records;
        return *this;
    }

    // EMR_STRETCHDIBITS (81) of the packed DIB with a colour table of colours entries.
    EmfBuilder& StretchDIBits(int32_t x, int32_t y, int32_t cx, int32_t cy, int32_t sx, int32_t sy, int32_t scx,
                              int32_t scy, const MetaBytes& dib, uint32_t colours, uint32_t rop = 0x00CC0020)
    {
        const uint32_t cbInfo = 40 + 4 * colours;
        const uint32_t cbBits = static_cast<uint32_t>(dib.size()) - cbInfo;
        const size_t start = m_bytes.size();
        for (int32_t v : {81,
                          0,
                          x,
                          y,
                          x + cx - 1,
                          y + cy - 1,
                          x,
                          y,
                          sx,
                          sy,
                          scx,
                          scy,
                          80,
                          static_cast<int32_t>(cbInfo),
                          static_cast<int32_t>(80 + cbInfo),
                          static_cast<int32_t>(cbBits),
                          0,
                          static_cast<int32_t>(rop),
                          cx,
                          cy})
            Put32(m_bytes, static_cast<uint32_t>(v));
        m_bytes.insert(m_bytes.end(), dib.begin(), dib.end());
        Patch32(m_bytes, start + 4, static_cast<uint32_t>(m_bytes.size() - start));
        ++m_records;
        return *this;
    }

    // The record's bytes as they stand, for records the layer must refuse.
    EmfBuilder& Raw(const MetaBytes& record)
    {
        m_bytes.insert(m_bytes.end(), record.begin(), record.end());
        ++m_records;
        return *this;
    }

    MetaBytes Finish()
    {
        MetaBytes out = m_bytes;
        for (uint32_t v : {14u, 20u, 0u, 16u, 20u})
            Put32(out, v);
        Patch32(out, 48, static_cast<uint32_t>(out.size()));
        Patch32(out, 52, m_records + 2);
        return out;
    }

private:
    MetaBytes m_bytes;
    uint32_t m_records = 0;
};

// An old-style metafile: META_HEADER, the records, META_EOF; with a
// placeable header in front when asked.
class WmfBuilder {
public:
    // A record of 16-bit parameters, then any bytes (a DIB).
    WmfBuilder& Record(uint16_t function, std::initializer_list<int32_t> words, const MetaBytes& tail = {})
    {
        const size_t start = m_records.size();
        Put32(m_records, 0);
        Put16(m_records, function);
        for (int32_t w : words)
            Put16(m_records, static_cast<uint32_t>(w) & 0xFFFF);
        m_records.insert(m_records.end(), tail.begin(), tail.end());
        if (m_records.size() % 2)
            m_records.push_back(0);
        Patch32(m_records, start, static_cast<uint32_t>((m_records.size() - start) / 2));
        m_largest = std::max<size_t>(m_largest, (m_records.size() - start) / 2);
        return *this;
    }

    MetaBytes Finish() const
    {
        MetaBytes records = m_records;
        Put32(records, 3), Put16(records, 0);  // META_EOF
        MetaBytes out;
        const uint32_t words = static_cast<uint32_t>(9 + records.size() / 2);
        Put16(out, 1), Put16(out, 9), Put16(out, 0x300), Put32(out, words), Put16(out, 0);
        Put32(out, static_cast<uint32_t>(m_largest)), Put16(out, 0);
        out.insert(out.end(), records.begin(), records.end());
        return out;
    }

    // The placeable header (key, bounding box, units per inch, checksum) and the metafile.
    MetaBytes FinishPlaceable(int16_t left, int16_t top, int16_t right, int16_t bottom, uint16_t inch) const
    {
        MetaBytes out;
        Put32(out, 0x9AC6CDD7), Put16(out, 0);
        for (int16_t v : {left, top, right, bottom})
            Put16(out, static_cast<uint16_t>(v));
        Put16(out, inch), Put32(out, 0);
        uint16_t sum = 0;
        for (size_t i = 0; i < 20; i += 2)
            sum ^= static_cast<uint16_t>(out[i] | (out[i + 1] << 8));
        Put16(out, sum);
        const MetaBytes body = Finish();
        out.insert(out.end(), body.begin(), body.end());
        return out;
    }

private:
    MetaBytes m_records;
    size_t m_largest = 3;
};

}  // namespace ZAVTest
