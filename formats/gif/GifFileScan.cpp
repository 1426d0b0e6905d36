#include "formats/gif/GifFileScan.h"

#include "formats/FormatLimits.h"
#include "formats/codec/FileBytes.h"
#include "formats/codec/FileFacts.h"
#include "formats/codec/PicDecoder.h"
#include "image/core/ImagePalette.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 0;
constexpr size_t kScreenDescriptorBytes = 13;
constexpr uint8_t kExtensionIntroducer = 0x21;
constexpr uint8_t kImageSeparator = 0x2C;
constexpr uint8_t kTrailer = 0x3B;
constexpr uint8_t kGraphicControlLabel = 0xF9;
constexpr uint8_t kCommentLabel = 0xFE;
constexpr uint8_t kApplicationLabel = 0xFF;
constexpr uint8_t kGraphicControlBytes = 4;
constexpr uint8_t kTableFlag = 0x80;
constexpr uint8_t kInterlaceFlag = 0x40;
constexpr uint8_t kTransparencyFlag = 0x01;
constexpr int kMinCodeSize = 2;
constexpr int kMaxCodeSize = 9;

int TableSize(uint8_t packed)
{
    return 1 << ((packed & 7) + 1);
}

// The next byte, or -1 at the end.
int NextOrEnd(CFileBytes& cursor)
{
    return cursor.Has(1) ? cursor.U8() : -1;
}

// Moves on by count bytes, at most to the end.
void SkipAtMost(CFileBytes& cursor, size_t count)
{
    cursor.Skip(std::min(count, cursor.Remaining()));
}

// Skips data sub-blocks up to their zero-length terminator or the end;
// returns the bytes they held.
uint64_t SkipSubBlocks(CFileBytes& cursor)
{
    uint64_t total = 0;
    for (int length = NextOrEnd(cursor); length > 0; length = NextOrEnd(cursor)) {
        SkipAtMost(cursor, static_cast<size_t>(length));
        total += static_cast<uint64_t>(length);
    }
    return total;
}

std::vector<uint32_t> ReadColourTable(CFileBytes& cursor, int entries)
{
    const uint8_t* rgb = cursor.Take(static_cast<size_t>(entries) * 3);
    std::vector<uint32_t> palette(static_cast<size_t>(entries));
    for (int i = 0; i < entries; ++i)
        palette[static_cast<size_t>(i)] = MakePaletteEntry(rgb[3 * i], rgb[3 * i + 1], rgb[3 * i + 2], 0);
    return palette;
}

std::string Key(const char* name, int frame)
{
    return name + std::to_string(frame);
}

class GifScanner {
public:
    GifScanner(const std::vector<uint8_t>& file, CFileFacts& facts) : m_cursor(file), m_facts(facts) {}

    GifFileLayout Scan(int requestedFrame);

private:
    void ReadScreen();
    void ReadExtension(int frame);
    void ReadGraphicControl(int frame);
    void ReadComment(int frame);
    void ReadImageDescriptor();
    void ReportFacts(int requestedFrame);

    CFileBytes m_cursor;
    CFileFacts& m_facts;
    GifFileLayout m_layout;
};

void GifScanner::ReadScreen()
{
    const uint8_t* screen = m_cursor.Take(kScreenDescriptorBytes);
    if (std::memcmp(screen, "GIF8", 4) != 0)
        CPicDecoder::ThrowError(kCodeFormat, "Invalid GIF Format");
    m_layout.screenWidth = static_cast<uint16_t>(screen[6] | (screen[7] << 8));
    m_layout.screenHeight = static_cast<uint16_t>(screen[8] | (screen[9] << 8));
    m_layout.packed = screen[10];
    m_layout.tableSize = TableSize(m_layout.packed);
    if (m_layout.packed & kTableFlag)
        m_layout.globalPalette = ReadColourTable(m_cursor, m_layout.tableSize);
}

// Every graphic control extension states the transparency anew, so a frame
// never inherits an earlier frame's transparent index.
void GifScanner::ReadGraphicControl(int frame)
{
    if (m_cursor.U8() != kGraphicControlBytes)
        CPicDecoder::ThrowError(kCodeFormat, "Invalid GIF Extension");
    const uint8_t* fields = m_cursor.Take(kGraphicControlBytes);
    const int transparent = (fields[0] & kTransparencyFlag) ? fields[3] : -1;
    m_layout.transparentByFrame[frame] = transparent;
    m_facts.SetInt(Key("TRANSPARENTCOLOR", frame).c_str(), transparent);
    m_facts.SetInt(Key("FRAMEDELAY", frame).c_str(), fields[1] | (fields[2] << 8));
    m_facts.SetInt(Key("DISPOSALMETHOD", frame).c_str(), (fields[0] >> 2) & 7);
}

