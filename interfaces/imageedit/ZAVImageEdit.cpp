// Life of the image-edit object's body and the progress it passes on.
#include "interfaces/imageedit/ZAVImageEdit.h"

#include "foundation/text/String.h"
#include "interfaces/advanced/ZAVAdvancedImgProc.h"

namespace ZAV {

namespace {

// The listener map's key index.
constexpr uint32_t kListenerBuckets = 100;

std::string ListenerKey(const IZAVImageEditListener* listener)
{
    String key;
    key.Format("%p", static_cast<const void*>(listener));
    return key.GetText();
}

}  // namespace

CZAVImageEdit::CZAVImageEdit()
    : m_image(this), m_icc(this), m_histogram(this), m_exif(this), m_cnv(this), m_filter(this), m_imageProcessing(this),
      m_shadow(this), m_color(this), m_fileFormatSettings(this), m_encode(this), m_palette(this), m_mask(this),
      m_hdr(this), m_draw(this), m_clipboard(this), m_viewLayer(this), m_listeners(kListenerBuckets)
{
    m_listeners.SetCaseSensitive(true);
    Reset();
}

CZAVImageEdit::~CZAVImageEdit()
{
    // Listeners belong to their callers; the held objects are released
    // before the image they were built on goes.
    m_listeners.Clear();
    m_viewLayer.ReleaseDrawing();
    m_advancedImgProc.Reset();
    // Advanced objects callers still hold would otherwise reach this object
    // and lend its freed pixels to their library.
    const std::vector<CZAVAdvancedImgProc*> based = m_advancedObjects;
    m_advancedObjects.clear();
    for (CZAVAdvancedImgProc* object : based)
        object->DetachImageEdit();
}

void CZAVImageEdit::Reset()
{
    m_listeners.Clear();
    m_progressCallback = nullptr;
    m_startCallback = nullptr;
    m_endCallback = nullptr;
    m_imageResetCallback = nullptr;
}

template <class Call>
void CZAVImageEdit::ForEachListener(Call call)
{
    for (int32_t i = 0; i < m_listeners.GetSize(); ++i) {
        if (IZAVImageEditListener* listener = m_listeners.GetAt(i))
            call(*listener);
    }
}

int CZAVImageEdit::OnProgress(double fraction)
{
    int result = 1;
    if (m_progressCallback)
        result = m_progressCallback(fraction);
    ForEachListener([&](IZAVImageEditListener& listener) { result = listener.OnProgress(fraction); });
    return result;
}

void CZAVImageEdit::OnBegin()
{
    if (m_startCallback)
        m_startCallback();
    ForEachListener([](IZAVImageEditListener& listener) { listener.OnStart(); });
}

void CZAVImageEdit::OnEnd()
{
    if (m_endCallback)
        m_endCallback();
    ForEachListener([](IZAVImageEditListener& listener) { listener.OnEnd(); });
}

void CZAVImageEdit::OnImageChanged()
{
    m_viewLayer.OnImageReset(m_image.GetWidth(), m_image.GetHeight());
    if (m_imageResetCallback)
        m_imageResetCallback();
    ForEachListener([](IZAVImageEditListener& listener) { listener.OnImageReset(); });
}

void CZAVImageEdit::RegisterObject(IZAVImageEditListener* listener)
{
    // A listener registered again after it was unregistered goes back into
    // its own slot, so the others keep their order.
    const std::string key = ListenerKey(listener);
    const int index = m_listeners.Find(key);
    if (index < 0)
        m_listeners.Add(key, listener);
    else if (m_listeners.GetAt(index) == nullptr)
        m_listeners.GetAt(index) = listener;
}

void CZAVImageEdit::UnregisterObject(IZAVImageEditListener* listener)
{
    const int index = m_listeners.Find(ListenerKey(listener));
    if (index >= 0)
        m_listeners.GetAt(index) = nullptr;
}

ZAVProgressCallback CZAVImageEdit::SetProgressCallback(ZAVProgressCallback callback)
{
    return m_progressCallback = callback;
}

ZAVNotifyCallback CZAVImageEdit::SetStartCallback(ZAVNotifyCallback callback)
{
    return m_startCallback = callback;
}

ZAVNotifyCallback CZAVImageEdit::SetEndCallback(ZAVNotifyCallback callback)
{
    return m_endCallback = callback;
}

ZAVNotifyCallback CZAVImageEdit::SetImageResetCallback(ZAVNotifyCallback callback)
{
    return m_imageResetCallback = callback;
}

}  // namespace ZAV
