// One-dimensional safe arrays and the VARIANT that carries them: what the
// byte-array load and save of the library need.
#pragma once

#include "platform/ole/OleTypes.h"

using VARTYPE = uint16_t;

constexpr VARTYPE VT_EMPTY = 0;
constexpr VARTYPE VT_I4 = 3;
constexpr VARTYPE VT_UI1 = 17;
constexpr VARTYPE VT_ARRAY = 0x2000;

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
};

struct VARIANT {
    VARTYPE vt;
    uint16_t wReserved1;
    uint16_t wReserved2;
    uint16_t wReserved3;
    union {
        LONG lVal;
        BYTE bVal;
        SAFEARRAY* parray;
    };
};

// Only VT_UI1 in one dimension; null for anything else or no memory.
SAFEARRAY* SafeArrayCreate(VARTYPE type, UINT dims, const SAFEARRAYBOUND* bounds);
// E_FAIL (DISP_E_ARRAYISLOCKED on Windows) while the data are accessed.
HRESULT SafeArrayDestroy(SAFEARRAY* array);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound);

void VariantInit(VARIANT* variant);
// Frees what the variant holds (an array with VT_ARRAY) and empties it.
HRESULT VariantClear(VARIANT* variant);
