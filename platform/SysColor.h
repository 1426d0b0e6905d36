// System colours: the few display-element colours the drawing code asks
// for, with the values of the classic light desktop scheme, and the OLE
// colour translation that resolves them.
#pragma once

#include "platform/WinTypes.h"

constexpr int COLOR_BTNFACE = 15;
constexpr int COLOR_INFOTEXT = 23;
constexpr int COLOR_INFOBK = 24;

// An OLE colour: a COLORREF, or 0x80000000 | a system colour index.
using OLE_COLOR = uint32_t;
constexpr OLE_COLOR kOleSystemColorFlag = 0x80000000u;

// The colour of a known index; 0 for any other.
COLORREF GetSysColor(int index);

// A plain COLORREF (high byte 0) comes back unchanged; 0x80000000 | index
// resolves a known system colour. Anything else gives E_INVALIDARG and leaves
// the output alone. The palette is not consulted.
HRESULT OleTranslateColor(OLE_COLOR color, void* palette, COLORREF* out);