void GifScanner::ReadComment(int frame)
{
    const uint8_t length = m_cursor.U8();
    const uint8_t* text = m_cursor.Take(length);
    // Held as a zero-terminated text: a zero byte ends it.
    const size_t end = static_cast<size_t>(std::find(text, text + length, 0) - text);
    m_facts.SetText(Key("COMMENT", frame).c_str(), std::string(reinterpret_cast<const char*>(text), end));
}

void GifScanner::ReadExtension(int frame)
{
    const uint8_t label = m_cursor.U8();
    if (label == kGraphicControlLabel) {
        ReadGraphicControl(frame);
    } else if (label == kCommentLabel) {
        ReadComment(frame);
    } else if (label == kApplicationLabel) {
        SkipAtMost(m_cursor, m_cursor.U8());
        SkipAtMost(m_cursor, m_cursor.U8());
    }
    SkipSubBlocks(m_cursor);
}

void GifScanner::ReadImageDescriptor()
{
    if (m_layout.frames.size() >= static_cast<size_t>(kMaxGifFrames))
        CPicDecoder::ThrowError(kCodeFormat, "Too many GIF frames!");
    GifFrameRecord frame;
    frame.left = m_cursor.LE16();
    frame.top = m_cursor.LE16();
    frame.width = m_cursor.LE16();
    frame.height = m_cursor.LE16();
    const uint8_t packed = m_cursor.U8();
    int tableSize = m_layout.tableSize;
    if (packed & kTableFlag) {
        tableSize = TableSize(packed);
        frame.localPalette = ReadColourTable(m_cursor, tableSize);
    }
    frame.colorDepth = tableSize <= 2 ? 1 : tableSize <= 16 ? 4 : 8;
    frame.bitsPerPixel = tableSize <= 2 ? 1 : 8;
    frame.codeSizePosition = m_cursor.Position();
    frame.interlaced = (packed & kInterlaceFlag) ? 1 : 0;
    const int codeSize = m_cursor.U8();
    if (codeSize < kMinCodeSize || codeSize > kMaxCodeSize)
        CPicDecoder::ThrowError(kCodeFormat, "Invalid GIF code size!");
    frame.codeBytes = SkipSubBlocks(m_cursor);
    m_layout.frames.push_back(std::move(frame));
}

void GifScanner::ReportFacts(int requestedFrame)
{
    m_facts.SetText("TYPE", "Compuserve GIF (GIF)");
    m_facts.SetText("COMPRESSION", "LZW");
    if (requestedFrame >= 0 && static_cast<size_t>(requestedFrame) < m_layout.frames.size()) {
        const GifFrameRecord& frame = m_layout.frames[static_cast<size_t>(requestedFrame)];
        m_facts.SetInt("LEFT", frame.left);
        m_facts.SetInt("TOP", frame.top);
        m_facts.SetInt("WIDTH", frame.width);
        m_facts.SetInt("HEIGHT", frame.height);
        m_facts.SetInt("COLORDEPTH", frame.colorDepth);
        m_facts.SetInt("INTERLACED", frame.interlaced);
    }
    m_facts.SetInt("FRAMES", static_cast<int>(m_layout.frames.size()));
}

GifFileLayout GifScanner::Scan(int requestedFrame)
{
    ReadScreen();
    for (int byte = NextOrEnd(m_cursor); byte >= 0 && byte != kTrailer; byte = NextOrEnd(m_cursor)) {
        const int frame = static_cast<int>(m_layout.frames.size());
        if (byte == kExtensionIntroducer)
            ReadExtension(frame);
        else if (byte == kImageSeparator)
            ReadImageDescriptor();
    }
    ReportFacts(requestedFrame);
    return std::move(m_layout);
}

}  // namespace

GifFileLayout ScanGifFile(const std::vector<uint8_t>& file, CFileFacts& facts, int requestedFrame)
{
    GifScanner scanner(file, facts);
    return scanner.Scan(requestedFrame);
}

}  // namespace ZAV
