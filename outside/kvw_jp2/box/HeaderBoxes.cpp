#include "outside/kvw_jp2/box/HeaderBoxes.h"

#include <cstring>

namespace KVWJP2 {

const uint8_t kIptcUuid[16] = {0x33, 0xC7, 0xA4, 0xD2, 0xB8, 0x1D, 0x47, 0x23,
                               0xA0, 0xBA, 0xF1, 0xA3, 0xE0, 0x97, 0xAD, 0x38};

void FormatUuid(const uint8_t* id, JP2_UUID_Text& text)
{
    static const char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 16; ++i) {
        text.text[2 * i] = kDigits[id[i] >> 4];
        text.text[2 * i + 1] = kDigits[id[i] & 15];
    }
    text.text[32] = 0;
}

bool ReadImageHeader(const BoxView& box, ImageHeader& header)
{
    FieldReader reader(box.data, box.size);
    header.height = reader.Read(4);
    header.width = reader.Read(4);
    header.components = static_cast<uint16_t>(reader.Read(2));
    header.bpc = static_cast<uint8_t>(reader.Read(1));
    const uint32_t compression = reader.Read(1);
    reader.Read(1);  // UnkC
    header.ipr = static_cast<uint8_t>(reader.Read(1));
    // T.800 I.5.3.1: the compression type of a JP2 file is always 7.
    header.present = !reader.Failed() && compression == 7 && header.components > 0;
    return header.present;
}

bool ReadBitsPerComponent(const BoxView& box, std::vector<uint8_t>& bpcc)
{
    bpcc.assign(box.data, box.data + box.size);
    return true;
}

bool ReadColourBox(const BoxView& box, ColourBox& colour)
{
    // T.800 I.5.3.3: only the first colr box counts.
    if (colour.present)
        return true;
    FieldReader reader(box.data, box.size);
    colour.method = static_cast<uint8_t>(reader.Read(1));
    reader.Read(2);  // precedence and approximation
    if (colour.method == 1) {
        colour.enumerated = reader.Read(4);
        while (colour.enumerated == 14 && reader.Remaining() >= 4)
            colour.labParams.push_back(reader.Read(4));
    } else if (colour.method == 2 || colour.method == 3) {
        const size_t size = reader.Remaining();
        const uint8_t* profile = reader.Take(size);
        if (profile)
            colour.icc.assign(profile, profile + size);
    } else {
        return !reader.Failed();  // other methods are ignored
    }
    colour.present = !reader.Failed();
    return colour.present;
}

static uint32_t ScaleTo8Bits(uint32_t value, uint8_t bits)
{
    if (bits == 8)
        return value;
    const uint64_t maximum = (uint64_t(1) << bits) - 1;
    return static_cast<uint32_t>((uint64_t(value) * 255 + maximum / 2) / maximum);
}

bool ReadPalette(const BoxView& box, PaletteModel& palette)
{
    FieldReader reader(box.data, box.size);
    palette.entries = reader.Read(2);
    const uint32_t columns = reader.Read(1);
    if (reader.Failed() || palette.entries < 1 || palette.entries > kMaxPaletteEntries || columns < 1 ||
        columns > kMaxPaletteColumns)
        return false;
    for (uint32_t c = 0; c < columns; ++c) {
        const uint32_t b = reader.Read(1);
        palette.bits.push_back(static_cast<uint8_t>((b & 0x7F) + 1));
        palette.isSigned.push_back(static_cast<uint8_t>(b >> 7));
        if (palette.bits.back() > 32)
            return false;
    }
    palette.values.assign(columns, std::vector<uint32_t>(palette.entries));
    for (uint32_t e = 0; e < palette.entries; ++e)
        for (uint32_t c = 0; c < columns; ++c) {
            const uint8_t bits = palette.bits[c];
            const uint32_t raw = reader.Read((bits + 7) / 8);
            const uint32_t value = bits >= 32 ? raw : raw & static_cast<uint32_t>((uint64_t(1) << bits) - 1);
            palette.values[c][e] = ScaleTo8Bits(value, bits);
        }
    palette.present = !reader.Failed();
    return palette.present;
}

