#include "foundation/containers/RowMatrix.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace ZAV {

namespace {

bool Allocate(unsigned char**& matrix, size_t rows, size_t rowSize, bool zeroed)
{
    FreeRowMatrix(matrix);
    // Sized in 64 bits: rows x (row size + pointer size) must fit.
    const uint64_t perRow = static_cast<uint64_t>(rowSize) + sizeof(unsigned char*);
    if (perRow < rowSize || (rows != 0 && perRow > SIZE_MAX / rows))
        return false;
    const size_t total = static_cast<size_t>(perRow * rows);
    void* block = zeroed ? std::calloc(1, total ? total : 1) : std::malloc(total ? total : 1);
    if (!block)
        return false;
    matrix = static_cast<unsigned char**>(block);
    unsigned char* row = reinterpret_cast<unsigned char*>(matrix + rows);
    for (size_t i = 0; i < rows; ++i, row += rowSize)
        matrix[i] = row;
    return true;
}

}  // namespace

bool AllocRowMatrix(unsigned char**& matrix, size_t rows, size_t rowSize)
{
    return Allocate(matrix, rows, rowSize, false);
}

bool AllocRowMatrixZeroed(unsigned char**& matrix, size_t rows, size_t rowSize)
{
    return Allocate(matrix, rows, rowSize, true);
}

bool FreeRowMatrix(unsigned char**& matrix)
{
    std::free(matrix);
    matrix = nullptr;
    return true;
}

}  // namespace ZAV
