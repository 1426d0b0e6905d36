#include "formats/tga/TgaHeader.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/FileFacts.h"

namespace ZAV {

namespace {

const char* SubType(uint8_t imageType)
{
    switch (imageType) {
    case kTgaMapped:
        return "Map";
    case kTgaTrueColour:
        return "RGB";
    case kTgaBlackWhite:
        return "Black&White";
    case kTgaRleMapped:
        return "RLE Map";
    case kTgaRleTrueColour:
        return "RLE RGB";
    case kTgaRleBlackWhite:
        return "RLE Black&White";
    default:
        return "";
    }
}

void ReportFacts(CZAVImg& image, const TgaHeader& h)
{
    CFileFacts facts(image);
    facts.SetText("TYPE", "Truevision TARGA (TGA)");
    facts.SetInt("LEFT", h.xOrigin);
    facts.SetInt("TOP", h.yOrigin);
    facts.SetInt("WIDTH", h.width);
    facts.SetInt("HEIGHT", h.height);
    facts.SetInt("COLORDEPTH", h.pixelDepth);
    facts.SetText("SUBTYPE", SubType(h.imageType));
}

}  // namespace

TgaHeader ReadTgaHeader(CFileBytes& bytes, CZAVImg& image)
{
    TgaHeader h;
    h.idLength = bytes.U8();
    h.colourMapType = bytes.U8();
    h.imageType = bytes.U8();
    h.mapFirst = bytes.LE16();
    h.mapLength = bytes.LE16();
    h.mapEntryBits = bytes.U8();
    h.xOrigin = bytes.LE16();
    h.yOrigin = bytes.LE16();
    h.width = bytes.LE16();
    h.height = bytes.LE16();
    h.pixelDepth = bytes.U8();
    h.descriptor = bytes.U8();
    bytes.Skip(h.idLength);
    ReportFacts(image, h);
    return h;
}

}  // namespace ZAV
