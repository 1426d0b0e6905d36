// The standard tables B.1 to B.15 of T.88 Annex B. Each table lists its
// normal lines in ascending range order, then the lower range, upper range
// and out-of-band lines; a line the table does not use has PREFLEN 0.
#include "jbig2codec/huffman/JB2HuffmanTable.h"

namespace ZAV {

namespace {

struct StandardTable {
    uint32_t count;
    const uint8_t* prefixLength;
    const uint8_t* rangeLength;
    const int32_t* rangeLow;
};

// B.1
const uint8_t kP1[] = {1, 2, 3, 0, 3, 0};
const uint8_t kR1[] = {4, 8, 16, 32, 32, 0};
const int32_t kL1[] = {0, 16, 272, -1, 65808, 0};
// B.2
const uint8_t kP2[] = {1, 2, 3, 4, 5, 0, 6, 6};
const uint8_t kR2[] = {0, 0, 0, 3, 6, 32, 32, 0};
const int32_t kL2[] = {0, 1, 2, 3, 11, -1, 75, 0};
// B.3
const uint8_t kP3[] = {8, 1, 2, 3, 4, 5, 8, 7, 6};
const uint8_t kR3[] = {8, 0, 0, 0, 3, 6, 32, 32, 0};
const int32_t kL3[] = {-256, 0, 1, 2, 3, 11, -257, 75, 0};
// B.4
const uint8_t kP4[] = {1, 2, 3, 4, 5, 0, 5, 0};
const uint8_t kR4[] = {0, 0, 0, 3, 6, 32, 32, 0};
const int32_t kL4[] = {1, 2, 3, 4, 12, 0, 76, 0};
// B.5
const uint8_t kP5[] = {7, 1, 2, 3, 4, 5, 7, 6, 0};
const uint8_t kR5[] = {8, 0, 0, 0, 3, 6, 32, 32, 0};
const int32_t kL5[] = {-255, 1, 2, 3, 4, 12, -256, 76, 0};
// B.6
const uint8_t kP6[] = {5, 4, 4, 4, 5, 5, 4, 2, 3, 3, 4, 4, 6, 6, 0};
const uint8_t kR6[] = {10, 9, 8, 7, 6, 5, 5, 7, 7, 8, 9, 10, 32, 32, 0};
const int32_t kL6[] = {-2048, -1024, -512, -256, -128, -64, -32, 0, 128, 256, 512, 1024, -2049, 2048, 0};
// B.7
const uint8_t kP7[] = {4, 3, 4, 5, 5, 4, 4, 5, 5, 4, 3, 3, 3, 5, 5, 0};
const uint8_t kR7[] = {9, 8, 7, 6, 5, 5, 5, 5, 6, 7, 8, 9, 10, 32, 32, 0};
const int32_t kL7[] = {-1024, -512, -256, -128, -64, -32, 0, 32, 64, 128, 256, 512, 1024, -1025, 2048, 0};
// B.8
const uint8_t kP8[] = {8, 9, 8, 9, 7, 4, 2, 5, 6, 3, 6, 4, 4, 5, 5, 6, 7, 6, 9, 9, 2};
const uint8_t kR8[] = {3, 1, 1, 0, 0, 0, 1, 0, 0, 4, 1, 4, 5, 6, 7, 7, 8, 10, 32, 32, 0};
const int32_t kL8[] = {-15, -7, -5, -3, -2, -1, 0, 2, 3, 4, 20, 22, 38, 70, 134, 262, 390, 646, -16, 1670, 0};
// B.9
const uint8_t kP9[] = {8, 9, 8, 9, 7, 4, 3, 3, 5, 6, 3, 6, 4, 4, 5, 5, 6, 7, 6, 9, 9, 2};
const uint8_t kR9[] = {4, 2, 2, 1, 1, 1, 1, 1, 1, 1, 5, 2, 5, 6, 7, 8, 8, 9, 11, 32, 32, 0};
const int32_t kL9[] = {-31, -15, -11, -7, -5, -3, -1, 1, 3, 5, 7, 39, 43, 75, 139, 267, 523, 779, 1291, -32, 3339, 0};
// B.10
const uint8_t kP10[] = {7, 8, 7, 5, 2, 5, 6, 7, 8, 2, 5, 6, 6, 6, 6, 6, 6, 7, 8, 8, 2};
const uint8_t kR10[] = {4, 0, 0, 0, 2, 0, 0, 0, 0, 6, 5, 5, 6, 7, 8, 9, 10, 11, 32, 32, 0};
const int32_t kL10[] = {-21, -5, -4, -3, -2, 2, 3, 4, 5, 6, 70, 102, 134, 198, 326, 582, 1094, 2118, -22, 4166, 0};
// B.11
const uint8_t kP11[] = {1, 2, 4, 4, 5, 5, 6, 7, 7, 7, 7, 7, 0, 7, 0};
const uint8_t kR11[] = {0, 1, 0, 1, 1, 2, 2, 2, 3, 4, 5, 6, 32, 32, 0};
const int32_t kL11[] = {1, 2, 4, 5, 7, 9, 13, 17, 21, 29, 45, 77, 0, 141, 0};
// B.12
const uint8_t kP12[] = {1, 2, 3, 5, 5, 6, 7, 7, 7, 7, 7, 8, 0, 8, 0};
const uint8_t kR12[] = {0, 0, 1, 0, 1, 1, 0, 1, 2, 3, 4, 5, 32, 32, 0};
const int32_t kL12[] = {1, 2, 3, 5, 6, 8, 10, 11, 13, 17, 25, 41, 0, 73, 0};
// B.13
const uint8_t kP13[] = {1, 3, 4, 5, 4, 3, 6, 6, 6, 6, 6, 7, 0, 7, 0};
const uint8_t kR13[] = {0, 0, 0, 0, 1, 3, 1, 2, 3, 4, 5, 6, 32, 32, 0};
const int32_t kL13[] = {1, 2, 3, 4, 5, 7, 15, 17, 21, 29, 45, 77, 0, 141, 0};
// B.14
const uint8_t kP14[] = {3, 3, 1, 3, 3, 0, 0, 0};
const uint8_t kR14[] = {0, 0, 0, 0, 0, 32, 32, 0};
const int32_t kL14[] = {-2, -1, 0, 1, 2, -3, 3, 0};
// B.15
const uint8_t kP15[] = {7, 6, 5, 4, 3, 1, 3, 4, 5, 6, 7, 7, 7, 0};
const uint8_t kR15[] = {4, 2, 1, 0, 0, 0, 0, 0, 1, 2, 4, 32, 32, 0};
const int32_t kL15[] = {-24, -8, -4, -2, -1, 0, 1, 2, 3, 5, 9, -25, 25, 0};

#define JB2_STANDARD_TABLE(n)                                                                                          \
    {                                                                                                                  \
        uint32_t(sizeof(kP##n)), kP##n, kR##n, kL##n                                                                   \
    }

const StandardTable kStandard[] = {
    JB2_STANDARD_TABLE(1),  JB2_STANDARD_TABLE(2),  JB2_STANDARD_TABLE(3),  JB2_STANDARD_TABLE(4),
    JB2_STANDARD_TABLE(5),  JB2_STANDARD_TABLE(6),  JB2_STANDARD_TABLE(7),  JB2_STANDARD_TABLE(8),
    JB2_STANDARD_TABLE(9),  JB2_STANDARD_TABLE(10), JB2_STANDARD_TABLE(11), JB2_STANDARD_TABLE(12),
    JB2_STANDARD_TABLE(13), JB2_STANDARD_TABLE(14), JB2_STANDARD_TABLE(15),
};

#undef JB2_STANDARD_TABLE

static_assert(sizeof(kR8) == sizeof(kP8) && sizeof(kL8) == 4 * sizeof(kP8), "B.8 arrays are parallel");
static_assert(sizeof(kR9) == sizeof(kP9) && sizeof(kL9) == 4 * sizeof(kP9), "B.9 arrays are parallel");
static_assert(sizeof(kR10) == sizeof(kP10) && sizeof(kL10) == 4 * sizeof(kP10), "B.10 arrays are parallel");

}  // namespace

JB2_Error Huffman_Table_Standard(JB2HuffmanTable** out, JB2Memory* memory, uint32_t number, JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    if (number >= sizeof(kStandard) / sizeof(kStandard[0])) {
        return JB2Fail(message, cJB2_Error_Invalid_Huffman_Table, "Invalid standard huffman table data!");
    }
    const StandardTable& source = kStandard[number];
    JB2HuffmanTable* table = nullptr;
    JB2_Error status = Huffman_Table_Create(&table, memory, message);
    for (uint32_t i = 0; status == cJB2_Error_OK && i < source.count; ++i)
        status = Huffman_Table_Add_Entry(table, memory, source.prefixLength[i], source.rangeLength[i],
                                         source.rangeLow[i], message);
    if (status == cJB2_Error_OK)
        status = Huffman_Table_Finish(table, memory, message);
    if (status != cJB2_Error_OK) {
        if (table)
            Huffman_Table_End(&table, memory);
        if (status != cJB2_Error_Allocation_Failure) {
            JB2MessageError(message, "Invalid standard huffman table data!");
            status = cJB2_Error_Invalid_Huffman_Table;
        }
        return status;
    }
    *out = table;
    return cJB2_Error_OK;
}

}  // namespace ZAV
