#include "image/core/ImageLayoutSnapshot.h"

namespace ZAV {

CImageLayoutSnapshot::CImageLayoutSnapshot(CZAVImgBase& image)
    : m_image(image),
      m_width(image.m_width),
      m_height(image.m_height),
      m_bytesPerPixel(image.m_bytesPerPixel),
      m_bitsPerPixel(image.m_bitsPerPixel),
      m_bytesPerLine(image.m_bytesPerLine),
      m_data(image.GetImageData())
{
}

bool CImageLayoutSnapshot::Differs() const
{
    return m_width != m_image.m_width || m_height != m_image.m_height ||
           m_bytesPerPixel != m_image.m_bytesPerPixel || m_bitsPerPixel != m_image.m_bitsPerPixel ||
           m_bytesPerLine != m_image.m_bytesPerLine || m_data != m_image.GetImageData();
}

void CImageLayoutSnapshot::Commit()
{
    if (Differs()) {
        m_image.SetLayout(0);
        m_image.BuildLineArray();
    }
    m_image.NotifyChanged();
}

}  // namespace ZAV
