#include "formats/tiff/decode/TIFFDecoder.h"

#include <cstdio>

#include "formats/tiff/decode/TiffFileInfo.h"
#include "formats/tiff/decode/TiffRoutes.h"
#include "formats/tiff/io/TiffHandle.h"
#include "foundation/datasource/DataSource.h"
#include "image/object/ZAVImg.h"

namespace ZAV {

namespace {

// The decoder's handles store libtiff's messages in the image's list.
constexpr int kDecoderLogFlag = 1;
// The line route takes depth words below this.
constexpr int kLineRouteDepthLimit = 32;
constexpr int kLineRouteMaxBits = 8;

}  // namespace

void CTIFFDecoder::SelectFrame(CTiffHandle& handle)
{
    const int frame = GetFrameIndex();
    if (frame == 0)
        return;
    if (frame < 0 || !TIFFSetDirectory(handle.Get(), static_cast<tdir_t>(frame))) {
        char text[64];
        std::snprintf(text, sizeof(text), "Invalid TIFF Frame %d", frame);
        ThrowError(14, text);
    }
}

int CTIFFDecoder::DoGetFrameCount(IDataSource* source)
{
    CTiffHandle handle(GetImage(), kDecoderLogFlag);
    handle.Open(source, "r");
    return static_cast<int>(TIFFNumberOfDirectories(handle.Get()));
}

int CTIFFDecoder::DoGetFileInfo(IDataSource* source, FilterImageInfo* info)
{
    CTiffHandle handle(GetImage(), kDecoderLogFlag);
    handle.Open(source, "r");
    // The facts of page n are page n's.
    SelectFrame(handle);
    ReadTiffFileInfo(handle.Get(), *GetImage(), info);
    return 1;
}

int CTIFFDecoder::DoLoadPicture(IDataSource* source, int* depth)
{
    CTiffHandle handle(GetImage(), kDecoderLogFlag);
    handle.Open(source, "r");
    SelectFrame(handle);
    ReadTiffFileInfo(handle.Get(), *GetImage(), nullptr);
    // libtiff has no switch to ignore old-style JPEG tables, so an embedded
    // JPEG that fails is not retried: the decode goes on with the general
    // route and libtiff's own old-JPEG support.
    int retry = 0;
    DecodeDirectory(source, depth, handle, retry);
    handle.Close();
    return 1;
}

void CTIFFDecoder::DecodeDirectory(IDataSource* source, int* depth, CTiffHandle& handle, int& retry)
{
    TIFF* tiff = handle.Get();
    uint16_t bits = 1, samples = 1, compression = COMPRESSION_NONE;
    TIFFGetFieldDefaulted(tiff, TIFFTAG_BITSPERSAMPLE, &bits);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_SAMPLESPERPIXEL, &samples);
    TIFFGetFieldDefaulted(tiff, TIFFTAG_COMPRESSION, &compression);
    uint32_t t6Options = 0;
    // Bit 0 of T6Options is unused (T.6 has no one-dimensional mode); libtiff
    // refuses data that sets it.
    if (compression == COMPRESSION_CCITTFAX4 && TIFFGetField(tiff, TIFFTAG_GROUP4OPTIONS, &t6Options) && t6Options == 1)
        TIFFSetField(tiff, TIFFTAG_GROUP4OPTIONS, 0);
    const TiffRoute route{tiff, *GetImage(), AsDataSource(source), depth};
    if (compression == COMPRESSION_OJPEG) {
        if (DecodeEmbeddedJpeg(route))
            return;
        retry = 1;
    }
    if (samples == 1 && bits <= kLineRouteMaxBits && *depth < kLineRouteDepthLimit && !TIFFIsTiled(tiff))
        DecodeLineRoute(route);
    else
        DecodeGeneralRoute(route);
}

}  // namespace ZAV
