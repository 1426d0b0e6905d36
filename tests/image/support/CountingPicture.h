// An OLE picture that only counts its references, for the tests of what an
// image holds and releases.
#pragma once

#include "platform/ole/Pictures.h"

namespace ZAVTest {

struct CCountingPicture : IPicture {
    int refs = 1;
    HRESULT QueryInterface(const IID&, void**) override { return E_NOINTERFACE; }
    ULONG AddRef() override { return static_cast<ULONG>(++refs); }
    ULONG Release() override { return static_cast<ULONG>(--refs); }
    HRESULT get_Handle(HANDLE*) override { return E_FAIL; }
    HRESULT get_hPal(HPALETTE*) override { return E_FAIL; }
    HRESULT get_Type(short*) override { return E_FAIL; }
    HRESULT get_Width(LONG*) override { return E_FAIL; }
    HRESULT get_Height(LONG*) override { return E_FAIL; }
};

}  // namespace ZAVTest
