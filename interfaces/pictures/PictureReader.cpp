// One image XObject into a picture. Everything a hostile file could make
// wrong is checked before pixels are made: the size is at least 1 x 1 and
// its bytes (in 64 bits) within the image ceiling, the depth is one the
// decoders serve.
#include "interfaces/pictures/PictureReader.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "image/core/ImageLimits.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pictures/PictureCmyk.h"
#include "interfaces/pictures/PictureColorSpace.h"
#include "interfaces/pictures/PictureEntries.h"
#include "pdf/objects/PDFArray.h"
#include "pdf/objects/PDFDictionary.h"
#include "pdf/objects/PDFFactories.h"
#include "pdf/objects/PDFNumber.h"
#include "platform/GlobalMem.h"
#include "platform/WinTypes.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

// A whole decimal number, sign allowed; false for anything else.
bool ParseWhole(const std::string& text, int64_t& value)
{
    if (text.empty() || text.size() > 18)
        return false;
    size_t i = text[0] == '-' || text[0] == '+' ? 1 : 0;
    if (i == text.size())
        return false;
    for (size_t j = i; j < text.size(); ++j)
        if (text[j] < '0' || text[j] > '9')
            return false;
    value = std::strtoll(text.c_str(), nullptr, 10);
    return true;
}

[[noreturn]] void ThrowInvalidSize(const std::string& width, const std::string& height)
{
    String text;
    text.Format("Invalid image size values! (%s, %s)", width.c_str(), height.c_str());
    ThrowTextException(text.GetText());
}

CPictureLayout ReadSize(const CPDFDictionary& dictionary)
{
    const std::string width = dictionary.GetEntryAsText("/Width", true);
    const std::string height = dictionary.GetEntryAsText("/Height", true);
    int64_t w = 0;
    int64_t h = 0;
    if (!ParseWhole(width, w) || !ParseWhole(height, h) || w < 1 || h < 1 || w > INT32_MAX || h > INT32_MAX)
        ThrowInvalidSize(width, height);
    CPictureLayout layout;
    layout.width = static_cast<int>(w);
    layout.height = static_cast<int>(h);
    return layout;
}

int ReadBitsPerComponent(const CPDFDictionary& dictionary)
{
    const std::string bits = dictionary.GetEntryAsText("/BitsPerComponent", true);
    int64_t value = 0;
    if (!ParseWhole(bits, value) || (value != 1 && value != 8)) {
        String text;
        text.Format("Invalid image BitsPerComponent value! (%s)", bits.c_str());
        ThrowTextException(text.GetText());
    }
    return static_cast<int>(value);
}

// The sample rows and the image rows both stay within the image ceiling.
void CheckPixelBytes(const CPDFDictionary& dictionary, const CPictureLayout& layout)
{
    CPictureLayout image = layout;
    image.cmyk = false;
    if (!IsWithinImageCeiling(PictureSampleBytes(layout)) || !IsWithinImageCeiling(PictureSampleBytes(image)))
        ThrowInvalidSize(dictionary.GetEntryAsText("/Width", true), dictionary.GetEntryAsText("/Height", true));
}

// /Decode [1 0] shows sample 0 with the colour of 1 and back.
bool HasInvertingDecode(const CPDFDictionary& dictionary)
{
    const CPDFObjectPtr decode = ResolvePDFReference(OptionalEntry(dictionary, "/Decode"));
    if (!decode || decode->GetType() != ptArray)
        return false;
    const CPDFArray* array = static_cast<const CPDFArray*>(decode.get());
    if (array->GetCount() != 2)
        return false;
    const CPDFObjectPtr first = array->Get(0);
    const CPDFObjectPtr second = array->Get(1);
    auto number = [](const CPDFObjectPtr& value) {
        const bool numeric = value && (value->GetType() == ptInteger || value->GetType() == ptReal);
        return numeric ? static_cast<const CPDFNumber*>(value.get())->GetReal() : -1.0;
    };
    return number(first) == 1.0 && number(second) == 0.0;
}

