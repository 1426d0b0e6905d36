// The layer records of a Photoshop document's layer and mask section.
#include "formats/codec/FileFacts.h"
#include "formats/codec/PicDecoder.h"
#include "formats/codec/FileBytes.h"
#include "formats/psd/PsdEffectParsers.h"
#include "formats/psd/PsdStructure.h"
#include "image/core/ImageLimits.h"

#include <cstring>
#include <string>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 1;
constexpr uint32_t kMaskRectangleBytes = 16;
// The rectangle, then the colour outside it and the mask's flags.
constexpr uint32_t kMaskColourAndFlagsBytes = kMaskRectangleBytes + 2;
// CMYK layers hold four bytes a pixel while they are read.
constexpr int64_t kPsdMaxPlaneBytes = 4;

struct Rectangle {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// top, left, bottom, right; the sizes must be whole pictures the image may
// hold, so nothing later allocates from a hostile rectangle.
Rectangle ReadRectangle(CFileBytes& cursor)
{
    Rectangle r;
    const int64_t top = static_cast<int32_t>(cursor.BE32());
    const int64_t left = static_cast<int32_t>(cursor.BE32());
    const int64_t bottom = static_cast<int32_t>(cursor.BE32());
    const int64_t right = static_cast<int32_t>(cursor.BE32());
    const int64_t width = right - left;
    const int64_t height = bottom - top;
    // Both sides fit 31 bits, so their product fits 62: four planes of it
    // are compared without overflow.
    if (width < 0 || height < 0 || width > INT32_MAX || height > INT32_MAX ||
        width * height > kMaxImageBytes / kPsdMaxPlaneBytes)
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer size.");
    r.left = static_cast<int32_t>(left);
    r.top = static_cast<int32_t>(top);
    r.width = static_cast<int32_t>(width);
    r.height = static_cast<int32_t>(height);
    return r;
}

void ReadChannels(CFileBytes& cursor, CFileFacts& facts, const std::string& prefix, PsdLayerInfo& layer)
{
    layer.channelCount = cursor.BE16();
    facts.SetInt((prefix + "Channels").c_str(), layer.channelCount);
    if (layer.channelCount > kPsdMaxLayerChannels)
        CPicDecoder::ThrowError(kCodeFormat, "Too many layer channels.");
    for (int i = 0; i < layer.channelCount; ++i) {
        layer.channels[i].id = static_cast<int16_t>(cursor.BE16());
        layer.channels[i].length = cursor.BE32();
        if (layer.channels[i].length > cursor.Size())
            CPicDecoder::ThrowError(kCodeFormat, "Invalid channel data length.");
    }
}

void ReadBlendFields(CFileBytes& cursor, CFileFacts& facts, const std::string& prefix, PsdLayerInfo& layer)
{
    ReadPsdBlockSignature(cursor);
    std::memcpy(layer.blendKey, cursor.Take(4), 4);
    layer.opacity = 255 - cursor.U8();
    layer.clipping = cursor.U8();
    layer.flags = cursor.U8();
    layer.visible = (layer.flags & 2) ? 0 : 1;
    cursor.U8();  // filler
    facts.SetInt((prefix + "Opacity").c_str(), layer.opacity);
    facts.SetText((prefix + "Blendkey").c_str(), std::string(layer.blendKey, 4));
    facts.SetInt((prefix + "Clipping").c_str(), layer.clipping);
    facts.SetInt((prefix + "Flags").c_str(), layer.flags);
}

void ReadMaskAndRanges(CFileBytes& cursor, CFileFacts& facts, const std::string& prefix, PsdLayerInfo& layer)
{
    const uint32_t maskLength = cursor.BE32();
    if (maskLength >= kMaskRectangleBytes) {
        const Rectangle mask = ReadRectangle(cursor);
        layer.maskLeft = mask.left;
        layer.maskTop = mask.top;
        layer.maskWidth = mask.width;
        layer.maskHeight = mask.height;
        facts.SetInt((prefix + "MaskX").c_str(), mask.left);
        facts.SetInt((prefix + "MaskY").c_str(), mask.top);
        facts.SetInt((prefix + "MaskWidth").c_str(), mask.width);
        facts.SetInt((prefix + "MaskHeight").c_str(), mask.height);
    }
    uint32_t read = maskLength >= kMaskRectangleBytes ? kMaskRectangleBytes : 0;
    if (maskLength >= kMaskColourAndFlagsBytes) {
        // What the user mask is outside its rectangle, and its flags (bit 1:
        // the mask is switched off), for the compositing of the layers.
        facts.SetInt((prefix + "MaskColor").c_str(), cursor.U8());
        facts.SetInt((prefix + "MaskFlags").c_str(), cursor.U8());
        read = kMaskColourAndFlagsBytes;
    }
    const uint32_t rest = read ? maskLength - read : maskLength;
    if (!cursor.TrySkip(rest))
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer mask data.");
    const uint32_t ranges = cursor.BE32();
    if (ranges > 0 && !cursor.TrySkip((static_cast<uint64_t>(ranges - 1) / 8 + 1) * 8))
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer blending ranges.");
}

// A Pascal string padded with zero bytes to a multiple of 4 bytes.
void ReadLayerName(CFileBytes& cursor, CFileFacts& facts, const std::string& prefix, PsdLayerInfo& layer)
{
    const uint8_t length = cursor.U8();
    const uint8_t* text = cursor.Take(length);
    layer.name.assign(reinterpret_cast<const char*>(text), length);
    layer.name = layer.name.c_str();  // a zero byte ends the name
    const size_t padding = (4 - (length + 1) % 4) % 4;
    cursor.Take(padding);
    facts.SetText((prefix + "LayerName").c_str(), layer.name);
}

void ReadExtraData(CFileBytes& cursor, CFileFacts& facts, const std::string& prefix, PsdLayerInfo& layer)
{
    const uint32_t extraLength = cursor.BE32();
    // A record without extra data ends here: no mask, ranges or name.
    if (extraLength == 0)
        return;
    const size_t start = cursor.Position();
    if (extraLength > cursor.Remaining())
        CPicDecoder::ThrowError(kCodeFormat, "Invalid layer extra data length.");
    const size_t end = start + extraLength;
    ReadMaskAndRanges(cursor, facts, prefix, layer);
    ReadLayerName(cursor, facts, prefix, layer);
    if (cursor.Position() < end) {
        CPSDAdjustmentLayerParser parser;
        parser.Run(facts, prefix, cursor, String(), static_cast<int32_t>(end - cursor.Position()));
    }
    cursor.Seek(end);
}

}  // namespace

void ReadPsdLayerRecords(CFileBytes& cursor, CFileFacts& facts, PsdDocument& document, int count)
{
    for (int i = 0; i < count; ++i) {
        PsdLayerInfo& layer = document.layers[static_cast<size_t>(i)];
        const std::string prefix = "Layer" + std::to_string(i);
        const Rectangle bounds = ReadRectangle(cursor);
        layer.left = bounds.left;
        layer.top = bounds.top;
        layer.width = bounds.width;
        layer.height = bounds.height;
        facts.SetInt((prefix + "PageX").c_str(), bounds.left);
        facts.SetInt((prefix + "PageY").c_str(), bounds.top);
        facts.SetInt((prefix + "PageWidth").c_str(), bounds.width);
        facts.SetInt((prefix + "PageHeight").c_str(), bounds.height);
        ReadChannels(cursor, facts, prefix, layer);
        ReadBlendFields(cursor, facts, prefix, layer);
        ReadExtraData(cursor, facts, prefix, layer);
    }
}

}  // namespace ZAV
