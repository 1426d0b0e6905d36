#include "image/kernels/KernelProgress.h"

#include "image/kernels/ImgKernels.h"

namespace ZAV {

CKernelProgress::CKernelProgress(CImgKernels& context)
    : CKernelProgress(context.GetNotification(), context.ErrorText())
{
}

CKernelProgress::CKernelProgress(IProgressNotification* sink, String& errorText)
    : m_sink(sink), m_errorText(errorText)
{
    if (m_sink)
        m_sink->OnBegin();
}

CKernelProgress::~CKernelProgress()
{
    if (m_sink)
        m_sink->OnEnd();
}

bool CKernelProgress::Report(int64_t done, int64_t total)
{
    return ReportFraction(total > 0 ? static_cast<double>(done) / static_cast<double>(total) : 1.0);
}

bool CKernelProgress::ReportFraction(double fraction)
{
    if (m_canceled)
        return false;
    if (m_sink && m_sink->OnProgress(fraction) == 0) {
        m_canceled = true;
        m_errorText = String(kTextOperationCanceled);
    }
    return !m_canceled;
}

}  // namespace ZAV
