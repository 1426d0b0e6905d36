// The progress protocol every kernel follows: OnBegin once before the first
// row, OnProgress after each row, OnEnd once at the end, also after a
// cancel. An answer of 0 cancels: "Operation canceled!" goes into the
// context and the kernel returns 0, so a cancel is never taken for a
// success with half-processed pixels. Nothing is called without a sink.
#pragma once

#include <cstdint>

#include "foundation/IProgressNotification.h"
#include "foundation/text/String.h"

namespace ZAV {

class CImgKernels;

class CKernelProgress {
public:
    // Calls OnBegin.
    explicit CKernelProgress(CImgKernels& context);
    // For the workers with a sink and error text of their own.
    CKernelProgress(IProgressNotification* sink, String& errorText);
    // Calls OnEnd.
    ~CKernelProgress();
    CKernelProgress(const CKernelProgress&) = delete;
    CKernelProgress& operator=(const CKernelProgress&) = delete;

    // Reports done / total (the row index before its increment and the row
    // count). False after a cancel, with the cancel text in the context.
    bool Report(int64_t done, int64_t total);
    bool ReportFraction(double fraction);
    bool Canceled() const { return m_canceled; }

private:
    IProgressNotification* m_sink;
    String& m_errorText;
    bool m_canceled = false;
};

}  // namespace ZAV
