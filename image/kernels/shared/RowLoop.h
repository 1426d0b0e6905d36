// The row loop of the kernels that report progress: the work of each row,
// then its report; a cancel ends the loop and fails the kernel (the
// progress object still sends OnEnd).
#pragma once

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"
#include "image/kernels/shared/PixelBlocks.h"

namespace ZAV {

// Calls doRow(y) for y = 0..rows - 1, each followed by the report y / rows.
// 1 when every row was done, 0 after a cancel.
template <class RowWork>
int ForEachRow(CImgKernels& context, int rows, RowWork&& doRow)
{
    CKernelProgress progress(context);
    for (int y = 0; y < rows; ++y) {
        doRow(y);
        if (!progress.Report(y, rows))
            return 0;
    }
    return 1;
}

// Calls doPixel(pixel) for every 3-byte pixel of the rows, row by row.
template <class PixelWork>
int ForEachPixel24(CImgKernels& context, BYTE* data, int width, int height, PixelWork&& doPixel)
{
    const size_t rowBytes = SpanBytes(width, 3);
    return ForEachRow(context, height, [&](int y) {
        BYTE* pixel = data + y * rowBytes;
        for (int x = 0; x < width; ++x, pixel += 3)
            doPixel(pixel);
    });
}

}  // namespace ZAV
