#include "interfaces/imageedit/facets/mask/ZAVImageEditMask.h"

#include "foundation/text/TextException.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "platform/GlobalMem.h"

namespace ZAV {

namespace {

const char kNoMaskText[] = "There is no mask available!";
const char kTransparentDepthText[] =
    "Invalid color depth! CreateMaskFromTransparentColor requires 1, 8 or 24bit color depth.";
constexpr BYTE kOpaque = 255;
constexpr BYTE kTransparent = 0;
constexpr COLORREF kBlack = 0x000000;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr int kLookupTableEntries = 256;

// A new 8-bit picture of the given size over a copy of a mask block.
CZAVPtr<IZAVImageEditSp> PictureOfMask(HGLOBAL copy, int size, int width, int height)
{
    if (!copy || size <= 0)
        ThrowTextException(kNoMaskText);
    CZAVPtr<IZAVImageEditSp> picture = CreateImageEditSp();
    try {
        picture->AttachImageData(copy, size, width, height, zavbpp8);
    } catch (...) {
        GlobalFree(copy);
        throw;
    }
    return picture;
}

CArraySimple<unsigned char, 1> TransparentIndexTable(COLORREF color)
{
    CArraySimple<unsigned char, 1> table(kLookupTableEntries, 1);
    for (int i = 0; i < kLookupTableEntries; ++i)
        table.SetAt(i, kOpaque);
    table.SetAt(color & 0xFF, kTransparent);
    return table;
}

// The copy's pixels become 0 under the colour and 255 elsewhere, still at
// the copy's depth, through the copy's own facets. A 1-bit copy needs
// nothing: its grey conversion gives 0 for black and 255 for white.
void MarkTransparentColor(IZAVImageEditSp& copy, COLORREF color)
{
    if (copy.GetBitsPerPixel() == 24) {
        copy.GetColor()->ReplaceColor(color, kBlack, 0, 1, kWhite);
    } else if (copy.GetBitsPerPixel() == 8) {
        // The grey conversion reads the indices through the palette, on
        // either of its routes: a grey ramp makes the 0 and 255 the table
        // writes the grey values, whatever colours the palette held.
        copy.GetPalette()->CreateGrayScale();
        copy.GetImageProcessing()->ApplyLookupTable(TransparentIndexTable(color));
    }
}

// A block the image already holds as one of its masks would end up with
// two owners (or freed while still held) if it were taken again: the image
// gets a copy of it instead. Any other block is the caller's to give.
HGLOBAL BlockToGive(const CZAVImg& image, HGLOBAL mask)
{
    if (!mask || (mask != image.GetMask() && mask != image.GetMask2()))
        return mask;
    return mask == image.GetMask() ? image.CopyMask() : image.CopyMask2();
}

// The image takes the block through its setter; a copy the image refused
// is freed here, a refused caller's block stays the caller's.
template <class Setter>
bool GiveMask(CZAVImg& image, HGLOBAL mask, Setter set)
{
    HGLOBAL block = BlockToGive(image, mask);
    const bool taken = (image.*set)(block, static_cast<int64_t>(GlobalSize(block))) != 0;
    if (!taken && block != mask)
        GlobalFree(block);
    return taken;
}

bool IsTransparentColorDepth(int depth)
{
    return depth == 1 || depth == 8 || depth == 24;
}

}  // namespace

bool CZAVImageEditMask::HasMask()
{
    return GetMaskSize() > 0;
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditMask::GetMaskImage()
{
    if (!HasMask())
        ThrowTextException(kNoMaskText);
    CZAVImg& image = m_owner->GetImage();
    return PictureOfMask(image.CopyMask(), image.GetMaskSize(), image.GetWidth(), image.GetHeight());
}

int CZAVImageEditMask::GetMaskWidth()
{
    return m_owner->GetImage().GetWidth();
}

int CZAVImageEditMask::GetMaskHeight()
{
    return m_owner->GetImage().GetHeight();
}

int CZAVImageEditMask::GetMaskSize()
{
    return m_owner->GetImage().GetMaskSize();
}

HGLOBAL CZAVImageEditMask::GetMaskHandle()
{
    return m_owner->GetImage().GetMask();
}

HGLOBAL CZAVImageEditMask::CopyMask()
{
    return m_owner->GetImage().CopyMask();
}

HGLOBAL CZAVImageEditMask::DetachMask()
{
    return m_owner->GetImage().DetachMask();
}

bool CZAVImageEditMask::SetMask(HGLOBAL mask)
{
    return GiveMask(m_owner->GetImage(), mask, &CZAVImg::SetMask);
}

bool CZAVImageEditMask::HasMask2()
{
    return GetMask2Size() > 0;
}

CZAVPtr<IZAVImageEditSp> CZAVImageEditMask::GetMask2Image()
{
    if (!HasMask2())
        ThrowTextException(kNoMaskText);
    CZAVImg& image = m_owner->GetImage();
    const bool ownSize = image.GetMask2Width() != 0;
    const int width = ownSize ? image.GetMask2Width() : image.GetWidth();
    const int height = ownSize ? image.GetMask2Height() : image.GetHeight();
    return PictureOfMask(image.CopyMask2(), image.GetMask2Size(), width, height);
}

int CZAVImageEditMask::GetMask2Width()
{
    return m_owner->GetImage().GetMask2Width();
}

void CZAVImageEditMask::SetMask2Width(int32_t width)
{
    CZAVImg& image = m_owner->GetImage();
    image.SetMask2Dimensions(width, image.GetMask2Height());
}

int CZAVImageEditMask::GetMask2Height()
{
    return m_owner->GetImage().GetMask2Height();
}

void CZAVImageEditMask::SetMask2Height(int32_t height)
{
    CZAVImg& image = m_owner->GetImage();
    image.SetMask2Dimensions(image.GetMask2Width(), height);
}

int CZAVImageEditMask::GetMask2Size()
{
    return m_owner->GetImage().GetMask2Size();
}

HGLOBAL CZAVImageEditMask::GetMask2Handle()
{
    return m_owner->GetImage().GetMask2();
}

HGLOBAL CZAVImageEditMask::CopyMask2()
{
    return m_owner->GetImage().CopyMask2();
}

HGLOBAL CZAVImageEditMask::DetachMask2()
{
    return m_owner->GetImage().DetachMask2();
}

bool CZAVImageEditMask::SetMask2(HGLOBAL mask)
{
    return GiveMask(m_owner->GetImage(), mask, &CZAVImg::SetMask2);
}

void CZAVImageEditMask::RemoveMasks()
{
    m_owner->GetImage().RemoveMasks();
}

int CZAVImageEditMask::GetPsdMaskFlag()
{
    return m_owner->GetImage().m_psdOptionB;
}

void CZAVImageEditMask::SetPsdMaskFlag(int32_t flag)
{
    m_owner->GetImage().m_psdOptionB = flag;
}

// Worked on a copy, so a failure leaves the image and its mask as they were.
// The copy keeps the image's settings, so its facets take the advanced
// routes when the image asks for them.
void CZAVImageEditMask::CreateMaskFromTransparentColor(COLORREF color)
{
    if (!IsTransparentColorDepth(m_owner->GetImage().GetBitsPerPixel()))
        ThrowTextException(kTransparentDepthText);
    CZAVPtr<IZAVImageEditSp> copy = m_owner->Clone(1);
    MarkTransparentColor(*copy.Get(), color);
    copy->GetColor()->ConvertToGray8();
    HGLOBAL mask = copy->GetImageEdit()->GetImage().CopyImageData();
    if (!SetMask(mask)) {
        GlobalFree(mask);
        ThrowTextException(m_owner->GetImage().GetErrorText().GetText());
    }
}

void CZAVImageEditMask::ApplyTransparency(double percentage)
{
    m_owner->GetImageProcessing()->ApplyTransparency(percentage);
}

}  // namespace ZAV
