// The decoding of an image stream, filter by filter. Flate data without a
// predictor is inflated here into the PDF's sample rows; every other filter
// goes to the Encode facet of a work image, which hands back the rows of the
// image object. LZW and run-length CMYK data are decoded as 8-bit rows four
// times as wide, so they too come back as sample rows.
#include "interfaces/pictures/PictureReader.h"

#include <algorithm>
#include <cstdint>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/ZAVPdfDocument.h"
#include "interfaces/pictures/PictureInflate.h"
#include "interfaces/pictures/PictureLimits.h"
#include "pdf/objects/PDFName.h"

namespace ZAV {

using namespace ZAVPDF;

namespace {

// The output becomes the owner of the result's bytes, nothing is copied;
// an empty result leaves the output as it was.
void TakeBytes(const CZAVPtr<IZAVArrayByteSp>& result, CDecodedPicture& output)
{
    if (!result || result->GetSize() <= 0)
        return;
    CZAVPtr<IZAVObjectSp> object = result->GetObjectSp();
    auto* bytes = static_cast<CArraySimple<unsigned char, 1>*>(object->GetImplementation());
    const int32_t count = bytes->GetSize();
    output.bytes.Attach(bytes->Detach(), count);
}

CPDFByteArray WithGlobals(const CPDFByteArray& globals, const CPDFByteArray& data)
{
    if (globals.GetSize() <= 0)
        return data;
    if (int64_t(globals.GetSize()) + data.GetSize() > INT32_MAX)
        ThrowTextException("Invalid Size!");
    CPDFByteArray joined;
    joined.SetSize(globals.GetSize() + data.GetSize());
    std::copy(globals.GetData(), globals.GetData() + globals.GetSize(), joined.GetData());
    std::copy(data.GetData(), data.GetData() + data.GetSize(), joined.GetData() + globals.GetSize());
    return joined;
}

}  // namespace

int64_t PictureSampleBytes(const CPictureLayout& layout)
{
    const int64_t rowBytes = layout.cmyk ? int64_t(layout.width) * 4 : (int64_t(layout.width) * layout.depth + 7) / 8;
    return rowBytes * layout.height;
}

void CPdfPictureReader::LogDecoding(const CPictureLayout& layout, const CPDFName& filter)
{
    String line;
    line.Format("\tDecoding Picture (%dx%d %dbpp) %s", layout.width, layout.height, static_cast<int>(layout.depth),
                filter.GetName().c_str());
    m_document.GetLogFile().LogWrite(line.GetText(), true);
}

void CPdfPictureReader::DecodeFilters(const CPictureFilterList& filters, const std::vector<CPictureDecodeParms>& parms,
                                      const CPictureLayout& layout, const CPDFByteArray& stored,
                                      CDecodedPicture& output)
{
    if (filters.empty())
        return;
    const size_t last = filters.size() - 1;
    for (size_t i = 0; i < last; ++i)
        if (!IsFlateFilter(*filters[i]) || parms[i].predictor > 1)
            ThrowTextException("Unsupported filter chain!");
    // Each step inflates the bytes the one before left.
    CPDFByteArray chained;
    const CPDFByteArray* data = &stored;
    for (size_t i = 0; i < last; ++i) {
        if (data->GetSize() <= 0)
            return;
        LogDecoding(layout, *filters[i]);
        chained = InflateAtMost(data->GetData(), static_cast<size_t>(data->GetSize()), kMaxPictureChainBytes);
        data = &chained;
    }
    DecodePictureStream(*filters[last], parms[last], layout, *data, output);
}

void CPdfPictureReader::DecodePictureStream(const CPDFName& filter, const CPictureDecodeParms& parms,
                                            const CPictureLayout& layout, const CPDFByteArray& data,
                                            CDecodedPicture& output)
{
    output.whiteFirst = 0;
    if (data.GetSize() <= 0)
        return;
    LogDecoding(layout, filter);
    if (IsFlateFilter(filter)) {
        DecodeFlate(parms, layout, data, output);
        return;
    }
    TakeBytes(DecodeByFacet(filter, parms, layout, data, output), output);
}

void CPdfPictureReader::DecodeFlate(const CPictureDecodeParms& parms, const CPictureLayout& layout,
                                    const CPDFByteArray& data, CDecodedPicture& output)
{
    if (parms.predictor == 0 || parms.predictor == 1) {
        output.bytes = InflateAtMost(data.GetData(), static_cast<size_t>(data.GetSize()),
                                     static_cast<uint64_t>(PictureSampleBytes(layout)));
        output.sampleRows = true;
        return;
    }
    String text;
    const bool png = parms.predictor >= 10 && parms.predictor <= 15;
    if (parms.predictor != 2 && !png) {
        text.Format("Unsupported predictor value %d!", parms.predictor);
        ThrowTextException(text.GetText());
    }
    // The predictor routines work on the image's own rows, which have no
    // room for a fourth colorant.
    if (layout.cmyk)
        ThrowTextException("CMYK pictures with a predictor are not supported!");
    CZAVPtr<IZAVImageEditSp> work = CreatePictureImage();
    IZAVImageEditEncodeCpp* encode = work->GetEncode();
    if (png)
        TakeBytes(encode->DecodeFlatePngPredictor(layout.width, layout.height, layout.depth, parms.predictor, data),
                  output);
    else
        TakeBytes(encode->DecodeFlateTiffPredictor(layout.width, layout.height, layout.depth, data), output);
}

CZAVPtr<IZAVArrayByteSp> CPdfPictureReader::DecodeByFacet(const CPDFName& filter, const CPictureDecodeParms& parms,
                                                          const CPictureLayout& layout, const CPDFByteArray& data,
                                                          CDecodedPicture& output)
{
    const int w = layout.width;
    const int h = layout.height;
    const zavBitsPerPixel depth = layout.depth;
    CZAVPtr<IZAVImageEditSp> work = CreatePictureImage();
    IZAVImageEditEncodeCpp* encode = work->GetEncode();
    if (IsFilterNamed(filter, "/JPXDecode"))
        return encode->DecodeJpx(w, h, depth, data);
    if (IsFilterNamed(filter, "/JBIG2Decode")) {
        // The JBIG2 decoder gives 1 = black, whatever /BlackIs1 says.
        output.whiteFirst = 1;
        return encode->DecodeJbig2(w, h, depth, WithGlobals(parms.globals, data));
    }
    if (IsFilterNamed(filter, "/DCTDecode"))
        return encode->DecodeDct(w, h, depth, data);
    if (IsFilterNamed(filter, "/CCITTFaxDecode")) {
        output.whiteFirst = parms.blackIs1 ? 0 : 1;
        return encode->DecodeCcitt(w, h, depth, parms.k, data);
    }
    const bool lzw = IsFilterNamed(filter, "/LZWDecode");
    if (lzw || IsFilterNamed(filter, "/RunLengthDecode")) {
        output.sampleRows = true;
        const int rowWidth = layout.cmyk ? w * 4 : w;
        const zavBitsPerPixel rowDepth = layout.cmyk ? zavbpp8 : depth;
        return lzw ? encode->DecodeLzw(rowWidth, h, rowDepth, data)
                   : encode->DecodeRunLength(rowWidth, h, rowDepth, data);
    }
    String text;
    text.Format("Unsupported filter '%s'", filter.GetName().c_str());
    ThrowTextException(text.GetText());
}

}  // namespace ZAV
