#include "formats/ico/IconDecoder.h"

#include "formats/codec/FileBytes.h"
#include "formats/codec/FileFacts.h"
#include "formats/ico/IconBitmaps.h"
#include "formats/ico/IconImageSet.h"
#include "image/object/ZAVImg.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace ZAV {

namespace {

constexpr int kCodeIcon = 2;
constexpr int kCodeMemory = 10;

void ReportFacts(CZAVImg& image, const IconImage& picked, bool icon)
{
    CFileFacts facts(image);
    facts.SetText("TYPE", icon ? "Windows Icon files (ICO)" : "Windows Cursor files (CUR)");
    facts.SetInt("WIDTH", picked.width);
    facts.SetInt("HEIGHT", std::abs(picked.height));
    facts.SetInt("COLORDEPTH", picked.header.biBitCount);
}

int ReportedDepth(int bitCount)
{
    switch (bitCount) {
    case 1:
        return 1;
    case 4:
    case 8:
        return 8;
    case 24:
    case 32:
        return 24;
    default:
        CPicDecoder::ThrowError(kCodeIcon, "Decoding Icon: Illegal bpp value.");
    }
}

}  // namespace

int CIconDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    const IconImageSet set = ReadIconImageSet(file, m_isIcon != 0);
    const int picked = PickIconImage(set);
    if (picked < 0)
        ThrowError(kCodeIcon, "Decoding Icon: Illegal Icon.");
    const IconImage& image = set.images[static_cast<size_t>(picked)];
    ReportFacts(*GetImage(), image, m_isIcon != 0);
    if (info) {
        *info = FilterImageInfo{};
        info->width = image.width;
        info->height = std::abs(image.height);
        info->bitsPerPixel = ReportedDepth(image.header.biBitCount);
        GetImage()->SetResolution(0, 0, kResolutionUnitInch);
    }
    return 1;
}

int CIconDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    const std::vector<uint8_t> file = ReadRestOfSource(source);
    const IconImageSet set = ReadIconImageSet(file, m_isIcon != 0);
    const int picked = PickIconImage(set);
    if (picked < 0)
        ThrowError(kCodeIcon, "Decoding Icon: Illegal Icon.");
    const IconImage& icon = set.images[static_cast<size_t>(picked)];
    ReportFacts(*GetImage(), icon, m_isIcon != 0);
    const std::vector<uint8_t> pixels = DecodeIconPixels(icon);
    CZAVImg& image = *GetImage();
    if (!image.Create(icon.width, std::abs(icon.height), 24))
        ThrowError(kCodeMemory, image.GetErrorText().GetText());
    std::memcpy(image.GetImageData(), pixels.data(), pixels.size());
    image.SetResolution(0, 0, kResolutionUnitInch);
    if (depth)
        *depth = 24;
    return 1;
}

}  // namespace ZAV
