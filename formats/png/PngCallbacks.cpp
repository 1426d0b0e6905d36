#include "formats/png/PngCallbacks.h"

#include <cstring>

#include "foundation/datasource/IDataSource.h"

namespace ZAV {

namespace {

PngCallState* StateOf(png_structp png, bool errorSide)
{
    return static_cast<PngCallState*>(errorSide ? png_get_error_ptr(png) : png_get_io_ptr(png));
}

// Reads what the data source holds; false on a short read or when the
// data source throws (nothing may be thrown through libpng).
bool ReadFromSource(IDataSource* source, png_bytep data, size_t length)
{
    try {
        size_t got = length;
        const unsigned char* bytes = source->ReadAvailable(got);
        if (got != length)
            return false;
        std::memcpy(data, bytes, length);
        return true;
    } catch (...) {
        return false;
    }
}

bool WriteToSource(IDataSource* source, png_bytep data, size_t length)
{
    try {
        return source->Write(data, length);
    } catch (...) {
        return false;
    }
}

}  // namespace

void PngErrorHandler(png_structp png, png_const_charp message)
{
    PngCallState* state = StateOf(png, true);
    if (state) {
        std::strncpy(state->message, message ? message : "", sizeof(state->message) - 1);
        if (state->publishErrors)
            SetCodecErrorText(state->message);
    }
    png_longjmp(png, 1);
}

void PngWarningHandler(png_structp, png_const_charp)
{
}

void PngReadData(png_structp png, png_bytep data, size_t length)
{
    PngCallState* state = StateOf(png, false);
    if (!ReadFromSource(state->source, data, length))
        png_error(png, "Read Error");
}

void PngWriteData(png_structp png, png_bytep data, size_t length)
{
    PngCallState* state = StateOf(png, false);
    if (!WriteToSource(state->source, data, length))
        png_error(png, "Write error");
    state->bytesWritten += length;
}

void PngFlushData(png_structp)
{
}

}  // namespace ZAV
