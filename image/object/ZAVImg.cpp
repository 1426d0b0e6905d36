#include "image/object/ZAVImg.h"

#include <algorithm>
#include <memory>

#include "foundation/text/TextException.h"
#include "platform/ole/Pictures.h"

namespace ZAV {

namespace {

// Room a save to memory needs beyond the raw pixels: headers, palettes and
// the codecs' own overhead.
constexpr int64_t kSaveBufferHeadroom = 66560;

}  // namespace

CZAVImg::CZAVImg(IProgressNotification* sink) : CZAVImgBase(sink), m_dlls(this), m_drawer(this)
{
    ResetBase();
    SetDefaults();
}

CZAVImg::~CZAVImg()
{
    ReleaseExtras();
    for (BYTE*& table : m_blendTables) {
        delete[] table;
        table = nullptr;
    }
}

void CZAVImg::SetDefaults()
{
    m_prepareBeforeSave = 1;
    m_tiffCompression = 1;
    m_jpegOptionA = 0;
    m_jpegQuality = 60;
    m_jpegGray = 0;
    m_bmpOption = 0;
    m_tiffOptionA = 2;
    m_tiffOptionB = 0;
    m_ccittOptionA = 0;
    m_ccittOptionB = 1;
    m_pngColorType = 2;
    m_pngInterlace = 0;
    m_spareWord = 0;
    m_psdOptionA = 0;
    m_portableMapOption = 0;
    m_gifEnabled = 1;
    m_psdOptionB = 1;
    m_highDynamicRange = 1;
    m_jpeg2000 = CJpeg2000Settings();
    m_jpeg2000Metadata = Jpeg2000MetadataRecord();
    m_useAdvancedImgProc = 0;
    const int32_t jbig2Defaults[8] = {0, 10, 20, 0, 0, 0, 1, 5};
    std::copy(jbig2Defaults, jbig2Defaults + 8, m_jbig2Settings);
    for (String& text : m_settingTexts)
        text = String();
    m_pdfImageCoding = 5;
    m_gif = CGifSettings();
    m_exr = CExrSettings();
    m_metafileBackground = 0xFFFFFF;
    m_spareSetting = 0;
    const int32_t magickDefaults[5] = {0, 0, 0, 72, 0xFFFFFF};
    std::copy(magickDefaults, magickDefaults + 5, m_magickSettings);
    SetTransparentColor(0xFFFFFF);
    m_detectByExtension = 1;
    m_iccOption = 0;
    for (String& text : m_spareTexts)
        text = String();
    m_spareWords[0] = m_spareWords[1] = 1;
    m_fastThumb[0] = m_fastThumb[1] = m_fastThumb[2] = 0;
    m_overlayBlendMode = 0;
    m_spareSwitch = 1;
}

void CZAVImg::Clear()
{
    CZAVImgBase::Clear();
    m_lastLoadedFile.clear();
}

void CZAVImg::ReleaseExtras()
{
    m_drawer.ReleaseResources();
    SetOlePicture(nullptr);
}

void CZAVImg::SetTransparentColor(COLORREF color)
{
    m_transparentColor = color;
    m_drawer.m_transparentColor = color;
}

void CZAVImg::CopyTo(CZAVImg& target) const
{
    if (&target == this)
        return;
    // Every copy is made and checked before the target is touched, so a
    // refusal or running out of memory leaves the target as it was. The
    // pixels are taken over whatever their depth (32 bits included).
    CGlobalMemBlock pixels;
    if (const CGlobalMemBlock* block = GetDataBlock())
        block->CopyTo(pixels, GPTR);
    if (pixels.GetHandle())
        CheckPixelBlock(pixels, m_imageSize, m_width, m_height, m_bitsPerPixel);
    CGlobalMemBlock mask;
    m_mask.CopyTo(mask, GPTR);
    CGlobalMemBlock mask2;
    m_mask2.CopyTo(mask2, GPTR);
    const int paletteCount = m_palette.GetCount();
    std::unique_ptr<uint32_t[]> entries(paletteCount > 0 ? new uint32_t[paletteCount] : nullptr);
    if (paletteCount > 0)
        std::copy(m_palette.GetEntries(), m_palette.GetEntries() + paletteCount, entries.get());
    target.Clear();
    if (pixels.GetHandle())
        target.AdoptPixels(pixels, m_width, m_height, m_bitsPerPixel);
    target.m_xResolution = m_xResolution;
    target.m_yResolution = m_yResolution;
    if (entries) {
        uint32_t* taken = entries.release();
        target.m_palette.Attach(taken, paletteCount);
    }
    target.m_mask.Attach(mask.Detach());
    target.m_maskSize = target.m_mask.GetHandle() ? m_maskSize : 0;
    target.m_mask2.Attach(mask2.Detach());
    target.m_mask2Size = target.m_mask2.GetHandle() ? m_mask2Size : 0;
    target.m_mask2Width = m_mask2Width;
    target.m_mask2Height = m_mask2Height;
    target.SetTransparentColor(m_transparentColor);
}

CZAVImg& CZAVImg::operator=(const CZAVImg& other)
{
    other.CopyTo(*this);
    return *this;
}

void CZAVImg::SetOlePicture(IPicture* picture)
{
    if (picture)
        picture->AddRef();
    if (m_olePicture)
        m_olePicture->Release();
    m_olePicture = picture;
}

IPicture* CZAVImg::GetOlePicture() const
{
    if (m_olePicture)
        m_olePicture->AddRef();
    return m_olePicture;
}

int64_t CZAVImg::GetSaveBufferSize() const
{
    return static_cast<int64_t>(m_width) * m_height * 3 + kSaveBufferHeadroom;
}

}  // namespace ZAV

namespace ZAV {

void CZAVImg::InstallPixels(CGlobalMemBlock& block, int width, int height, int bitsPerPixel)
{
    CGlobalMemBlock* target = BlockForDepth(bitsPerPixel);
    if (!target)
        ThrowTextException("Error");
    FreePixelBlocks();
    m_width = width;
    m_height = height;
    m_bitsPerPixel = bitsPerPixel;
    target->Attach(block.Detach());
    SetLayout();
}

}  // namespace ZAV
