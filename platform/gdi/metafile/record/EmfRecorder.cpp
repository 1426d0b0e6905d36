#include "platform/gdi/metafile/record/EmfRecorder.h"

#include "platform/LastError.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/Objects.h"
#include "platform/gdi/metafile/EmfHeader.h"
#include "platform/gdi/metafile/record/EmfRecording.h"

namespace {

using namespace ZAV::Gdi;
using ZAV::Meta::EmfRecording;

constexpr int64_t kMicrometresPerInch = 25400;

int Micrometres(int pixels, int pixelsPerInch)
{
    return pixelsPerInch > 0 ? static_cast<int>(pixels * kMicrometresPerInch / pixelsPerInch) : 0;
}

std::shared_ptr<EmfRecording> NewRecording(HDC reference, const RECT* frame)
{
    auto r = std::make_shared<EmfRecording>();
    HDC device = reference ? reference : GetDC(nullptr);
    const int dpiX = GetDeviceCaps(device, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(device, LOGPIXELSY);
    r->devicePixels = SIZEL{GetDeviceCaps(device, HORZRES), GetDeviceCaps(device, VERTRES)};
    r->deviceMillimetres = SIZEL{GetDeviceCaps(device, HORZSIZE), GetDeviceCaps(device, VERTSIZE)};
    r->deviceMicrometres = SIZEL{Micrometres(r->devicePixels.cx, dpiX), Micrometres(r->devicePixels.cy, dpiY)};
    if (!reference)
        ReleaseDC(nullptr, device);
    if (frame) {
        r->frame = RECTL{frame->left, frame->top, frame->right, frame->bottom};
        r->frameGiven = true;
    }
    return r;
}

// The frame of what was drawn, in 0.01 mm, when the caller gave none.
RECTL FrameFromBounds(const EmfRecording& r)
{
    const auto hundredths = [](LONG pixels, LONG millimetres, LONG devicePixels) {
        return static_cast<LONG>(int64_t(pixels) * millimetres * 100 / devicePixels);
    };
    const SIZEL& mm = r.deviceMillimetres;
    const SIZEL& px = r.devicePixels;
    return RECTL{hundredths(r.bounds.left, mm.cx, px.cx), hundredths(r.bounds.top, mm.cy, px.cy),
                 hundredths(r.bounds.right, mm.cx, px.cx), hundredths(r.bounds.bottom, mm.cy, px.cy)};
}

std::vector<uint8_t> Assemble(const EmfRecording& r)
{
    ENHMETAHEADER h{};
    h.rclBounds = r.hasBounds ? RECTL{r.bounds.left, r.bounds.top, r.bounds.right, r.bounds.bottom}
                              : RECTL{0, 0, -1, -1};  // nothing drawn
    h.rclFrame = r.frameGiven ? r.frame : FrameFromBounds(r);
    h.nBytes = static_cast<DWORD>(ZAV::Meta::kEnhHeaderBytes + r.records.size() + ZAV::Meta::kEofBytes);
    h.nRecords = r.count + 2;
    h.nHandles = 1;  // the metafile's own handle table entry
    h.szlDevice = r.devicePixels;
    h.szlMillimeters = r.deviceMillimetres;
    h.szlMicrometers = r.deviceMicrometres;
    std::vector<uint8_t> bytes;
    bytes.reserve(h.nBytes);
    ZAV::Meta::RecordWriter w(bytes);
    ZAV::Meta::WriteEnhHeader(w, h);
    w.Bytes(r.records.data(), r.records.size());
    // EMR_EOF: no palette; its offset field and the trailing size as [MS-EMF] lays them out.
    for (uint32_t value : {ZAV::Meta::EMR_EOF, ZAV::Meta::kEofBytes, 0u, 16u, ZAV::Meta::kEofBytes})
        w.Dword(value);
    return bytes;
}

}  // namespace

namespace ZAV {

int DeviceMillimetres(int pixels, int pixelsPerInch)
{
    return pixelsPerInch > 0 ? static_cast<int>((int64_t(pixels) * 254 + pixelsPerInch * 5) / (pixelsPerInch * 10)) : 0;
}

}  // namespace ZAV

HDC CreateEnhMetaFileA(HDC reference, const char* fileName, const RECT* frame, const char*)
{
    if (fileName) {
        SetLastError(ERROR_NOT_SUPPORTED);
        return nullptr;
    }
    if (reference && !FindDC(reference))
        return nullptr;
    HDC dc = CreateCompatibleDC(reference);
    if (!dc)
        return nullptr;
    DC* object = FindDC(dc);
    object->memory = false;  // no bitmap is ever selected into it
    object->recording = NewRecording(reference, frame);
    return dc;
}

HENHMETAFILE CloseEnhMetaFile(HDC dc)
{
    DC* object = FindDC(dc);
    if (!object || !object->recording)
        return nullptr;
    auto metafile = std::make_unique<EnhMetaFile>();
    metafile->bytes = Assemble(*object->recording);
    DeleteDC(dc);
    return Register(std::move(metafile));
}