void SetPalette(IZAVImageEditSp* picture, const CPictureColor& color)
{
    IZAVImageEditPaletteCpp* palette = picture->GetPalette();
    if (color.grayRamp) {
        palette->CreateGrayScale();
        return;
    }
    if (color.palette.GetSize() <= 0)
        return;
    const int maxEntries = color.depth == zavbpp1 ? 2 : 256;
    const int count = std::min(color.palette.GetSize() / 3, maxEntries);
    if (count <= 0)
        return;
    // A 1-bit picture always has two entries; a missing one stays black.
    palette->SetPaletteSize(color.depth == zavbpp1 ? 2 : count);
    const unsigned char* bytes = color.palette.GetData();
    for (int k = 0; k < count; ++k)
        palette->SetPaletteEntry(k, RGB(bytes[3 * k], bytes[3 * k + 1], bytes[3 * k + 2]));
}

void SwapFirstTwoEntries(IZAVImageEditPaletteCpp* palette)
{
    const COLORREF first = palette->GetPaletteEntry(0);
    palette->SetPaletteEntry(0, palette->GetPaletteEntry(1));
    palette->SetPaletteEntry(1, first);
}

void CopyPixels(IZAVImageEditSp* picture, const CPDFByteArray& pixels)
{
    const int64_t size = std::min<int64_t>(picture->GetImageSize(), pixels.GetSize());
    if (size <= 0)
        return;
    void* target = GlobalLock(picture->GetImageData());
    std::memcpy(target, pixels.GetData(), static_cast<size_t>(size));
    GlobalUnlock(picture->GetImageData());
}

}  // namespace

CZAVPtr<IZAVImageEditSp> CPdfPictureReader::CreatePictureImage()
{
    CZAVPtr<IZAVImageEditSp> image = CreateImageEditSp();
    if (!m_document.GetJpeg2000PluginPath().empty())
        image->AddImportExportDll(m_document.GetJpeg2000PluginPath(), std::string());
    if (!m_document.GetJbig2PluginPath().empty())
        image->AddImportExportDll(m_document.GetJbig2PluginPath(), std::string());
    return image;
}

CZAVPtr<IZAVImageEditSp> CPdfPictureReader::ReadImageXObject(const CPDFDictionary* dictionary, const CPDFObject* stream)
{
    if (!dictionary || !stream)
        ThrowTextException("No dictionary!");
    const CPictureFilterList filters = ReadFilters(*dictionary);
    const std::vector<CPictureDecodeParms> parms = ReadDecodeParms(*dictionary, filters.size());
    CPictureLayout layout = ReadSize(*dictionary);
    const CPictureColor color = ReadPictureColor(*dictionary, ReadBitsPerComponent(*dictionary));
    layout.depth = color.depth;
    layout.cmyk = color.cmyk;
    CheckPixelBytes(*dictionary, layout);

    CZAVPtr<IZAVImageEditSp> picture = CreatePictureImage();
    CDecodedPicture decoded;
    if (filters.empty()) {
        decoded.bytes = stream->GetStreamData();
        decoded.sampleRows = true;
    } else {
        DecodeFilters(filters, parms, layout, stream->GetStreamData(), decoded);
    }
    if (layout.cmyk && decoded.sampleRows) {
        // Samples past the picture's rows are not shown and not converted.
        const int64_t samples = std::min<int64_t>(decoded.bytes.GetSize(), PictureSampleBytes(layout));
        decoded.bytes = CmykToRgb(decoded.bytes.GetData(), static_cast<size_t>(samples));
    }

    picture->Create(layout.width, layout.height, layout.depth);
    CopyPixels(picture.Get(), decoded.bytes);
    SetPalette(picture.Get(), color);
    if (decoded.whiteFirst && picture->GetBitsPerPixel() == zavbpp1)
        picture->GetPalette()->CreateWhiteBlack();
    if (picture->GetBitsPerPixel() == zavbpp1 && HasInvertingDecode(*dictionary))
        SwapFirstTwoEntries(picture->GetPalette());
    return picture;
}

}  // namespace ZAV
