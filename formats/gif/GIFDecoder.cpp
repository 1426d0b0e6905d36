#include "formats/gif/GIFDecoder.h"

#include "formats/FormatLimits.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/codec/FileFacts.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/String.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>

namespace ZAV {

namespace {

constexpr int kCodeFormat = 0;
constexpr int kCodeImage = 10;
constexpr int kPaletteEntries = 256;
constexpr char kSignature[4] = {'G', 'I', 'F', '8'};
constexpr int kInterlacePasses = 4;
// GIF89a appendix E: the four passes' first rows and steps.
constexpr int kPassStart[kInterlacePasses] = {0, 4, 2, 1};
constexpr int kPassStep[kInterlacePasses] = {8, 8, 4, 2};

}  // namespace

void CGIFDecoder::ReadAndScan(IDataSource* source, bool checkFrame)
{
    if (!source)
        ThrowError(kCodeFormat, "Invalid GIF Format");
    m_source = source;
    // The signature is looked at first, so the format test of other files
    // reads four bytes, not the whole file.
    size_t count = sizeof kSignature;
    const unsigned char* head = source->ReadAvailable(count);
    m_file.assign(head, head + count);
    if (count == sizeof kSignature && std::memcmp(m_file.data(), kSignature, count) != 0)
        ThrowError(kCodeFormat, "Invalid GIF Format");
    AppendSourceBytes(*source, kMaxCodecSourceBytes, m_file);
    CFileFacts facts(*GetImage());
    m_layout = ScanGifFile(m_file, facts, GetFrameIndex());
    const int index = GetFrameIndex();
    if (checkFrame && (index < 0 || static_cast<size_t>(index) >= m_layout.frames.size())) {
        String text;
        text.Format("Invalid GIF Frame %d", index);
        ThrowError(kCodeFormat, text.GetText());
    }
}

int CGIFDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    ReadAndScan(source, true);
    const GifFrameRecord& frame = m_layout.frames[static_cast<size_t>(GetFrameIndex())];
    if (info) {
        *info = FilterImageInfo{};
        info->width = frame.width;
        info->height = frame.height;
        info->bitsPerPixel = frame.bitsPerPixel;
        int dpiX = 0;
        int dpiY = 0;
        CZAVImgBase::ConvertResolution(0, 0, kResolutionUnitInch, dpiX, dpiY);
        info->dpiX = dpiX;
        info->dpiY = dpiY;
    }
    return 1;
}

int CGIFDecoder::DoGetFrameCount(IDataSource* source)
{
    ReadAndScan(source, false);
    return static_cast<int>(m_layout.frames.size());
}

int CGIFDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    ReadAndScan(source, true);
    const GifFrameRecord frame = m_layout.frames[static_cast<size_t>(GetFrameIndex())];
    DecodeFrame(frame);
    const auto transparent = m_layout.transparentByFrame.find(GetFrameIndex());
    if (transparent != m_layout.transparentByFrame.end())
        GetImage()->SetTransparentColor(static_cast<COLORREF>(transparent->second));
    if (depth)
        *depth = frame.bitsPerPixel;
    return 1;
}

void CGIFDecoder::SetFramePalette(const GifFrameRecord& frame)
{
    uint32_t entries[kPaletteEntries] = {};
    const std::vector<uint32_t>& table = frame.localPalette.empty() ? m_layout.globalPalette : frame.localPalette;
    if (!table.empty()) {
        std::copy(table.begin(), table.begin() + std::min<size_t>(table.size(), kPaletteEntries), entries);
    } else {
        for (int i = 0; i < kPaletteEntries; ++i)
            entries[i] = MakePaletteEntry(static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0);
    }
    CImagePalette& palette = GetImage()->GetPalette();
    palette.SetEntries(entries, std::min(kPaletteEntries, palette.GetCount()));
}

void CGIFDecoder::DecodeFrame(const GifFrameRecord& frame)
{
    // A frame its data could never fill is refused before its pixels are
    // allocated, so a few bytes cannot ask for gigabytes.
    const uint64_t pixels = static_cast<uint64_t>(frame.width) * static_cast<uint64_t>(frame.height);
    if (pixels > (frame.codeBytes + 1) * kGifMaxPixelsPerCodeByte)
        ThrowError(kCodeFormat, "GIF frame larger than its data!");
    CZAVImg& image = *GetImage();
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (!image.Create(frame.width, frame.height, frame.bitsPerPixel))
        ThrowError(kCodeImage, image.GetErrorText().GetText());
    SetFramePalette(frame);
    m_colorDepth = frame.colorDepth;
    m_interlaced = frame.interlaced;
    m_height = frame.height;
    m_rowStep = kPassStep[0];
    m_nextRow = kPassStart[0];
    m_pass = 0;
    m_rowsWritten = 0;
    ResetCodeReader();
    m_dataPosition = frame.codeSizePosition;
    // Damaged or short code data is no failure: the rows decoded so far
    // stay, as viewers show them.
    DecodeLzw(frame.width);
}

size_t CGIFDecoder::FillCodeBuffer(uint8_t* buffer, size_t count)
{
    const size_t available = m_dataPosition < m_file.size() ? m_file.size() - m_dataPosition : 0;
    const size_t taken = std::min(count, available);
    std::memcpy(buffer, m_file.data() + m_dataPosition, taken);
    m_dataPosition += taken;
    return taken;
}

int CGIFDecoder::NextTargetRow()
{
    if (!m_interlaced)
        return m_rowsWritten;
    while (m_nextRow >= m_height) {
        if (++m_pass >= kInterlacePasses)
            return -1;
        m_nextRow = kPassStart[m_pass];
        m_rowStep = kPassStep[m_pass];
    }
    const int row = m_nextRow;
    m_nextRow += m_rowStep;
    return row;
}

int CGIFDecoder::WriteDecodedRow(const uint8_t* pixels, int count)
{
    CZAVImg& image = *GetImage();
    if (m_rowsWritten >= image.GetHeight())
        return -1;
    ReportSourceProgress(m_source, static_cast<double>(m_rowsWritten) / image.GetHeight());
    const int row = NextTargetRow();
    if (row < 0)
        return -1;
    BYTE* target = image.GetLineArray()[row];
    if (m_colorDepth == 1) {
        const int width = std::min(count, image.GetWidth());
        std::memset(target, 0, static_cast<size_t>(image.GetBytesPerLine()));
        for (int x = 0; x < width; ++x)
            if (pixels[x])
                target[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    } else if (m_colorDepth == 4 || m_colorDepth == 8) {
        std::memcpy(target, pixels, static_cast<size_t>(std::min(count, image.GetBytesPerLine())));
    } else {
        return -1;
    }
    ++m_rowsWritten;
    return 0;
}

}  // namespace ZAV
