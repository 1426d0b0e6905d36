#include "image/dib/ByteBuffer.h"

#include "platform/gdi/Objects.h"

namespace ZAV {

void CSharedPaletteHandle::Own(HPALETTE palette)
{
    m_palette = std::shared_ptr<void>(palette, [](void* handle) {
        if (handle)
            DeleteObject(handle);
    });
}

void CSharedPaletteHandle::Borrow(HPALETTE palette)
{
    m_palette = std::shared_ptr<void>(palette, [](void*) {});
}

}  // namespace ZAV
