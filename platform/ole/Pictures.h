// Pictures loaded from streams. Only .bmp data is understood: the picture
// holds a device bitmap made from it.
#pragma once

#include "platform/gdi/GdiTypes.h"
#include "platform/ole/Streams.h"

constexpr short PICTYPE_BITMAP = 1;

struct IPicture : IUnknown {
    // The bitmap, owned by the picture.
    virtual HRESULT get_Handle(HANDLE* handle) = 0;
    virtual HRESULT get_hPal(HPALETTE* palette) = 0;
    virtual HRESULT get_Type(short* type) = 0;
    // Size in HiMetric (1/100 mm).
    virtual HRESULT get_Width(LONG* width) = 0;
    virtual HRESULT get_Height(LONG* height) = 0;
};

// What OleCreatePictureIndirect wraps: a bitmap (the palette is not used).
struct PICTDESC {
    UINT cbSizeofstruct;
    UINT picType;
    HBITMAP hbitmap;
    HPALETTE hpal;
};

// A picture over the description's bitmap; with own set the picture frees
// the bitmap when it goes. E_INVALIDARG for other picture types.
HRESULT OleCreatePictureIndirect(const PICTDESC* description, const IID& iid, BOOL own, void** out);

// Reads a .bmp picture from the stream's position (size bytes, or to the
// end when 0) and gives an IPicture. Other data, and DIBs that do not fit
// the bytes, give CTL_E_INVALIDPICTURE.
HRESULT OleLoadPicture(IStream* stream, LONG size, BOOL runMode, const IID& iid, void** out);
