// The image object's list of bound format plug-ins. The list's first member
// is the last error text, which the image object appends to its messages.
#pragma once

#include <cstdint>

#include "foundation/text/String.h"

namespace ZAV {

class CImportExportDll;

class CImportExportDlls {
public:
    CImportExportDlls() = default;
    // Unloads every plug-in.
    ~CImportExportDlls() = default;
    CImportExportDlls(const CImportExportDlls&) = delete;
    CImportExportDlls& operator=(const CImportExportDlls&) = delete;

    String m_lastError;

    // The format id of the first bound plug-in offering those settings; -1
    // when there is none.
    int GetJpeg2000DllId() const { return -1; }
    int GetJbig2DllId() const { return -1; }
    // Stored and handed to the next file load by a plug-in.
    void SetFastThumbValues(int flag, int width, int height)
    {
        m_fastThumb[0] = flag;
        m_fastThumb[1] = width;
        m_fastThumb[2] = height;
    }

private:
    int32_t m_fastThumb[3] = {0, 0, 0};
};

}  // namespace ZAV
