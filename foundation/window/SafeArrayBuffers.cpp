#include "foundation/window/SafeArrayBuffers.h"

#include <cstring>
#include <new>

namespace ZAV {

int32_t GetSafeArraySize(SAFEARRAY* array)
{
    LONG lower = -1;
    LONG upper = -1;
    if (FAILED(SafeArrayGetLBound(array, 1, &lower)))
        lower = -1;
    if (FAILED(SafeArrayGetUBound(array, 1, &upper)))
        upper = -1;
    return static_cast<int32_t>(static_cast<int64_t>(upper) - lower + 1);
}

namespace {

bool CopyOut(SAFEARRAY* array, BYTE* buffer, int32_t size)
{
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data)))
        return false;
    if (size > 0)
        std::memcpy(buffer, data, static_cast<size_t>(size));
    SafeArrayUnaccessData(array);
    return true;
}

}  // namespace

bool CopySafeArrayToBuffer(SAFEARRAY* array, BYTE*& buffer, int32_t& size, bool allocate)
{
    if (!allocate) {
        if (!buffer || !array || size != GetSafeArraySize(array))
            return false;
        return CopyOut(array, buffer, size);
    }
    buffer = nullptr;
    size = 0;
    if (!array)
        return false;
    const int32_t count = GetSafeArraySize(array);
    if (count < 0)
        return false;
    BYTE* made = new (std::nothrow) BYTE[static_cast<size_t>(count) + 1];
    if (!made || !CopyOut(array, made, count)) {
        delete[] made;
        return false;
    }
    buffer = made;
    size = count;
    return true;
}

bool CreateByteSafeArrayVariant(const BYTE* buffer, int32_t size, VARIANT* variant)
{
    if (!variant)
        return false;
    VariantClear(variant);
    if (size < 0 || (size > 0 && !buffer))
        return false;
    SAFEARRAYBOUND bound{static_cast<ULONG>(size), 0};
    SAFEARRAY* array = SafeArrayCreate(VT_UI1, 1, &bound);
    if (!array)
        return false;
    void* data = nullptr;
    if (FAILED(SafeArrayAccessData(array, &data))) {
        SafeArrayDestroy(array);
        return false;
    }
    if (size > 0)
        std::memcpy(data, buffer, static_cast<size_t>(size));
    SafeArrayUnaccessData(array);
    variant->vt = VT_ARRAY | VT_UI1;
    variant->parray = array;
    return true;
}

}  // namespace ZAV
