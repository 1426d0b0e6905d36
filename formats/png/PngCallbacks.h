// The glue between libpng and the codec: the state libpng's callbacks
// reach through their user pointers, the callbacks themselves, and the
// guard every libpng call runs under. libpng reports errors by longjmp, so
// no C++ exception may cross its frames: callbacks catch what the data
// source throws and turn it into png_error, and the guard turns the jump
// back into a false result the codec raises from its own frame.
#pragma once

#include <png.h>

#include <csetjmp>
#include <cstdint>

#include "formats/codec/CodecErrorText.h"

namespace ZAV {

class IDataSource;

struct PngCallState {
    IDataSource* source = nullptr;
    // The message of the error that ended the last step; empty when none.
    char message[kCodecErrorTextSize] = {};
    // The decoder's errors also go to the process-wide codec error text.
    bool publishErrors = false;
    uint64_t bytesWritten = 0;
};

// Error handler: keeps libpng's message (cut to fit) and jumps back.
void PngErrorHandler(png_structp png, png_const_charp message);
// Warnings are not reported.
void PngWarningHandler(png_structp png, png_const_charp message);

// Exactly the requested bytes from the data source, else "Read Error".
void PngReadData(png_structp png, png_bytep data, size_t length);
// All bytes to the data source, else "Write error".
void PngWriteData(png_structp png, png_bytep data, size_t length);
void PngFlushData(png_structp png);

// Runs one step of libpng calls; false when libpng's error handler jumped
// back out of it. The step must own no object with a destructor, as the
// jump skips its frame.
template <class Step>
bool RunPngStep(png_structp png, Step&& step)
{
    if (setjmp(png_jmpbuf(png)))
        return false;
    step();
    return true;
}

}  // namespace ZAV
