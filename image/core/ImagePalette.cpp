#include "image/core/ImagePalette.h"

#include <cstdlib>
#include <cstring>
#include <new>

namespace ZAV {

namespace {

constexpr int kBlackWhiteCount = 2;
constexpr int kGrayCount = 256;
constexpr int kGray16Count = 65536;

// Entry count of the default table of a depth; 0 for depths without one.
int DefaultCountForDepth(int bitsPerPixel)
{
    switch (bitsPerPixel) {
    case 1:
        return kBlackWhiteCount;
    case 8:
        return kGrayCount;
    case 16:
        return kGray16Count;
    default:
        return 0;
    }
}

// Larger than any sum of three channel differences.
constexpr int kNoEntryDistance = 1000;

}  // namespace

CImagePalette::CImagePalette(const CImagePalette& other)
{
    Assign(other.m_entries, other.m_count);
}

CImagePalette& CImagePalette::operator=(const CImagePalette& other)
{
    if (this != &other)
        Assign(other.m_entries, other.m_count);
    return *this;
}

CImagePalette::~CImagePalette()
{
    Free();
}

int CImagePalette::Create(int bitsPerPixel)
{
    const int count = DefaultCountForDepth(bitsPerPixel);
    if (count == 0)
        return 0;
    return SetSize(count);
}

void CImagePalette::Free()
{
    delete[] m_entries;
    m_entries = nullptr;
    m_count = 0;
}

int CImagePalette::SetSize(int count)
{
    return Assign(nullptr, count);
}

int CImagePalette::Assign(const uint32_t* entries, int count)
{
    if (entries && entries == m_entries && count == m_count)
        return 1;
    uint32_t* table = nullptr;
    if (count > 0) {
        table = new (std::nothrow) uint32_t[count]();
        if (!table) {
            Free();
            return 0;
        }
        if (entries)
            std::memcpy(table, entries, static_cast<size_t>(count) * sizeof(uint32_t));
    }
    Free();
    m_entries = table;
    m_count = table ? count : 0;
    return 1;
}

int CImagePalette::SetEntries(const uint32_t* entries, int count)
{
    if (entries && m_entries && count > 0) {
        const int n = count < m_count ? count : m_count;
        std::memmove(m_entries, entries, static_cast<size_t>(n) * sizeof(uint32_t));
    }
    return 1;
}

void CImagePalette::Attach(uint32_t*& entries, int count)
{
    Free();
    m_entries = entries;
    m_count = entries && count > 0 ? count : 0;
    entries = nullptr;
}

int CImagePalette::GetEntry(int index, uint32_t& value) const
{
    value = 0;
    if (!m_entries || index < 0 || index >= m_count)
        return 0;
    value = m_entries[index];
    return 1;
}

int CImagePalette::SetEntry(int index, uint32_t value)
{
    if (!m_entries || index < 0 || index >= m_count)
        return 0;
    m_entries[index] = value;
    return 1;
}

int CImagePalette::CopyToHGlobal(HGLOBAL& handle, int& size) const
{
    const size_t bytes = static_cast<size_t>(m_count) * sizeof(uint32_t);
    handle = GlobalAlloc(GPTR, bytes);
    size = 0;
    if (!handle)
        return 0;
    if (bytes)
        std::memcpy(handle, m_entries, bytes);
    size = static_cast<int>(bytes);
    return 1;
}

int CImagePalette::CreateDefault(int bitsPerPixel)
{
    const int count = DefaultCountForDepth(bitsPerPixel);
    if (count == 0 || m_count == count)
        return 1;
    switch (bitsPerPixel) {
    case 1:
        return CreateBlackWhite();
    case 8:
        return CreateGrayScale();
    default:
        return CreateGrayScale16();
    }
}

int CImagePalette::CreateGrayScale()
{
    if (!SetSize(kGrayCount))
        return 0;
    for (int i = 0; i < kGrayCount; ++i) {
        const BYTE level = static_cast<BYTE>(i);
        m_entries[i] = MakePaletteEntry(level, level, level);
    }
    return 1;
}

int CImagePalette::CreateGrayScale16()
{
    if (!SetSize(kGray16Count))
        return 0;
    for (int i = 0; i < kGray16Count; ++i)
        m_entries[i] = MakePaletteEntry(static_cast<BYTE>(i & 0xFF), static_cast<BYTE>(i >> 8), 0);
    return 1;
}

int CImagePalette::CreateBlackWhite()
{
    if (!SetSize(kBlackWhiteCount))
        return 0;
    m_entries[0] = MakePaletteEntry(0, 0, 0);
    m_entries[1] = MakePaletteEntry(255, 255, 255);
    return 1;
}

int CImagePalette::CreateWhiteBlack()
{
    if (!SetSize(kBlackWhiteCount))
        return 0;
    m_entries[0] = MakePaletteEntry(255, 255, 255);
    m_entries[1] = MakePaletteEntry(0, 0, 0);
    return 1;
}

bool CImagePalette::IsGrayScale() const
{
    if (!m_entries || m_count != kGrayCount)
        return false;
    for (int i = 0; i < kGrayCount; ++i) {
        const uint32_t entry = m_entries[i];
        if (PaletteRed(entry) != i || PaletteGreen(entry) != i || PaletteBlue(entry) != i)
            return false;
    }
    return true;
}

bool CImagePalette::IsInverted() const
{
    return m_entries && m_count >= 2 && GetLuminance(m_entries[0]) > GetLuminance(m_entries[1]);
}

int CImagePalette::GetLuminance(uint32_t color)
{
    return static_cast<int>((color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF)) / 3;
}

int CImagePalette::FindNearestEntry(COLORREF color) const
{
    int best = 0;
    int bestDistance = kNoEntryDistance;
    for (int i = 0; i < m_count && m_entries; ++i) {
        const uint32_t entry = m_entries[i];
        const int distance = std::abs(PaletteRed(entry) - GetRValue(color)) +
                             std::abs(PaletteGreen(entry) - GetGValue(color)) +
                             std::abs(PaletteBlue(entry) - GetBValue(color));
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
    }
    return best;
}

}  // namespace ZAV
