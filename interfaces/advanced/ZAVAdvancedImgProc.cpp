#include "interfaces/advanced/ZAVAdvancedImgProc.h"

#include <cstring>
#include <vector>

#include "foundation/text/String.h"
#include "foundation/text/TextException.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "interfaces/imageedit/ZAVImageEdit.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"
#include "platform/GlobalMem.h"

namespace ZAV {

namespace {

constexpr uint32_t kListenerBuckets = 100;
constexpr char kNotBasedOnImageEdit[] = "This ZAVAdvancedImgProc object is not based on an ZAVImageEdit object!";

std::string ListenerKey(const void* listener)
{
    String key;
    key.Format("%p", listener);
    return key.GetText();
}

CAipDynDll& Library()
{
    return CAipDynDll::Instance();
}

// The address of an image's pixel block; the blocks are fixed memory, so the
// address stays valid after the lock is given back.
void* PixelAddress(IZAVImageEditSp& image)
{
    HGLOBAL block = image.GetImageData();
    void* pixels = GlobalLock(block);
    GlobalUnlock(block);
    return pixels;
}

using TextQuery = int32_t (CAipDynDll::*)(KORV_Handle, const char**);

std::string QueryText(KORV_Handle handle, TextQuery query)
{
    const char* text = nullptr;
    (Library().*query)(handle, &text);
    return text ? std::string(text) : std::string();
}

using ValueQuery = int32_t (CAipDynDll::*)(KORV_Handle, int32_t*);

int32_t QueryValue(const CZAVAdvancedImgProc& proc, ValueQuery query)
{
    int32_t value = 0;
    proc.CheckResult((Library().*query)(proc.GetHandle(), &value));
    return value;
}

}  // namespace

CZAVAdvancedImgProc::CZAVAdvancedImgProc()
    : m_arithmetic(this), m_logic(this), m_colorConversion(this), m_transformation(this), m_filter(this),
      m_imageProcessing(this), m_thresholding(this), m_listeners(kListenerBuckets)
{
    Initialize();
}

CZAVAdvancedImgProc::CZAVAdvancedImgProc(IZAVImageEditSp* imageEdit) : CZAVAdvancedImgProc()
{
    m_imageEdit = imageEdit;
    m_imageEditBody = imageEdit != nullptr ? imageEdit->GetImageEdit() : nullptr;
    if (m_imageEditBody != nullptr)
        m_imageEditBody->AddAdvancedObject(this);
    AttachImageEdit();
}

CZAVAdvancedImgProc::~CZAVAdvancedImgProc()
{
    // The body, not the interface object: this may go while the image-edit
    // object is itself being destroyed (its kept advanced object).
    if (m_imageEditBody != nullptr)
        m_imageEditBody->RemoveAdvancedObject(this);
    // At process exit the binding may already be gone with its library;
    // the handle went with it.
    if (m_handle != 0 && CAipDynDll::HasInstance()) {
        Library().FreeProcessor(m_handle);
        m_handle = 0;
    }
    CAipDynDll::ReleaseInstance();
}

void CZAVAdvancedImgProc::Initialize()
{
    CAipDynDll::EnsureInstance();
    try {
        m_handle = Library().CreateProcessor();
    } catch (...) {
        // The object is not made, so its destructor will not run: the
        // binding goes now when nothing else uses it.
        CAipDynDll::ReleaseInstance();
        throw;
    }
}

CZAVPtr<IZAVObjectSp> CZAVAdvancedImgProc::GetObjectSp()
{
    if (m_owner == nullptr)
        return CZAVPtr<IZAVObjectSp>();
    return QueryInterfaceSp<IZAVObjectSp>(m_owner);
}

void CZAVAdvancedImgProc::RegisterObject(void* listener)
{
    const std::string key = ListenerKey(listener);
    if (!m_listeners.Contains(key))
        m_listeners.Add(key, listener);
}

void CZAVAdvancedImgProc::UnregisterObject(void* listener)
{
    const std::string key = ListenerKey(listener);
    if (m_listeners.Contains(key))
        m_listeners.RemoveEntry(key, nullptr);
}

void CZAVAdvancedImgProc::Create(int32_t width, int32_t height, int32_t bitsPerPixel)
{
    CheckResult(Library().Create(m_handle, width, height, bitsPerPixel));
}

void CZAVAdvancedImgProc::AttachNoFree(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                       int32_t bitsPerPixel)
{
    CheckResult(Library().AttachNoFree(m_handle, pixels, sizeInBytes, width, height, bitsPerPixel));
}

void CZAVAdvancedImgProc::AttachNoFreeEx(void* pixels, int32_t sizeInBytes, int32_t width, int32_t height,
                                         int32_t bitsPerPixel, int32_t bytesPerLine)
{
    CheckResult(Library().AttachNoFreeEx(m_handle, pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine));
}

void CZAVAdvancedImgProc::Clear()
{
    CheckResult(Library().Clear(m_handle));
    m_lentPixels = false;
}

KORV_Handle CZAVAdvancedImgProc::GetHandle() const
{
    if (m_imageEdit != nullptr && !(CurrentImage() == m_lent))
        LendImageEdit();
    return m_handle;
}

CZAVAdvancedImgProc::LentImage CZAVAdvancedImgProc::CurrentImage() const
{
    LentImage image;
    image.block = m_imageEdit->GetImageData();
    image.width = m_imageEdit->GetWidth();
    image.height = m_imageEdit->GetHeight();
    image.bitsPerPixel = m_imageEdit->GetBitsPerPixel();
    image.size = m_imageEdit->GetImageSize();
    return image;
}

void CZAVAdvancedImgProc::AttachImageEdit()
{
    LendImageEdit();
}

void CZAVAdvancedImgProc::LendImageEdit() const
{
    if (m_imageEdit == nullptr)
        return;
    const LentImage image = CurrentImage();
    if (image.width == 0 || image.height == 0 || image.block == nullptr) {
        // Pixels lent before may be freed by now: the library lets go of them.
        if (m_lentPixels) {
            CheckResult(Library().Clear(m_handle));
            m_lentPixels = false;
        }
        m_lent = image;
        return;
    }
    CheckResult(Library().AttachNoFree(m_handle, PixelAddress(*m_imageEdit), image.size, image.width, image.height,
                                       image.bitsPerPixel));
    m_lentPixels = true;
    m_lent = image;
    // The library may now change the pixels behind the image's back: what
    // the image derived from them is dropped.
    m_imageEdit->ReleaseExtras();
}

void CZAVAdvancedImgProc::DetachImageEdit()
{
    m_imageEdit = nullptr;
    m_imageEditBody = nullptr;
    m_lent = LentImage();
    if (!m_lentPixels)
        return;
    m_lentPixels = false;
    // The pixels are about to be freed; a library that cannot let go of them
    // is left to fail on its own (nothing may be thrown from here).
    if (m_handle != 0 && CAipDynDll::HasInstance())
        Library().Clear(m_handle);
}

std::string CZAVAdvancedImgProc::GetVersion() const
{
    return QueryText(m_handle, &CAipDynDll::GetVersion);
}

std::string CZAVAdvancedImgProc::GetProcessorDetected() const
{
    return QueryText(m_handle, &CAipDynDll::GetProcessorDetected);
}

std::string CZAVAdvancedImgProc::GetProcessorCodeUsed() const
{
    return QueryText(m_handle, &CAipDynDll::GetProcessorCodeUsed);
}

int32_t CZAVAdvancedImgProc::GetScaleFactor() const
{
    return QueryValue(*this, &CAipDynDll::GetScaleFactor);
}

void CZAVAdvancedImgProc::SetScaleFactor(int32_t value)
{
    CheckResult(Library().SetScaleFactor(m_handle, value));
}

int32_t CZAVAdvancedImgProc::GetWidth() const
{
    return QueryValue(*this, &CAipDynDll::GetWidth);
}

int32_t CZAVAdvancedImgProc::GetHeight() const
{
    return QueryValue(*this, &CAipDynDll::GetHeight);
}

int32_t CZAVAdvancedImgProc::GetBitsPerPixel() const
{
    return QueryValue(*this, &CAipDynDll::GetBitsPerPixel);
}

int32_t CZAVAdvancedImgProc::GetWidthBytes() const
{
    return QueryValue(*this, &CAipDynDll::GetWidthBytes);
}

int32_t CZAVAdvancedImgProc::GetImageSizeInBytes() const
{
    return QueryValue(*this, &CAipDynDll::GetImageSizeInBytes);
}

void* CZAVAdvancedImgProc::GetImageMemory() const
{
    void* pixels = nullptr;
    CheckResult(Library().GetImageMemory(m_handle, &pixels));
    return pixels;
}

void CZAVAdvancedImgProc::CheckResult(int32_t status) const
{
    if (status == 0)
        return;
    std::vector<char> text(KORV_ERROR_TEXT_BYTES + 1, '\0');
    Library().GetError(m_handle, text.data());
    // The library writes at most its 2048 bytes; the extra zero ends a text
    // that filled them all.
    text[KORV_ERROR_TEXT_BYTES] = '\0';
    ThrowTextException(text.data());
}

void CZAVAdvancedImgProc::RequireImageEdit() const
{
    if (m_imageEdit == nullptr)
        ThrowTextException(kNotBasedOnImageEdit);
}

void CZAVAdvancedImgProc::PrepareDestination(IZAVImageEditSp* model, int32_t width, int32_t height,
                                             int32_t bitsPerPixel)
{
    RequireImageEdit();
    if (m_imageEdit->GetWidth() != width || m_imageEdit->GetHeight() != height ||
        m_imageEdit->GetBitsPerPixel() != bitsPerPixel)
        m_imageEdit->CreateLike(model, width, height, static_cast<zavBitsPerPixel>(bitsPerPixel));
    if (bitsPerPixel == 1)
        m_imageEdit->GetPalette()->CreateBlackWhite();
    AttachImageEdit();
}

CZAVPtr<IZAVImageEditSp> CZAVAdvancedImgProc::GetSourceImage(IZAVImageEditSp* source)
{
    if (source != nullptr && source == m_imageEdit)
        return m_imageEdit->Clone();
    CZAVPtr<IZAVImageEditSp> held;
    held.Assign(source);
    return held;
}

void CZAVAdvancedImgProc::ConvertImageEdit(std::initializer_list<int32_t> depths)
{
    RequireImageEdit();
    const HGLOBAL blockBefore = m_imageEdit->GetImageData();
    const int32_t depthBefore = m_imageEdit->GetBitsPerPixel();
    CZAVInt32Array allowed{std::vector<int32_t>(depths)};
    m_imageEdit->GetColor()->ConvertToAllowedBitDepth(allowed);
    // A conversion that replaced the pixels would leave the library on a
    // freed block: the new pixels are lent at once.
    if (m_imageEdit->GetImageData() != blockBefore || m_imageEdit->GetBitsPerPixel() != depthBefore)
        AttachImageEdit();
}

}  // namespace ZAV
