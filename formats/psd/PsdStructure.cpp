#include "formats/psd/PsdStructure.h"

#include "formats/codec/FileFacts.h"
#include "formats/codec/PicDecoder.h"
#include "formats/codec/FileBytes.h"
#include "formats/psd/PsdEffectParsers.h"
#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "image/core/ImagePalette.h"

#include <cstdlib>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 1;
constexpr int kCodeMemory = 10;
constexpr int kPaletteEntries = 256;
// A layer record's fixed fields: rectangle, channel count, blend-mode
// signature and key, four bytes, extra-data length.
constexpr uint64_t kMinLayerRecordBytes = 34;
// Old writers put an 8-byte header before the layer section's length.
constexpr uint32_t kWrappedSectionLength = 8;

const char* SubTypeText(uint16_t mode)
{
    switch (mode) {
    case 0:
        return "Black&White";
    case 1:
        return "Grayscale";
    case 2:
        return "Palette";
    case 3:
        return "RGB";
    case 4:
        return "CMYK";
    case 8:
        return "Duotone";
    default:
        return "";
    }
}

const char* ColourInfoText(uint16_t mode)
{
    switch (mode) {
    case 0:
        return "Bitmap";
    case 1:
        return "Grayscale";
    case 2:
        return "Indexed";
    case 3:
        return "RGB";
    case 4:
        return "CMYK";
    case 8:
        return "Duotone";
    default:
        return "unknown";
    }
}

std::vector<uint32_t> GreyRamp()
{
    std::vector<uint32_t> ramp(kPaletteEntries);
    for (int i = 0; i < kPaletteEntries; ++i)
        ramp[static_cast<size_t>(i)] =
            MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0);
    return ramp;
}

// Colour mode data: the palette of bitmap, grey and indexed documents. At
// most 256 entries are taken; the rest of the data is skipped.
void ReadColourModeData(CFileBytes& cursor, PsdDocument& document)
{
    const uint16_t mode = document.header.mode;
    const uint32_t length = cursor.BE32();
    if (mode == 0)
        document.palette = {MakePaletteEntry(255, 255, 255, 0), MakePaletteEntry(0, 0, 0, 0)};
    else if (mode == 1 || mode == 2 || mode == 8)
        document.palette = GreyRamp();
    if ((mode == 0 || mode == 1 || mode == 2) && length > 0) {
        const uint32_t n = length / 3;
        const uint32_t used = n < kPaletteEntries ? n : kPaletteEntries;
        if (document.palette.size() < used)
            document.palette.resize(used, 0);
        const uint8_t* data = cursor.Take(static_cast<size_t>(n) * 3);
        for (uint32_t i = 0; i < used; ++i)
            document.palette[i] = MakePaletteEntry(data[i], data[n + i], data[2 * n + i], 0);
        if (!cursor.TrySkip(length - n * 3))
            CPicDecoder::ThrowError(kCodeFormat, "Error skipping color data.");
        return;
    }
    if (!cursor.TrySkip(length))
        CPicDecoder::ThrowError(kCodeFormat, "Error skipping color data.");
}

void ReadResourceBlocks(CFileBytes& cursor, uint32_t length)
{
    const size_t end = cursor.Position() + length;
    while (end > cursor.Position() && end - cursor.Position() > 8) {
        cursor.Take(4);  // signature
        cursor.BE16();
        const uint8_t nameLength = cursor.U8();
        // Name and length byte padded to an even total.
        cursor.Take(static_cast<size_t>(nameLength + ((nameLength + 1) & 1)));
        uint32_t dataLength = cursor.BE32();
        dataLength += dataLength & 1;
        if (!cursor.TrySkip(dataLength))
            ThrowTextException("Error skipping image resource data.");
    }
    if (cursor.Position() > end || !cursor.Seek(end))
        ThrowTextException("Error skipping ImageResource.");
}

void ReadImageResources(CFileBytes& cursor, bool readResources)
{
    const uint32_t length = cursor.BE32();
    if (length == 0)
        return;
    if (!readResources) {
        if (!cursor.TrySkip(length))
            CPicDecoder::ThrowError(kCodeFormat, "Error skipping image resources.");
        return;
    }
    ReadResourceBlocks(cursor, length);
}

}  // namespace

PsdFileHeader ReadPsdHeader(CFileBytes& cursor, CFileFacts& facts)
{
    PsdFileHeader header;
    const uint8_t* signature = cursor.Take(4);
    header.version = cursor.BE16();
    if (std::memcmp(signature, "8BPS", 4) != 0 || header.version != 1)
        CPicDecoder::ThrowError(kCodeFormat, "Not a PSD file.");
    cursor.Take(6);
    header.channels = cursor.BE16();
    header.rows = cursor.BE32();
    header.columns = cursor.BE32();
    header.depth = cursor.BE16();
    header.mode = cursor.BE16();
    if (header.depth != 1 && header.depth != 8)
        CPicDecoder::ThrowError(kCodeFormat, "Invalid color depth.");
    if (header.mode > 4 && header.mode != 8)
        CPicDecoder::ThrowError(kCodeFormat, "Unsupported image mode.");
    facts.SetText("TYPE", "Adobe Photoshop (PSD)");
    facts.SetText("SUBTYPE", SubTypeText(header.mode));
    facts.SetInt("WIDTH", static_cast<int>(header.columns));
    facts.SetInt("HEIGHT", static_cast<int>(header.rows));
    facts.SetInt("COLORDEPTH", header.depth);
    facts.SetText("COLORINFO", ColourInfoText(header.mode));
    facts.SetInt("CHANNELS", header.channels);
    facts.SetInt("VERSION", header.version);
    return header;
}

void ReadPsdLayerRecords(CFileBytes& cursor, CFileFacts& facts, PsdDocument& document, int count);

PsdDocument ReadPsdStructure(CFileBytes& cursor, CFileFacts& facts, bool readResources)
{
    PsdDocument document;
    document.header = ReadPsdHeader(cursor, facts);
    ReadColourModeData(cursor, document);
    ReadImageResources(cursor, readResources);
    uint32_t length = cursor.BE32();
    if (length == kWrappedSectionLength) {
        cursor.BE32();
        length = cursor.BE32();
    }
    if (length == 0) {
        document.channelDataStart = cursor.Position();
        document.mergedStartKnown = true;
        document.mergedStart = cursor.Position();
        return document;
    }
    document.mergedStartKnown = true;
    document.mergedStart = cursor.Position() + length;
    cursor.BE32();  // layer info length
    const int count = std::abs(static_cast<int16_t>(cursor.BE16()));
    // Every record takes its fixed fields at least: a count the file
    // cannot hold is refused before anything is allocated for it.
    if (static_cast<uint64_t>(count) * kMinLayerRecordBytes > cursor.Remaining())
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer count.");
    if (count > 0) {
        facts.SetInt("LAYERS", count);
        try {
            document.layers.resize(static_cast<size_t>(count));
        } catch (const std::bad_alloc&) {
            CPicDecoder::ThrowError(kCodeMemory, "Out of memory!");
        }
        ReadPsdLayerRecords(cursor, facts, document, count);
    }
    document.channelDataStart = cursor.Position();
    return document;
}

}  // namespace ZAV
