#include "outside/kvw_jp2/box/BoxWriter.h"

#include "outside/kvw_jp2/box/BoxFields.h"

namespace KVWJP2 {

namespace {

void Put(Bytes& out, uint32_t value, unsigned bytes)
{
    for (unsigned i = bytes; i-- > 0;)
        out.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

void PutBytes(Bytes& out, const uint8_t* data, size_t size)
{
    out.insert(out.end(), data, data + size);
}

// A box of the given contents; XLBox when they pass 4 GiB.
void PutBox(Bytes& out, uint32_t type, const Bytes& contents)
{
    const uint64_t length = contents.size() + 8;
    if (length > UINT32_MAX) {
        Put(out, 1, 4);
        Put(out, type, 4);
        Put(out, static_cast<uint32_t>((length + 8) >> 32), 4);
        Put(out, static_cast<uint32_t>(length + 8), 4);
    } else {
        Put(out, static_cast<uint32_t>(length), 4);
        Put(out, type, 4);
    }
    PutBytes(out, contents.data(), contents.size());
}

Bytes ImageHeaderBox(const JP2FileOut& file)
{
    Bytes ihdr;
    Put(ihdr, file.height, 4);
    Put(ihdr, file.width, 4);
    Put(ihdr, file.components, 2);
    Put(ihdr, 7, 1);  // 8 bits, unsigned
    Put(ihdr, 7, 1);  // T.800 I.5.3.1: compression type 7
    Put(ihdr, 0, 1);  // colour space known
    Put(ihdr, file.ip.empty() ? 0 : 1, 1);
    return ihdr;
}

void PutPalette(Bytes& header, const PaletteModel& palette)
{
    Bytes pclr;
    const uint32_t columns = static_cast<uint32_t>(palette.values.size());
    Put(pclr, palette.entries, 2);
    Put(pclr, columns, 1);
    for (uint32_t c = 0; c < columns; ++c)
        Put(pclr, 7, 1);
    for (uint32_t e = 0; e < palette.entries; ++e)
        for (uint32_t c = 0; c < columns; ++c)
            Put(pclr, palette.values[c][e] & 0xFF, 1);
    PutBox(header, BoxType('p', 'c', 'l', 'r'), pclr);
    Bytes cmap;
    for (uint32_t c = 0; c < columns; ++c) {
        Put(cmap, 0, 2);  // component 0
        Put(cmap, 1, 1);  // through the palette
        Put(cmap, c, 1);
    }
    PutBox(header, BoxType('c', 'm', 'a', 'p'), cmap);
}

// T.800 I.5.3.7.1: grid points per metre as N / D x 10^E; dpi x 50 / 127 x 10^2 is exact.
void PutResolutionFraction(Bytes& out, uint32_t dpi, int32_t& exponent)
{
    uint64_t numerator = uint64_t(dpi) * 50;
    exponent = 2;
    while (numerator > 0xFFFF) {
        numerator /= 10;
        ++exponent;
    }
    Put(out, static_cast<uint32_t>(numerator), 2);
    Put(out, 127, 2);
}

void PutResolution(Bytes& header, const JP2FileOut& file)
{
    Bytes resc;
    int32_t exponentY = 0, exponentX = 0;
    PutResolutionFraction(resc, file.dpiY, exponentY);
    PutResolutionFraction(resc, file.dpiX, exponentX);
    Put(resc, static_cast<uint32_t>(exponentY), 1);
    Put(resc, static_cast<uint32_t>(exponentX), 1);
    Bytes res;
    PutBox(res, BoxType('r', 'e', 's', 'c'), resc);
    PutBox(header, BoxType('r', 'e', 's', ' '), res);
}

Bytes HeaderBox(const JP2FileOut& file)
{
    Bytes header;
    PutBox(header, BoxType('i', 'h', 'd', 'r'), ImageHeaderBox(file));
    Bytes colr;
    Put(colr, 1, 1);                                           // enumerated
    Put(colr, 0, 2);                                           // precedence, approximation
    Put(colr, file.rgb || file.palette.present ? 16 : 17, 4);  // sRGB or greyscale
    PutBox(header, BoxType('c', 'o', 'l', 'r'), colr);
    if (file.palette.present)
        PutPalette(header, file.palette);
    if (file.dpiX && file.dpiY)
        PutResolution(header, file);
    return header;
}

void PutUuid(Bytes& out, const uint8_t* id, const Bytes& data)
{
    Bytes contents(id, id + 16);
    PutBytes(contents, data.data(), data.size());
    PutBox(out, BoxType('u', 'u', 'i', 'd'), contents);
}

void PutUuidInfo(Bytes& out, const UuidInfoOut& info)
{
    Bytes ulst;
    Put(ulst, static_cast<uint32_t>(info.ids.size()), 2);
    for (const auto& id : info.ids)
        PutBytes(ulst, id.data(), id.size());
    Bytes url;
    Put(url, 0, 4);  // version and flags
    PutBytes(url, reinterpret_cast<const uint8_t*>(info.url.c_str()), info.url.size() + 1);
    Bytes uinf;
    PutBox(uinf, BoxType('u', 'l', 's', 't'), ulst);
    PutBox(uinf, BoxType('u', 'r', 'l', ' '), url);
    PutBox(out, BoxType('u', 'i', 'n', 'f'), uinf);
}

}  // namespace

void WriteJP2File(const JP2FileOut& file, const Bytes& codestream, Bytes& out)
{
    static const uint8_t kSignature[12] = {0, 0, 0, 12, 'j', 'P', ' ', ' ', 0x0D, 0x0A, 0x87, 0x0A};
    PutBytes(out, kSignature, sizeof(kSignature));
    Bytes ftyp;
    Put(ftyp, BoxType('j', 'p', '2', ' '), 4);
    Put(ftyp, 0, 4);
    Put(ftyp, BoxType('j', 'p', '2', ' '), 4);
    PutBox(out, BoxType('f', 't', 'y', 'p'), ftyp);
    PutBox(out, BoxType('j', 'p', '2', 'h'), HeaderBox(file));
    for (const Bytes& xml : file.xml)
        PutBox(out, BoxType('x', 'm', 'l', ' '), xml);
    for (const Bytes& ip : file.ip)
        PutBox(out, BoxType('j', 'p', '2', 'i'), ip);
    for (const Bytes& iptc : file.iptc)
        PutUuid(out, kIptcUuid, iptc);
    for (const UuidOut& uuid : file.uuids)
        PutUuid(out, uuid.id.data(), uuid.data);
    if (file.uuidInfo.present)
        PutUuidInfo(out, file.uuidInfo);
    PutBox(out, BoxType('j', 'p', '2', 'c'), codestream);
}

}  // namespace KVWJP2
