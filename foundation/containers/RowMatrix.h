// A matrix of rows in one allocation: n row pointers followed by the n rows,
// pointer i addressing row i. Freed with FreeRowMatrix.
#pragma once

#include <cstddef>

namespace ZAV {

// Frees the previous block, then allocates one for rows rows of rowSize
// bytes. False, with a null matrix, for a size that overflows or when the
// allocation fails.
bool AllocRowMatrix(unsigned char**& matrix, size_t rows, size_t rowSize);
// The same with every row zero-filled.
bool AllocRowMatrixZeroed(unsigned char**& matrix, size_t rows, size_t rowSize);
// Frees the block and nulls the pointer; true.
bool FreeRowMatrix(unsigned char**& matrix);

}  // namespace ZAV
