#include "platform/ole/Pictures.h"

#include "platform/MulDiv.h"
#include "platform/PlatformLimits.h"
#include "platform/gdi/Bitmaps.h"
#include "platform/gdi/DeviceContexts.h"
#include "platform/gdi/DibPixels.h"
#include "platform/gdi/Objects.h"

#include <vector>

namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr int kHiMetricPerInch = 2540;

class BitmapPicture : public ZAV::Ole::RefCounted<IPicture> {
public:
    BitmapPicture(HBITMAP bitmap, LONG width, LONG height, bool own = true)
        : m_bitmap(bitmap), m_width(width), m_height(height), m_own(own)
    {
    }
    ~BitmapPicture() override
    {
        if (m_own)
            DeleteObject(m_bitmap);
    }

    HRESULT get_Handle(HANDLE* handle) override { return Give(handle, m_bitmap); }
    HRESULT get_hPal(HPALETTE* palette) override { return Give(palette, HPALETTE(nullptr)); }
    HRESULT get_Type(short* type) override { return Give(type, PICTYPE_BITMAP); }
    HRESULT get_Width(LONG* width) override { return Give(width, m_width); }
    HRESULT get_Height(LONG* height) override { return Give(height, m_height); }

protected:
    const IID& OwnIid() const override { return IID_IPicture; }

private:
    template <class T>
    static HRESULT Give(T* out, T value)
    {
        if (!out)
            return E_POINTER;
        *out = value;
        return S_OK;
    }
    HBITMAP m_bitmap;
    LONG m_width;
    LONG m_height;
    bool m_own;
};

// A bitmap's size in HiMetric at the screen's resolution.
SIZE HiMetricSizeOf(HBITMAP bitmap)
{
    BITMAP info{};
    GetObjectA(bitmap, sizeof info, &info);
    const int dpi = GetScreenLogPixels(LOGPIXELSX);
    return SIZE{MulDiv(info.bmWidth, kHiMetricPerInch, dpi), MulDiv(info.bmHeight, kHiMetricPerInch, dpi)};
}

HRESULT HandOut(BitmapPicture* picture, const IID& iid, void** out)
{
    const HRESULT hr = picture->QueryInterface(iid, out);
    picture->Release();
    return hr;
}

uint32_t Little(const std::vector<uint8_t>& b, size_t at, int bytes)
{
    uint32_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v |= static_cast<uint32_t>(b[at + i]) << (8 * i);
    return v;
}

bool ReadAll(IStream* stream, LONG size, std::vector<uint8_t>& bytes)
{
    uint8_t chunk[4096];
    for (;;) {
        ULONG want = sizeof chunk;
        if (size > 0)
            want = static_cast<ULONG>(std::min<size_t>(want, static_cast<size_t>(size) - bytes.size()));
        ULONG got = 0;
        if (want == 0 || FAILED(stream->Read(chunk, want, &got)) || got == 0)
            return !bytes.empty();
        bytes.insert(bytes.end(), chunk, chunk + got);
        if (bytes.size() > ZAV::kMaxPictureStreamBytes)
            return false;
    }
}

// A device bitmap of the .bmp bytes, with every offset and size checked
// against the bytes there are.
HBITMAP BitmapOfBmp(const std::vector<uint8_t>& bytes)
{
    if (bytes.size() < kFileHeaderBytes + sizeof(BITMAPINFOHEADER) || Little(bytes, 0, 2) != kBmpSignature)
        return nullptr;
    std::vector<uint8_t> info(bytes.begin() + kFileHeaderBytes, bytes.end());  // aligned copy
    const auto* header = reinterpret_cast<const BITMAPINFOHEADER*>(info.data());
    // The masks and colour table the view reads must be there first.
    if (kFileHeaderBytes + ZAV::Gdi::DibInfoSize(*header) > bytes.size())
        return nullptr;
    ZAV::Gdi::DibView view;
    static const uint8_t probe = 0;
    if (!ZAV::Gdi::MakeDibView(reinterpret_cast<const BITMAPINFO*>(info.data()), &probe, view))
        return nullptr;
    const uint64_t offBits = Little(bytes, 10, 4);
    const uint64_t image = static_cast<uint64_t>(view.stride) * static_cast<uint64_t>(view.height);
    if (offBits > bytes.size() || image > bytes.size() - offBits)
        return nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateDIBitmap(screen, header, CBM_INIT, bytes.data() + offBits,
                                    reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

}  // namespace

HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL, const IID& iid, void** out)
{
    if (!stream || !out)
        return E_POINTER;
    *out = nullptr;
    std::vector<uint8_t> bytes;
    if (size < 0 || !ReadAll(stream, size, bytes))
        return CTL_E_INVALIDPICTURE;
    HBITMAP bitmap = BitmapOfBmp(bytes);
    if (!bitmap)
        return CTL_E_INVALIDPICTURE;
    const SIZE extent = HiMetricSizeOf(bitmap);
    return HandOut(new BitmapPicture(bitmap, extent.cx, extent.cy), iid, out);
}

HRESULT OleCreatePictureIndirect(const PICTDESC* description, const IID& iid, BOOL own, void** out)
{
    if (!description || !out)
        return E_POINTER;
    *out = nullptr;
    if (description->picType != PICTYPE_BITMAP || !description->hbitmap)
        return E_INVALIDARG;
    const SIZE size = HiMetricSizeOf(description->hbitmap);
    return HandOut(new BitmapPicture(description->hbitmap, size.cx, size.cy, own != 0), iid, out);
}
