#include "image/kernels/ImgKernels.h"

namespace ZAV {

CImgKernels::CImgKernels(IProgressNotification* sink) : m_sink(sink)
{
}

CImgKernels::~CImgKernels()
{
    if (m_advanced && m_advancedOwned)
        m_advanced->Release();
}

int CImgKernels::Fail(const char* text)
{
    SetErrorText(text);
    return 0;
}

int CImgKernels::FailCode(int32_t code)
{
    m_errorCode = code;
    return 0;
}

void CImgKernels::SetAdvancedImgProc(IZAVUnknownSp* advanced)
{
    if (advanced)
        advanced->AddRef();
    if (m_advanced && m_advancedOwned)
        m_advanced->Release();
    m_advanced = advanced;
    m_advancedOwned = 1;
}

}  // namespace ZAV
