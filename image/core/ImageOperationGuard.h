// Keeps an image's guard word for the length of an operation and ends the
// sink's progress (OnEnd) when the operation is left, however it is left.
#pragma once

#include "image/core/ZAVImgBase.h"

namespace ZAV {

class CImageOperationGuard {
public:
    explicit CImageOperationGuard(CZAVImgBase& image)
        : m_image(image), m_sink(image.GetNotification()), m_savedWord(image.GetGuardWord())
    {
    }
    ~CImageOperationGuard()
    {
        m_image.SetGuardWord(m_savedWord);
        if (m_sink)
            m_sink->OnEnd();
    }
    CImageOperationGuard(const CImageOperationGuard&) = delete;
    CImageOperationGuard& operator=(const CImageOperationGuard&) = delete;

    void Set(int word) { m_image.SetGuardWord(word); }

private:
    CZAVImgBase& m_image;
    IProgressNotification* m_sink;
    int m_savedWord;
};

}  // namespace ZAV
