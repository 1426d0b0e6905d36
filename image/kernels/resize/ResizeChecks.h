// The argument checks the resize kernels share, and the source positions
// they sample at.
#pragma once

#include "image/kernels/ImgKernels.h"
#include "image/kernels/resize/ResizeBuffers.h"


namespace ZAV {

// Both buffers present and every size positive, else "Invalid Parameter!";
// a target past the image ceiling gives "Out of memory!". False on failure.
bool CheckResizeArguments(CImgKernels& context, const void* source, int sourceWidth, int sourceHeight,
                          int bytesPerPixel, const void* target, int targetWidth, int targetHeight);

// Source position of target index i: i * source / target, with no
// half-pixel offset, clamped to 0..source - 1.
double SourcePosition(int index, int sourceSize, int targetSize);

// Fills positions (targetSize doubles) with the source position of every
// target index; false with "Out of memory!" when the buffer was refused.
bool FillSourcePositions(CImgKernels& context, CDoubleBuffer& positions, int sourceSize, int targetSize);

}  // namespace ZAV
