#include "formats/jbig/JBIGDecoder.h"

#include "formats/FormatLimits.h"
#include "formats/codec/FileFacts.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/jbig/JbigDecodeState.h"
#include "formats/jbig/JbigHeader.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace ZAV {

namespace {

constexpr int kJbigDpi = 300;

std::vector<uint8_t> ReadData(IDataSource* source)
{
    if (!source)
        ThrowTextException("Invalid Jbig data!");
    return ReadSourceBytes(*source, kMaxCodecSourceBytes);
}

void ReportFacts(CZAVImg& image, uint32_t width, uint32_t height)
{
    CFileFacts facts(image);
    facts.SetText("TYPE", "Joint Bi-level Image Experts Group (JBIG)");
    facts.SetInt("WIDTH", static_cast<int>(width));
    facts.SetInt("HEIGHT", static_cast<int>(height));
    facts.SetInt("COLORDEPTH", 1);
    facts.SetText("DPIX", std::to_string(kJbigDpi));
    facts.SetText("DPIY", std::to_string(kJbigDpi));
}

// Decodes the whole entity; anything but a complete decode is an error, so
// damaged data never loads as a picture.
void Decode(CJbigDecodeState& state, std::vector<uint8_t>& data, const JbigHeader& header)
{
    jbg_dec_maxsize(state.Get(), header.width, header.height);
    const int result = jbg_dec_in(state.Get(), data.data(), data.size(), nullptr);
    if (result != JBG_EOK)
        ThrowJbigError(result);
}

void FillImage(CZAVImg& image, CJbigDecodeState& state)
{
    const unsigned long width = jbg_dec_getwidth(state.Get());
    const unsigned long height = jbg_dec_getheight(state.Get());
    ReportFacts(image, static_cast<uint32_t>(width), static_cast<uint32_t>(height));
    if (!image.Create(static_cast<int>(width), static_cast<int>(height), 1))
        ThrowTextException(image.GetErrorText().GetText());
    image.GetPalette().CreateWhiteBlack();
    image.SetResolution(kJbigDpi, kJbigDpi, kResolutionUnitInch);
    const unsigned char* plane = jbg_dec_getimage(state.Get(), 0);
    if (!plane)
        ThrowTextException("Invalid bitplane!");
    // JBIG-KIT's rows are (width + 7) / 8 bytes, most significant bit first,
    // 1 = black: the image's own layout under a white-first palette.
    const size_t bytes = std::min<size_t>(static_cast<size_t>(image.GetImageSize()), jbg_dec_getsize(state.Get()));
    std::memcpy(image.GetImageData(), plane, bytes);
}

}  // namespace

int CJBIGDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    std::vector<uint8_t> data = ReadData(source);
    const JbigHeader header = ReadJbigHeader(data);
    ReportFacts(*GetImage(), header.width, header.height);
    if (info) {
        *info = FilterImageInfo{};
        info->width = static_cast<int32_t>(header.width);
        info->height = static_cast<int32_t>(header.height);
        info->bitsPerPixel = 1;
        CZAVImgBase::ConvertResolution(kJbigDpi, kJbigDpi, kResolutionUnitInch, info->dpiX, info->dpiY);
    }
    return 1;
}

int CJBIGDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    if (depth)
        *depth = 1;
    std::vector<uint8_t> data = ReadData(source);
    const JbigHeader header = ReadJbigHeader(data);
    CJbigDecodeState state;
    Decode(state, data, header);
    FillImage(*GetImage(), state);
    return 1;
}

}  // namespace ZAV
