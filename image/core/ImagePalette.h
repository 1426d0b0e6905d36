// CImagePalette: the colour table of an image. Each entry holds the bytes
// blue, green, red, alpha in memory order, so read as a 32-bit value it is
// 0xAARRGGBB; colours passed as COLORREF (0x00BBGGRR) are compared channel
// by channel against those bytes.
#pragma once

#include <cstdint>

#include "platform/GlobalMem.h"
#include "platform/WinTypes.h"

namespace ZAV {

// Entries built from and read as channels.
constexpr uint32_t MakePaletteEntry(BYTE red, BYTE green, BYTE blue, BYTE alpha = 255)
{
    return static_cast<uint32_t>(blue) | (static_cast<uint32_t>(green) << 8) | (static_cast<uint32_t>(red) << 16) |
           (static_cast<uint32_t>(alpha) << 24);
}
constexpr BYTE PaletteBlue(uint32_t entry) { return static_cast<BYTE>(entry & 0xFF); }
constexpr BYTE PaletteGreen(uint32_t entry) { return static_cast<BYTE>((entry >> 8) & 0xFF); }
constexpr BYTE PaletteRed(uint32_t entry) { return static_cast<BYTE>((entry >> 16) & 0xFF); }
constexpr COLORREF PaletteEntryToColor(uint32_t entry)
{
    return RGB(PaletteRed(entry), PaletteGreen(entry), PaletteBlue(entry));
}

class CImagePalette {
public:
    CImagePalette() = default;
    CImagePalette(const CImagePalette& other);
    CImagePalette& operator=(const CImagePalette& other);
    ~CImagePalette();

    // 2, 256 or 65,536 zeroed entries for 1, 8 or 16 bits: 1. Any other
    // depth: 0, table kept.
    int Create(int bitsPerPixel);
    void Free();
    // n zeroed entries.
    int SetSize(int count);
    // n entries copied from the array, zeroed when it is null. 0 when the
    // table can't be had (the palette is then empty).
    int Assign(const uint32_t* entries, int count);
    // Copies min(n, count) entries into the existing table.
    int SetEntries(const uint32_t* entries, int count);
    // Takes over a buffer made with new uint32_t[count]; the caller's
    // pointer becomes null.
    void Attach(uint32_t*& entries, int count);

    // 0 (value 0) when there is no table or the index is out of range.
    int GetEntry(int index, uint32_t& value) const;
    int SetEntry(int index, uint32_t value);
    int GetCount() const { return m_count; }
    const uint32_t* GetEntries() const { return m_entries; }
    uint32_t* GetEntries() { return m_entries; }

    // A GPTR block of count * 4 bytes with the entries; 0 when refused.
    int CopyToHGlobal(HGLOBAL& handle, int& size) const;

    // The default table of a depth unless the count already fits it.
    int CreateDefault(int bitsPerPixel);
    int CreateGrayScale();
    // Entry i describes the 16-bit gray i: red the low byte, green the high.
    int CreateGrayScale16();
    int CreateBlackWhite();
    int CreateWhiteBlack();

    // 256 entries with red = green = blue = index.
    bool IsGrayScale() const;
    // At least two entries and entry 0 brighter than entry 1.
    bool IsInverted() const;
    // (byte 0 + byte 1 + byte 2) / 3 of a 32-bit colour.
    static int GetLuminance(uint32_t color);
    // Smallest sum of absolute channel differences; first of equals; 0 when empty.
    int FindNearestEntry(COLORREF color) const;

private:
    int32_t m_count = 0;
    uint32_t* m_entries = nullptr;
};

}  // namespace ZAV
