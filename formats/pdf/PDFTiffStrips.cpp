#include "formats/pdf/PDFTiffStrips.h"

#include <tiffio.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "formats/codec/PicEncoder.h"
#include "formats/pdf/PDFCodes.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// Codes of the encoder's failures.
constexpr int kCodeNoMemory = 1;
constexpr int kCodeStripBuffer = 10;

// A read-only view of the file for libtiff's client procedures.
struct MemoryFile {
    const uint8_t* data;
    uint64_t size;
    uint64_t position;
    std::string error;
};

tmsize_t ReadProc(thandle_t handle, void* buffer, tmsize_t count)
{
    MemoryFile& file = *static_cast<MemoryFile*>(handle);
    const uint64_t available = file.position < file.size ? file.size - file.position : 0;
    const uint64_t n = std::min<uint64_t>(available, static_cast<uint64_t>(std::max<tmsize_t>(count, 0)));
    if (n)
        std::memcpy(buffer, file.data + file.position, n);
    file.position += n;
    return static_cast<tmsize_t>(n);
}

tmsize_t WriteProc(thandle_t, void*, tmsize_t)
{
    return 0;
}

toff_t SeekProc(thandle_t handle, toff_t offset, int whence)
{
    MemoryFile& file = *static_cast<MemoryFile*>(handle);
    const uint64_t base = whence == SEEK_CUR ? file.position : whence == SEEK_END ? file.size : 0;
    file.position = base + offset;
    return file.position;
}

int CloseProc(thandle_t)
{
    return 0;
}

toff_t SizeProc(thandle_t handle)
{
    return static_cast<MemoryFile*>(handle)->size;
}

int KeepError(TIFF*, void* user, const char* module, const char* format, va_list arguments)
{
    char text[512];
    std::vsnprintf(text, sizeof(text), format, arguments);
    MemoryFile& file = *static_cast<MemoryFile*>(user);
    if (file.error.empty())
        file.error = std::string(module ? module : "") + ": " + text;
    return 1;
}

int IgnoreWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}

struct TiffCloser {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

std::unique_ptr<TIFF, TiffCloser> OpenMemoryTiff(MemoryFile& file)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    if (!options)
        CPicEncoder::ThrowError(kCodeNoMemory, "Error assigning memory!");
    TIFFOpenOptionsSetErrorHandlerExtR(options, KeepError, &file);
    TIFFOpenOptionsSetWarningHandlerExtR(options, IgnoreWarning, &file);
    TIFF* tiff = TIFFClientOpenExt("memory", "r", &file, ReadProc, WriteProc, SeekProc, CloseProc, SizeProc, nullptr,
                                   nullptr, options);
    TIFFOpenOptionsFree(options);
    if (!tiff)
        ThrowTextException(file.error.empty() ? "Error reading TIFF data!" : file.error.c_str());
    return std::unique_ptr<TIFF, TiffCloser>(tiff);
}

}  // namespace

void CopyRawTiffStrip(const uint8_t* data, int64_t size, IDataSource& target)
{
    MemoryFile file{data, static_cast<uint64_t>(std::max<int64_t>(size, 0)), 0, std::string()};
    std::unique_ptr<TIFF, TiffCloser> tiff = OpenMemoryTiff(file);
    if (TIFFNumberOfStrips(tiff.get()) != 1)
        ThrowTextException("TIFF data of more than one strip can't be copied into one PDF stream!");
    uint64_t* counts = nullptr;
    if (!TIFFGetField(tiff.get(), TIFFTAG_STRIPBYTECOUNTS, &counts) || !counts)
        ThrowTextException(file.error.empty() ? "Error reading TIFF data!" : file.error.c_str());
    // The count must lie inside the file, so a damaged count asks for no
    // more memory than the file holds.
    if (counts[0] > file.size)
        ThrowTextException("Error reading TIFF data!");
    std::vector<uint8_t> strip;
    try {
        strip.resize(static_cast<size_t>(counts[0]));
    } catch (const std::bad_alloc&) {
        CPicEncoder::ThrowError(kCodeStripBuffer, "Out of memory allocating TIFF buffer.");
    }
    uint16_t fillOrder = FILLORDER_MSB2LSB;
    TIFFGetFieldDefaulted(tiff.get(), TIFFTAG_FILLORDER, &fillOrder);
    const tmsize_t read = TIFFReadRawStrip(tiff.get(), 0, strip.data(), static_cast<tmsize_t>(strip.size()));
    if (read < 0)
        ThrowTextException(file.error.empty() ? "Error reading TIFF data!" : file.error.c_str());
    if (fillOrder == FILLORDER_LSB2MSB)
        TIFFReverseBits(strip.data(), read);
    WritePdfBytes(target, strip.data(), static_cast<size_t>(read));
}

}  // namespace ZAV
