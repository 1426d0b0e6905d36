// The opcode walk up to a picture's first bitmap: drawing opcodes are
// skipped by their lengths, the bitmap opcodes read their headers.
#include "formats/codec/FileBytes.h"
#include "formats/codec/FileFacts.h"
#include "formats/pict/PictColourTable.h"
#include "formats/pict/PictOpcodeTable.h"
#include "formats/pict/PictPicture.h"
#include "formats/pict/PictRows.h"
#include "foundation/text/TextException.h"

#include <string>

namespace ZAV {

namespace {

constexpr uint16_t kEndOfPicture1 = 0x00FF;
constexpr uint16_t kEndOfPicture2 = 0xFFFF;
constexpr uint16_t kHeaderOpcode = 0x0C00;
constexpr size_t kHeaderOpcodeBytes = 24;
constexpr uint16_t kCompressedQuickTime = 0x8200;
constexpr uint16_t kRowBytesPixMap = 0x8000;

enum Opcode : uint16_t {
    kClip = 0x01,
    kBkPixPat = 0x12,
    kFillPixPat = 0x14,
    kLongText = 0x28,
    kDHText = 0x29,
    kDVText = 0x2A,
    kDHDVText = 0x2B,
    kFirstPoly = 0x70,
    kLastPoly = 0x77,
    kFirstRgn = 0x80,
    kLastRgn = 0x84,
    kBitsRect = 0x90,
    kBitsRgn = 0x91,
    kPackBitsRect = 0x98,
    kPackBitsRgn = 0x99,
    kDirectBits = 0x9A,
    kLongComment = 0xA1,
};

uint16_t ReadOpcode(CFileBytes& bytes, int version)
{
    if (version == 1)
        return bytes.U8();
    if (bytes.Position() & 1)
        bytes.Skip(1);
    return bytes.BE16();
}

// A size word that counts itself: polygons, regions.
void SkipSized(CFileBytes& bytes)
{
    const uint16_t size = bytes.BE16();
    bytes.Skip(size >= 2 ? size - 2u : 0u);
}

void SkipText(CFileBytes& bytes, uint16_t op)
{
    bytes.Skip(op == kLongText ? 4 : op == kDHDVText ? 2 : 1);
    bytes.Skip(bytes.U8());
}

PictRowLayout PatternRows(CFileBytes& bytes)
{
    PictPicture pattern;
    pattern.kind = PictBitmapKind::kPixMap;
    pattern.rowBytes = bytes.BE16();
    pattern.pixMap = ReadPictPixMap(bytes);
    pattern.width = pattern.pixMap.bounds.right - pattern.pixMap.bounds.left;
    pattern.height = pattern.pixMap.bounds.bottom - pattern.pixMap.bounds.top;
    ReadPictColourTable(bytes);
    return PictRowsOf(pattern);
}

void SkipPixelPattern(CFileBytes& bytes)
{
    const uint16_t type = bytes.BE16();
    if (type == 1) {
        bytes.Skip(8);
        SkipPictRows(bytes, PatternRows(bytes));
    } else if (type == 2) {
        bytes.Skip(8 + 5);
    } else {
        ThrowTextException("Unknown pattern type in pixPat.");
    }
}

// Opcodes above the table: lengths by range.
void SkipHighOpcode(CFileBytes& bytes, uint16_t op)
{
    if (op >= 0xA2 && op <= 0xAF)
        bytes.Skip(bytes.BE16());
    else if ((op >= 0xB0 && op <= 0xCF) || (op >= 0x8000 && op <= 0x80FF))
        return;
    else if ((op >= 0xD0 && op <= 0xFE) || (op >= 0x8100 && op <= 0xFFFE))
        bytes.Skip(bytes.BE32());
    else if (op >= 0x0100 && op <= 0x7FFF)
        bytes.Skip((op >> 7) & 0xFF);
}

void SkipTableOpcode(CFileBytes& bytes, uint16_t op)
{
    const int length = PictOpcodeTable[op].length;
    bytes.Skip(length == kPictVariableLength ? bytes.BE16() : static_cast<size_t>(length));
}

void SkipOpcode(CFileBytes& bytes, uint16_t op)
{
    if (op == kClip || (op >= kFirstPoly && op <= kLastPoly) || (op >= kFirstRgn && op <= kLastRgn))
        SkipSized(bytes);
    else if (op >= kBkPixPat && op <= kFillPixPat)
        SkipPixelPattern(bytes);
    else if (op >= kLongText && op <= kDHDVText)
        SkipText(bytes, op);
    else if (op == kLongComment) {
        bytes.Skip(2);
        bytes.Skip(bytes.BE16());
    } else if (op < kPictOpcodeCount)
        SkipTableOpcode(bytes, op);
    else if (op == kHeaderOpcode)
        bytes.Skip(kHeaderOpcodeBytes);
    else
        SkipHighOpcode(bytes, op);
}

void SetSize(PictPicture& p, const PictRect& bounds)
{
    p.width = bounds.right - bounds.left;
    p.height = bounds.bottom - bounds.top;
    // Bounds whose right or bottom lie before their left or top hold no
    // rows to read.
    if (p.width < 0 || p.height < 0)
        ThrowTextException("Invalid imagedata size!");
}

void ReadBitsOpcode(CFileBytes& bytes, uint16_t op, PictPicture& p)
{
    p.withRegion = op == kBitsRgn || op == kPackBitsRgn;
    p.rowBytes = bytes.BE16();
    if (p.rowBytes < kRowBytesPixMap) {
        p.pixMap.bounds = ReadPictRect(bytes);
        ReadPictRect(bytes);  // source
        ReadPictRect(bytes);  // destination
        bytes.Skip(2);        // transfer mode
        p.kind = PictBitmapKind::kBitmap;
        p.bits = 8;
    } else {
        p.pixMap = ReadPictPixMap(bytes);
        p.kind = PictBitmapKind::kPixMap;
        p.bits = p.pixMap.pixelSize > 8 ? 32 : 8;
    }
    SetSize(p, p.pixMap.bounds);
}

void ReadDirectBits(CFileBytes& bytes, PictPicture& p)
{
    bytes.Skip(4);
    p.rowBytes = bytes.BE16();
    p.pixMap = ReadPictPixMap(bytes);
    ReadPictRect(bytes);
    ReadPictRect(bytes);
    bytes.Skip(2);
    p.kind = PictBitmapKind::kDirect;
    p.bits = p.pixMap.pixelSize > 8 ? 32 : 8;
    SetSize(p, p.pixMap.bounds);
}

std::string Inches(int value)
{
    return std::to_string(value) + "inch";
}

void ReportFacts(CZAVImg& image, const PictPicture& p)
{
    const bool bitmap = p.kind == PictBitmapKind::kBitmap;
    const int components = bitmap ? 0 : p.pixMap.componentCount;
    CFileFacts facts(image);
    facts.SetText("TYPE", "Macintosh PICT");
    facts.SetInt("LEFT", p.pixMap.bounds.left);
    facts.SetInt("TOP", p.pixMap.bounds.top);
    facts.SetInt("WIDTH", p.width);
    facts.SetInt("HEIGHT", p.height);
    facts.SetInt("COLORDEPTH", components * 8);
    facts.SetInt("CHANNELS", components);
    facts.SetText("DPIX", Inches(bitmap ? 0 : p.pixMap.hRes));
    facts.SetText("DPIY", Inches(bitmap ? 0 : p.pixMap.vRes));
}

}  // namespace

PictPicture WalkPictOpcodes(CFileBytes& bytes, int version, CZAVImg& image)
{
    PictPicture picture;
    picture.version = version;
    for (;;) {
        const uint16_t op = ReadOpcode(bytes, version);
        if (op == kEndOfPicture1 || op == kEndOfPicture2)
            ThrowTextException("PICT contained only vector data!\n");
        if (op == kCompressedQuickTime)
            return picture;
        if (op == kBitsRect || op == kBitsRgn || op == kPackBitsRect || op == kPackBitsRgn) {
            ReadBitsOpcode(bytes, op, picture);
            break;
        }
        if (op == kDirectBits) {
            ReadDirectBits(bytes, picture);
            break;
        }
        SkipOpcode(bytes, op);
    }
    ReportFacts(image, picture);
    return picture;
}

}  // namespace ZAV
