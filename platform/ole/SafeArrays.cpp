#include "platform/ole/SafeArrays.h"

#include <cstdlib>
#include <new>

namespace {

bool ValidDim(SAFEARRAY* array, UINT dim)
{
    return array && dim == 1 && array->cDims == 1;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE type, UINT dims, const SAFEARRAYBOUND* bounds)
{
    if (type != VT_UI1 || dims != 1 || !bounds)
        return nullptr;
    auto* array = new (std::nothrow) SAFEARRAY{};
    if (!array)
        return nullptr;
    array->cDims = 1;
    array->cbElements = 1;
    array->rgsabound[0] = bounds[0];
    array->pvData = std::calloc(bounds[0].cElements ? bounds[0].cElements : 1, 1);
    if (!array->pvData) {
        delete array;
        return nullptr;
    }
    return array;
}

HRESULT SafeArrayDestroy(SAFEARRAY* array)
{
    if (!array)
        return S_OK;
    if (array->cLocks)
        return E_FAIL;
    std::free(array->pvData);
    delete array;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data)
{
    if (!array || !data)
        return E_INVALIDARG;
    ++array->cLocks;
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array)
{
    if (!array || array->cLocks == 0)
        return E_INVALIDARG;
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!ValidDim(array, dim) || !bound)
        return E_INVALIDARG;
    *bound = array->rgsabound[0].lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound)
{
    if (!ValidDim(array, dim) || !bound)
        return E_INVALIDARG;
    *bound = array->rgsabound[0].lLbound + static_cast<LONG>(array->rgsabound[0].cElements) - 1;
    return S_OK;
}

void VariantInit(VARIANT* variant)
{
    if (variant)
        *variant = VARIANT{};
}

HRESULT VariantClear(VARIANT* variant)
{
    if (!variant)
        return E_INVALIDARG;
    if ((variant->vt & VT_ARRAY) && variant->parray) {
        const HRESULT hr = SafeArrayDestroy(variant->parray);
        if (FAILED(hr))
            return hr;
    }
    *variant = VARIANT{};
    return S_OK;
}
