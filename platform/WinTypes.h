// The Windows scalar types and small records the code was designed with,
// spelt as designed but given fixed widths: `long` is 64-bit on this
// platform, so nothing here may be declared with it.
#pragma once

#include <cstdint>

using BYTE = uint8_t;
using WORD = uint16_t;
using DWORD = uint32_t;
using UINT = uint32_t;
using LONG = int32_t;
using BOOL = int32_t;
using COLORREF = uint32_t;
// A COM-style result: 0 success, negative failure.
using HRESULT = int32_t;
// Wide text on the Windows side is 16-bit, not wchar_t (32-bit here).
using WCHAR = char16_t;

using HGLOBAL = void*;
using HMODULE = void*;
// A symbol taken out of a shared library; callers cast it to the real type.
using FARPROC = void (*)();

constexpr HRESULT S_OK = 0;
constexpr HRESULT E_INVALIDARG = static_cast<HRESULT>(0x80070057u);

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

struct POINT {
    LONG x;
    LONG y;
};

struct SIZE {
    LONG cx;
    LONG cy;
};

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};

// Red in the lowest byte, then green, then blue.
constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b)
{
    return static_cast<COLORREF>(r) | (static_cast<COLORREF>(g) << 8) | (static_cast<COLORREF>(b) << 16);
}
constexpr BYTE GetRValue(COLORREF c) { return static_cast<BYTE>(c & 0xFF); }
constexpr BYTE GetGValue(COLORREF c) { return static_cast<BYTE>((c >> 8) & 0xFF); }
constexpr BYTE GetBValue(COLORREF c) { return static_cast<BYTE>((c >> 16) & 0xFF); }
