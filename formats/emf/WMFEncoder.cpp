#include "formats/emf/WMFEncoder.h"

#include "Afx/DeviceContext.h"
#include "formats/codec/CodecDataSource.h"
#include "formats/emf/MetafileHandleHolder.h"
#include "foundation/datasource/IDataSource.h"
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "platform/gdi/DCState.h"
#include "platform/gdi/DeviceContexts.h"

#include <new>
#include <vector>

namespace ZAV {

namespace {

struct ScreenFacts {
    int pixelsPerInchX = 0;
    int pixelsPerInchY = 0;
    int millimetresX = 0;
    int millimetresY = 0;
    int pixelsX = 0;
    int pixelsY = 0;
};

ScreenFacts ReadScreen()
{
    CDeviceContext screen;
    screen.GetDC(nullptr);
    HDC dc = screen.GetHandle();
    return ScreenFacts{GetDeviceCaps(dc, LOGPIXELSX), GetDeviceCaps(dc, LOGPIXELSY), GetDeviceCaps(dc, HORZSIZE),
                       GetDeviceCaps(dc, VERTSIZE),   GetDeviceCaps(dc, HORZRES),    GetDeviceCaps(dc, VERTRES)};
}

// Pixels in 0.01 mm, rounded up: the reader truncates the frame back to
// pixels, and only a frame that does not fall short returns every pixel.
LONG Hundredths(int pixels, int millimetres, int devicePixels)
{
    const int64_t scaled = int64_t(pixels) * millimetres * 100;
    return static_cast<LONG>((scaled + devicePixels - 1) / devicePixels);
}

// Steps 3 and 4: the metafile DC in isotropic mapping, the image drawn into it.
HENHMETAFILE Record(CZAVImg& image, const ScreenFacts& s)
{
    const int width = image.GetWidth();
    const int height = image.GetHeight();
    const RECT frame{0, 0, Hundredths(width, s.millimetresX, s.pixelsX), Hundredths(height, s.millimetresY, s.pixelsY)};
    CEnhMetaFileDCHolder dc(CreateEnhMetaFileA(nullptr, nullptr, &frame, ""));
    if (!dc.Get())
        ThrowTextException("Can't create metafile device context!");
    SetMapMode(dc.Get(), MM_ISOTROPIC);
    SetWindowExtEx(dc.Get(), s.pixelsPerInchX, s.pixelsPerInchY, nullptr);
    SetViewportExtEx(dc.Get(), s.pixelsPerInchX, s.pixelsPerInchY, nullptr);
    // A paint the drawer reports as failed leaves the metafile without its
    // picture: nothing is written then.
    if (!image.GetDrawer().Paint(dc.Get(), 0, 0, width, height, 0, 0, width, height, SRCCOPY))
        ThrowTextException("Can't get metafile bits!");
    return dc.Close();
}

}  // namespace

int CWMFEncoder::DoSavePicture(IDataSource* target, uint32_t* bytesWritten)
{
    CZAVImg* image = GetImage();
    if (!target || !image || !image->HasImage())
        ThrowTextException("Can't get metafile bits!");
    CEnhMetaFileHolder metafile(Record(*image, ReadScreen()));
    const UINT size = GetEnhMetaFileBits(metafile.Get(), 0, nullptr);
    if (size == 0)
        ThrowTextException("Can't get metafile bits!");
    std::vector<uint8_t> bytes;
    try {
        bytes.resize(size);
    } catch (const std::bad_alloc&) {
        ThrowTextException("Out of memory error!");
    }
    GetEnhMetaFileBits(metafile.Get(), size, bytes.data());
    target->WriteChecked(bytes.data(), bytes.size());
    if (bytesWritten)
        *bytesWritten = static_cast<uint32_t>(GetSourceLength(target, size));
    return 1;
}

}  // namespace ZAV
