// Steps the facets of the advanced image-processing object share: reaching
// the library, reading an operand's handle, converting an image-edit
// object's depth, taking a source and sizing the owner's image by it, lending an image-edit object to the library as an
// operand, and checking that an array holds what its values promise.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "interfaces/advanced/ZAVAdvancedImgProcInterfaces.h"
#include "interfaces/advanced/binding/AipDynDll.h"
#include "interfaces/imageedit/ZAVImageEditInterfaces.h"

namespace ZAV {

class CZAVAdvancedImgProc;

inline CAipDynDll& AipLibrary()
{
    return CAipDynDll::Instance();
}

// The operand's library handle; a null operand is refused.
KORV_Handle OperandHandle(IZAVAdvancedImgProcSp* operand);

// A null image-edit operand is refused.
IZAVImageEditSp* RequireImageOperand(IZAVImageEditSp* image);

// Keeps the image's depth when it is one of the set (9: 8-bit grey), else
// converts it by the image object's order.
void ConvertToDepths(IZAVImageEditSp* image, std::initializer_list<int32_t> depths);

// The source an image-edit form reads: a null one is refused, and the
// owner's own image comes back as a copy, so that the re-created destination
// never frees what is being read.
CZAVPtr<IZAVImageEditSp> TakeSource(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source);
// Taken, then brought to one of the depths (ConvertToDepths).
CZAVPtr<IZAVImageEditSp> TakeSource(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source,
                                    std::initializer_list<int32_t> depths);

// The owner's image made width x height at the taken source's depth.
void PrepareLike(CZAVAdvancedImgProc& owner, IZAVImageEditSp* taken, int32_t width, int32_t height);

// Taken (and brought to one of the depths, when given), and the owner's
// image made its size and depth.
CZAVPtr<IZAVImageEditSp> TakeSourceAtItsSize(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source);
CZAVPtr<IZAVImageEditSp> TakeSourceAtItsSize(CZAVAdvancedImgProc& owner, IZAVImageEditSp* source,
                                             std::initializer_list<int32_t> depths);

// A new advanced object on the image, lending it the image's pixels; the
// holder owns its one reference.
CZAVPtr<IZAVAdvancedImgProcSp> MakeOperand(IZAVImageEditSp* image);

// The library reads `needed` elements from the array's address: refuses an
// array that holds fewer (the library cannot tell), naming it.
void RequireElements(int32_t count, int64_t needed, const char* arrayName);

// The library reads a columns x rows grid (a negative side counts as none).
void RequireGrid(const CZAVInt32Array& grid, int32_t columns, int32_t rows, const char* arrayName);

// Levels and values go to the library as one count: the levels must hold as
// many as the values.
void RequireTablePair(const CZAVInt32Array& levels, const CZAVInt32Array& values);

}  // namespace ZAV
