#include "Afx/GdiObject.h"

#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/draw/Drawing.h"
#include "platform/gdi/Objects.h"

#include <cstdlib>
#include <cstring>

namespace ZAV {

namespace {

// The source file name the exceptions carry, as the original build named it.
constexpr const char kGdiObjectFile[] = "..\\Afx\\CGdiObject";
constexpr const char kResourceKind[] = "Resource";
constexpr int kPenFailureLine = 41;
constexpr int kBrushFailureLine = 68;
constexpr int kTenthsPerInch = 720;  // 72 points an inch, in tenths

}  // namespace

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

int CGdiObject::Attach(HGDIOBJ handle)
{
    if (!handle)
        return 0;
    m_handle = handle;
    return 1;
}

void CGdiObject::DeleteObject()
{
    if (m_handle)
        ::DeleteObject(m_handle);
    m_handle = nullptr;
}

CPen::CPen(int style, int width, COLORREF colour)
{
    if (!Attach(CreatePen(style, width, colour)))
        throw CGdiException(kPenFailureLine, kGdiObjectFile, kResourceKind);
}

CBrush::CBrush(COLORREF colour)
{
    if (!Attach(CreateSolidBrush(colour)))
        throw CGdiException(kBrushFailureLine, kGdiObjectFile, kResourceKind);
}

int CFont::CreatePointFont(int tenthsOfPoint, const char* faceName, HDC dc)
{
    LOGFONTA logFont{};
    logFont.lfHeight = tenthsOfPoint;
    logFont.lfCharSet = DEFAULT_CHARSET;
    if (faceName)
        std::strncpy(logFont.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreatePointFontIndirect(logFont, dc);
}

int CFont::CreatePointFontIndirect(const LOGFONTA& logFont, HDC dc)
{
    HDC device = dc ? dc : GetDC(nullptr);
    POINT points[2] = {{0, GetDeviceCaps(device, LOGPIXELSY) * logFont.lfHeight / kTenthsPerInch}, {0, 0}};
    DPtoLP(device, points, 2);
    if (!dc)
        ReleaseDC(nullptr, device);
    LOGFONTA sized = logFont;
    sized.lfHeight = -std::abs(points[0].y - points[1].y);
    DeleteObject();
    return Attach(CreateFontIndirectA(&sized));
}

}  // namespace ZAV
