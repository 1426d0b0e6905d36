#include "formats/psd/PsdBuilder.h"

namespace ZAVTest {

void PutBig(Bytes& out, uint32_t value, int bytes)
{
    for (int i = bytes - 1; i >= 0; --i)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

Bytes PackBitsRow(const Bytes& row)
{
    Bytes out;
    size_t i = 0;
    while (i < row.size()) {
        size_t run = 1;
        while (i + run < row.size() && row[i + run] == row[i] && run < 128)
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<uint8_t>(1 - static_cast<int>(run)));
            out.push_back(row[i]);
            i += run;
            continue;
        }
        size_t literal = 1;
        while (i + literal < row.size() && literal < 128 &&
               !(i + literal + 2 < row.size() && row[i + literal] == row[i + literal + 1] &&
                 row[i + literal] == row[i + literal + 2]))
            ++literal;
        out.push_back(static_cast<uint8_t>(literal - 1));
        out.insert(out.end(), row.begin() + static_cast<long>(i), row.begin() + static_cast<long>(i + literal));
        i += literal;
    }
    return out;
}

namespace {

// The compression word and the coded rows of one plane.
// Layer channels are padded to an even length (a zero byte after raw
// rows, a PackBits no-op in the last row), as Pillow expects.
Bytes CodePlane(uint16_t compression, const Bytes& samples, size_t rows, bool layerChannel = true)
{
    Bytes out;
    if (layerChannel)
        PutBig(out, compression, 2);
    if (compression == 0 || rows == 0) {
        out.insert(out.end(), samples.begin(), samples.end());
        if (layerChannel && out.size() % 2)
            out.push_back(0);
        return out;
    }
    const size_t perRow = samples.size() / rows;
    Bytes counts;
    Bytes data;
    size_t total = 2 + 2 * rows;
    for (size_t y = 0; y < rows; ++y) {
        const Bytes row(samples.begin() + static_cast<long>(y * perRow),
                        samples.begin() + static_cast<long>((y + 1) * perRow));
        Bytes coded = PackBitsRow(row);
        total += coded.size();
        if (layerChannel && y + 1 == rows && total % 2)
            coded.push_back(0x80);
        PutBig(counts, static_cast<uint32_t>(coded.size()), 2);
        data.insert(data.end(), coded.begin(), coded.end());
    }
    out.insert(out.end(), counts.begin(), counts.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

size_t ChannelRows(const PsdTestLayer& layer, const PsdTestChannel& channel)
{
    if (channel.id == -2)
        return static_cast<size_t>(layer.maskBottom - layer.maskTop);
    return static_cast<size_t>(layer.bottom - layer.top);
}

Bytes LayerRecord(const PsdTestLayer& layer, const std::vector<Bytes>& coded)
{
    Bytes out;
    for (int32_t v : {layer.top, layer.left, layer.bottom, layer.right})
        PutBig(out, static_cast<uint32_t>(v), 4);
    PutBig(out, static_cast<uint32_t>(layer.channels.size()), 2);
    for (size_t i = 0; i < layer.channels.size(); ++i) {
        PutBig(out, static_cast<uint16_t>(layer.channels[i].id), 2);
        PutBig(out, static_cast<uint32_t>(coded[i].size()), 4);
    }
    out.insert(out.end(), {'8', 'B', 'I', 'M'});
    out.insert(out.end(), layer.blendKey.begin(), layer.blendKey.end());
    out.insert(out.end(), {layer.opacity, 0, layer.flags, 0});
    Bytes extra;
    if (!layer.noExtraData) {
        if (layer.hasMask) {
            PutBig(extra, 20, 4);
            for (int32_t v : {layer.maskTop, layer.maskLeft, layer.maskBottom, layer.maskRight})
                PutBig(extra, static_cast<uint32_t>(v), 4);
            extra.insert(extra.end(), {0, 0, 0, 0});
        } else {
            PutBig(extra, 0, 4);
        }
        PutBig(extra, 0, 4);  // blending ranges
        Bytes name = {static_cast<uint8_t>(layer.name.size())};
        name.insert(name.end(), layer.name.begin(), layer.name.end());
        while (name.size() % 4)
            name.push_back(0);
        extra.insert(extra.end(), name.begin(), name.end());
        extra.insert(extra.end(), layer.additional.begin(), layer.additional.end());
    }
    PutBig(out, static_cast<uint32_t>(extra.size()), 4);
    out.insert(out.end(), extra.begin(), extra.end());
    return out;
}

Bytes LayerSection(const PsdTestDocument& document)
{
    if (document.layers.empty())
        return {};
    Bytes records;
    Bytes channelData;
    for (const PsdTestLayer& layer : document.layers) {
        std::vector<Bytes> coded;
        for (const PsdTestChannel& channel : layer.channels)
            coded.push_back(CodePlane(channel.compression, channel.samples, ChannelRows(layer, channel)));
        Bytes record = LayerRecord(layer, coded);
        records.insert(records.end(), record.begin(), record.end());
        for (const Bytes& c : coded)
            channelData.insert(channelData.end(), c.begin(), c.end());
    }
    Bytes info;
    const int count = static_cast<int>(document.layers.size());
    PutBig(info, static_cast<uint16_t>(document.negativeCount ? -count : count), 2);
    info.insert(info.end(), records.begin(), records.end());
    info.insert(info.end(), channelData.begin(), channelData.end());
    if (info.size() % 2)
        info.push_back(0);
    Bytes section;
    PutBig(section, static_cast<uint32_t>(info.size()), 4);
    section.insert(section.end(), info.begin(), info.end());
    PutBig(section, 0, 4);  // global mask information
    return section;
}

}  // namespace

Bytes KeyedBlock(const std::string& key, const Bytes& data)
{
    Bytes out = {'8', 'B', 'I', 'M'};
    out.insert(out.end(), key.begin(), key.end());
    PutBig(out, static_cast<uint32_t>(data.size()), 4);
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes ShadowRecord(int version, int blur, int angle, uint8_t red, uint8_t green, uint8_t blue, uint8_t opacity)
{
    Bytes out;
    PutBig(out, static_cast<uint32_t>(version), 4);
    PutBig(out, static_cast<uint32_t>(blur) << 16, 4);
    PutBig(out, 75, 4);  // intensity
    PutBig(out, static_cast<uint32_t>(angle) << 16, 4);
    PutBig(out, 9u << 16, 4);  // distance
    out.insert(out.end(), {0, 0, red, 0, green, 0, blue, 0, 0, 0});
    out.insert(out.end(), {'8', 'B', 'I', 'M', 'm', 'u', 'l', ' ', 1, 0, opacity});
    if (version == 2)
        out.insert(out.end(), 10, 0);  // native colour
    return out;
}

Bytes BuildPsd(const PsdTestDocument& document)
{
    Bytes out = {'8', 'B', 'P', 'S', 0, 1, 0, 0, 0, 0, 0, 0};
    PutBig(out, document.channels, 2);
    PutBig(out, document.height, 4);
    PutBig(out, document.width, 4);
    PutBig(out, document.depth, 2);
    PutBig(out, document.mode, 2);
    PutBig(out, static_cast<uint32_t>(document.colourData.size()), 4);
    out.insert(out.end(), document.colourData.begin(), document.colourData.end());
    PutBig(out, static_cast<uint32_t>(document.resources.size()), 4);
    out.insert(out.end(), document.resources.begin(), document.resources.end());
    const Bytes section = LayerSection(document);
    PutBig(out, static_cast<uint32_t>(section.size()), 4);
    out.insert(out.end(), section.begin(), section.end());
    PutBig(out, document.mergedCompression, 2);
    Bytes counts;
    Bytes data;
    for (const Bytes& plane : document.mergedPlanes) {
        const Bytes coded = CodePlane(document.mergedCompression, plane, document.height, false);
        if (document.mergedCompression == 1) {
            counts.insert(counts.end(), coded.begin(), coded.begin() + 2 * document.height);
            data.insert(data.end(), coded.begin() + 2 * document.height, coded.end());
        } else {
            data.insert(data.end(), coded.begin(), coded.end());
        }
    }
    out.insert(out.end(), counts.begin(), counts.end());
    out.insert(out.end(), data.begin(), data.end());
    return out;
}

Bytes PatternPlane(int width, int height, int seed)
{
    Bytes plane;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            plane.push_back(static_cast<uint8_t>(x < 3 ? seed * 40 : (x * 37 + y * 11 + seed * 71) % 256));
    return plane;
}

}  // namespace ZAVTest