bool ReadChannelDefs(const BoxView& box, std::vector<JP2_Channel_Def>& defs)
{
    FieldReader reader(box.data, box.size);
    const uint32_t count = reader.Read(2);
    if (reader.Failed() || uint64_t(count) * 6 > reader.Remaining())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        JP2_Channel_Def def = {};
        def.channel = static_cast<uint16_t>(reader.Read(2));
        const uint32_t type = reader.Read(2);
        def.type = static_cast<uint16_t>(type <= 2 ? type : 3);
        def.association = static_cast<uint16_t>(reader.Read(2));
        defs.push_back(def);
    }
    return !reader.Failed();
}

bool ReadComponentMap(const BoxView& box, JP2FileModel& model)
{
    // Components and columns are checked once the codestream and the palette are known.
    FieldReader reader(box.data, box.size);
    if (box.size % 4 != 0)
        return false;
    while (reader.Remaining() > 0) {
        model.mappedComponents.push_back(static_cast<uint16_t>(reader.Read(2)));
        const uint32_t type = reader.Read(1);
        const uint32_t column = reader.Read(1);
        model.mappedColumns.push_back(type == 1 ? int32_t(column) : -1);
    }
    return true;
}

static int32_t SignedByte(uint32_t value)
{
    return value >= 128 ? int32_t(value) - 256 : int32_t(value);
}

static double PowerOfTen(int32_t exponent)
{
    double value = 1;
    for (int32_t i = 0; i < (exponent < 0 ? -exponent : exponent); ++i)
        value *= 10;
    return exponent < 0 ? 1 / value : value;
}

bool ReadResolution(const BoxView& box, Resolution& resolution)
{
    // T.800 I.5.3.7.1: grid points per metre = N / D x 10^E; one inch is 0.0254 m,
    // computed as x 127 / 5000 so that whole dpi written as dpi x 50 / 127 come back exactly.
    FieldReader reader(box.data, box.size);
    const uint32_t vn = reader.Read(2), vd = reader.Read(2), hn = reader.Read(2), hd = reader.Read(2);
    const int32_t ve = SignedByte(reader.Read(1)), he = SignedByte(reader.Read(1));
    if (reader.Failed() || vd == 0 || hd == 0)
        return false;
    resolution.y = vn * PowerOfTen(ve) * 127 / (vd * 5000.0);
    resolution.x = hn * PowerOfTen(he) * 127 / (hd * 5000.0);
    resolution.present = true;
    return true;
}

static bool ReadUuidList(const BoxView& box, UuidInfo& info)
{
    FieldReader reader(box.data, box.size);
    const uint32_t count = reader.Read(2);
    for (uint32_t i = 0; i < count && !reader.Failed(); ++i) {
        const uint8_t* id = reader.Take(16);
        if (!id)
            return false;
        JP2_UUID_Text text;
        FormatUuid(id, text);
        info.ids.push_back(text);
    }
    return !reader.Failed();
}

bool ReadUuidInfo(const BoxView& box, UuidInfo& info)
{
    return ForEachBox(box.data, box.size, [&](const BoxView& inner) {
        if (inner.type == BoxType('u', 'l', 's', 't'))
            return ReadUuidList(inner, info);
        if (inner.type == BoxType('u', 'r', 'l', ' ') && inner.size >= 4) {
            const char* text = reinterpret_cast<const char*>(inner.data + 4);
            info.url.assign(text, strnlen(text, inner.size - 4));
        }
        return true;
    });
}

bool ReadUuid(const BoxView& box, JP2FileModel& model)
{
    if (box.size < 16)
        return false;
    if (std::memcmp(box.data, kIptcUuid, 16) == 0) {
        model.iptc.emplace_back(box.data + 16, box.data + box.size);
        return true;
    }
    UuidBox uuid;
    FormatUuid(box.data, uuid.id);
    uuid.data.assign(box.data + 16, box.data + box.size);
    model.uuids.push_back(std::move(uuid));
    return true;
}

bool ReadFileType(const BoxView& box, bool& jp2Compatible)
{
    FieldReader reader(box.data, box.size);
    const uint32_t brand = reader.Read(4);
    reader.Read(4);
    jp2Compatible = brand == BoxType('j', 'p', '2', ' ');
    while (reader.Remaining() >= 4)
        jp2Compatible = reader.Read(4) == BoxType('j', 'p', '2', ' ') || jp2Compatible;
    return !reader.Failed();
}

}  // namespace KVWJP2
