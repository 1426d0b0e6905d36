// The row loop of the kernels that report progress: the work of each row,
// then its report; a cancel ends the loop and fails the kernel (the
// progress object still sends OnEnd).
#pragma once

#include "image/kernels/ImgKernels.h"
#include "image/kernels/KernelProgress.h"

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

}  // namespace ZAV
