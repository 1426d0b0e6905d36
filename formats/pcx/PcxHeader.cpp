#include "formats/pcx/PcxHeader.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/FileFacts.h"
#include "formats/codec/PicEncoder.h"
#include "foundation/datasource/IDataSource.h"

#include <cstring>
#include <string>

namespace ZAV {

namespace {

constexpr int kCodeWrite = 27;
constexpr size_t kFillerBytes = 58;

void PutLittle16(uint8_t*& out, uint16_t value)
{
    *out++ = static_cast<uint8_t>(value);
    *out++ = static_cast<uint8_t>(value >> 8);
}

std::string Inches(int dpi)
{
    return std::to_string(dpi) + "inch";
}

}  // namespace

PcxHeader ReadPcxHeader(CFileBytes& bytes)
{
    PcxHeader h;
    h.manufacturer = bytes.U8();
    h.version = bytes.U8();
    h.encoding = bytes.U8();
    h.bitsPerPixel = bytes.U8();
    h.xMin = bytes.LE16();
    h.yMin = bytes.LE16();
    h.xMax = bytes.LE16();
    h.yMax = bytes.LE16();
    h.hDpi = bytes.LE16();
    h.vDpi = bytes.LE16();
    std::memcpy(h.palette16, bytes.Take(sizeof h.palette16), sizeof h.palette16);
    h.reserved = bytes.U8();
    h.planes = bytes.U8();
    h.bytesPerLine = bytes.LE16();
    h.paletteInfo = bytes.LE16();
    bytes.Skip(kFillerBytes);
    return h;
}

PcxHeader ReadPcxHeader(IDataSource& source)
{
    CFileBytes bytes(source.ReadBlock(kPcxHeaderBytes), kPcxHeaderBytes);
    return ReadPcxHeader(bytes);
}

void WritePcxHeader(IDataSource& target, const PcxHeader& h)
{
    uint8_t record[kPcxHeaderBytes] = {};
    uint8_t* out = record;
    *out++ = h.manufacturer;
    *out++ = h.version;
    *out++ = h.encoding;
    *out++ = h.bitsPerPixel;
    for (uint16_t value : {h.xMin, h.yMin, h.xMax, h.yMax, h.hDpi, h.vDpi})
        PutLittle16(out, value);
    std::memcpy(out, h.palette16, sizeof h.palette16);
    out += sizeof h.palette16;
    *out++ = h.reserved;
    *out++ = h.planes;
    PutLittle16(out, h.bytesPerLine);
    PutLittle16(out, h.paletteInfo);
    if (!target.Write(record, sizeof record))
        CPicEncoder::ThrowError(kCodeWrite, "PCX write error!");
}

void ReportPcxFacts(CZAVImg& image, const PcxHeader& h)
{
    CFileFacts facts(image);
    facts.SetText("TYPE", "ZSoft PCX");
    facts.SetInt("WIDTH", h.Width());
    facts.SetInt("HEIGHT", h.Height());
    facts.SetInt("COLORDEPTH", h.bitsPerPixel * h.planes);
    facts.SetInt("CHANNELS", h.planes);
    facts.SetText("DPIX", Inches(h.hDpi));
    facts.SetText("DPIY", Inches(h.vDpi));
    facts.SetText("COMPRESSION", "RLE");
}

}  // namespace ZAV
