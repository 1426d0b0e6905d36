#include "formats/pict/PictPicture.h"

#include "formats/codec/FileBytes.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

constexpr size_t kPreambleBytes = 512;
constexpr uint8_t kVersionOpcode = 0x11;
constexpr uint8_t kVersion2Marker = 0xFF;

// The integer part of a 16.16 fixed-point value.
uint16_t FixedInteger(CFileBytes& bytes)
{
    const uint16_t integer = bytes.BE16();
    bytes.Skip(2);
    return integer;
}

}  // namespace

PictRect ReadPictRect(CFileBytes& bytes)
{
    PictRect r;
    r.top = static_cast<int16_t>(bytes.BE16());
    r.left = static_cast<int16_t>(bytes.BE16());
    r.bottom = static_cast<int16_t>(bytes.BE16());
    r.right = static_cast<int16_t>(bytes.BE16());
    return r;
}

PictPixMap ReadPictPixMap(CFileBytes& bytes)
{
    PictPixMap p;
    p.bounds = ReadPictRect(bytes);
    p.version = bytes.BE16();
    p.packType = bytes.BE16();
    p.packSize = bytes.BE32();
    p.hRes = FixedInteger(bytes);
    p.vRes = FixedInteger(bytes);
    p.pixelType = bytes.BE16();
    p.pixelSize = bytes.BE16();
    p.componentCount = bytes.BE16();
    p.componentSize = bytes.BE16();
    p.planeBytes = bytes.BE32();
    p.table = bytes.BE32();
    p.reserved = bytes.BE32();
    return p;
}

int ReadPictVersion(CFileBytes& bytes)
{
    if (!bytes.Seek(kPreambleBytes))
        CFileBytes::ThrowEndOfData();
    bytes.Skip(2);  // picture size: only the low 16 bits of old pictures
    ReadPictRect(bytes);
    uint8_t byte = 0;
    while (bytes.Has(1) && (byte = bytes.U8()) == 0) {
    }
    if (byte != kVersionOpcode)
        ThrowTextException("Error decoding PICT: Version number missing.");
    const uint8_t version = bytes.U8();
    if (version == 1)
        return 1;
    if (version == 2 && bytes.U8() == kVersion2Marker)
        return 2;
    ThrowTextException("Error decoding PICT: Illegal version number.");
}

}  // namespace ZAV
