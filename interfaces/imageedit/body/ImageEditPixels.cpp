// Creating the image, its pixel data and copies of the object.
#include <cstring>
#include <vector>

#include "foundation/text/TextException.h"
#include "image/kernels/ImgKernels.h"
#include "image/operations/ToneOperations.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "platform/GlobalMem.h"
#include "platform/gdi/DeviceContexts.h"

namespace ZAV {

namespace {

constexpr int kCurveTableSize = 256;

}  // namespace

void CZAVImageEdit::Create(int width, int height, zavBitsPerPixel bitsPerPixel)
{
    if (!m_image.Create(width, height, bitsPerPixel))
        ThrowTextException(m_image.GetErrorText().GetText());
}

void CZAVImageEdit::CreateFromDC(HDC dc, int x, int y, int width, int height)
{
    m_image.CreateFromDC(dc, x, y, width, height);
}

void CZAVImageEdit::AttachImageData(HGLOBAL data, int size, int width, int height, zavBitsPerPixel bitsPerPixel)
{
    // The image owns the block only once its size check passed; on a
    // refusal the caller keeps it (the holder lets go without freeing).
    CGlobalMemBlock block;
    block.Attach(data);
    try {
        m_image.Attach(block, size, width, height, bitsPerPixel);
    } catch (...) {
        block.Detach();
        throw;
    }
}

void CZAVImageEdit::CreateFromSafeArray(VARIANT* data, int width, int height, zavBitsPerPixel bitsPerPixel)
{
    if (!data || data->vt != (VT_ARRAY | VT_UI1) || !data->parray || data->parray->cDims != 1)
        ThrowTextException("Invalid array type");
    SAFEARRAY* array = data->parray;
    const size_t count = array->rgsabound[0].cElements;
    HGLOBAL copy = GlobalAlloc(GPTR, count ? count : 1);
    if (!copy)
        ThrowTextException("Out of memory!");
    void* bytes = nullptr;
    if (count && SUCCEEDED(SafeArrayAccessData(array, &bytes))) {
        std::memcpy(copy, bytes, count);
        SafeArrayUnaccessData(array);
    }
    try {
        AttachImageData(copy, static_cast<int>(count), width, height, bitsPerPixel);
    } catch (...) {
        GlobalFree(copy);
        throw;
    }
}

void CZAVImageEdit::CreateFromDib(HGLOBAL dib)
{
    m_image.CreateFromDib(dib);
}

// The image holds the picture, so CreateOlePicture can hand it back.
void CZAVImageEdit::CreateFromOlePicture(IPicture* picture)
{
    m_image.CreateFromOlePicture(picture);
}

void CZAVImageEdit::CreateHistogramImage(CZAVInt32Array& values, int height)
{
    if (values.GetSize() <= 0)
        ThrowTextException("Invalid Parameter!");
    const std::vector<uint32_t> counts(values.GetData(), values.GetData() + values.GetSize());
    m_image.CreateHistogramImage(counts.data(), static_cast<int>(counts.size()), height);
}

CZAVInt32Array CZAVImageEdit::GetCurveTable(CZAVInt32Array& points, int mode)
{
    if (points.GetSize() <= 0)
        ThrowTextException("Invalid Parameter!");
    const std::vector<int> controls(points.GetData(), points.GetData() + points.GetSize());
    std::vector<int> table(kCurveTableSize, 0);
    InterpolateCurve(controls.data(), static_cast<int>(controls.size()), table.data(), kCurveTableSize, mode);
    return CZAVInt32Array(std::vector<int32_t>(table.begin(), table.end()));
}

int CZAVImageEdit::GetImageSize()
{
    return m_image.GetBytesPerLine() * m_image.GetHeight();
}

HGLOBAL CZAVImageEdit::GetImageData()
{
    return m_image.GetImageData();
}

void CZAVImageEdit::GetImageDataAsVariant(VARIANT* data)
{
    if (!data)
        ThrowTextException("Invalid Parameter!");
    VariantClear(data);
    const int size = GetImageSize();
    const SAFEARRAYBOUND bound{static_cast<ULONG>(size > 0 ? size : 0), 0};
    SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
    if (!array)
        ThrowTextException("Out of memory!");
    void* bytes = nullptr;
    if (size > 0 && SUCCEEDED(SafeArrayAccessData(array, &bytes))) {
        std::memcpy(bytes, m_image.GetImageData(), static_cast<size_t>(size));
        SafeArrayUnaccessData(array);
    }
    data->vt = VT_ARRAY | VT_UI1;
    data->parray = array;
}

HGLOBAL CZAVImageEdit::CopyImageData()
{
    return m_image.CopyImageData();
}

HGLOBAL CZAVImageEdit::DetachImageData()
{
    return m_image.DetachImageData();
}

int CZAVImageEdit::Clear()
{
    m_image.Clear();
    m_viewLayer.SetWorldRect(CWorldRect());
    return 1;
}

void CZAVImageEdit::ReleaseExtras()
{
    m_image.ReleaseExtras();
}

int CZAVImageEdit::HasImage()
{
    return m_image.HasImage() ? 1 : 0;
}

int CZAVImageEdit::GetWidth()
{
    return m_image.GetWidth();
}

int CZAVImageEdit::GetHeight()
{
    return m_image.GetHeight();
}

zavBitsPerPixel CZAVImageEdit::GetBitsPerPixel()
{
    return static_cast<zavBitsPerPixel>(m_image.GetBitsPerPixel());
}

int CZAVImageEdit::GetBytesPerLine()
{
    return m_image.GetBytesPerLine();
}

int CZAVImageEdit::GetXResolution()
{
    return m_image.GetXResolution();
}

void CZAVImageEdit::SetXResolution(int dpi)
{
    m_image.SetXResolution(dpi);
}

int CZAVImageEdit::GetYResolution()
{
    return m_image.GetYResolution();
}

void CZAVImageEdit::SetYResolution(int dpi)
{
    m_image.SetYResolution(dpi);
}

}  // namespace ZAV
