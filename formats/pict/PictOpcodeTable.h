// The QuickDraw picture opcodes 0x00 to 0xA1 (Inside Macintosh: Imaging
// With QuickDraw, Appendix A, "Picture Opcodes"): name, bytes of data that
// follow, and what the data holds. A length of -1 means a 16-bit length
// precedes the data.
#pragma once

#include <cstddef>

namespace ZAV {

struct PictOpcode {
    const char* name;
    int length;
    const char* description;
};

constexpr int kPictVariableLength = -1;
constexpr size_t kPictOpcodeCount = 0xA2;

extern const PictOpcode PictOpcodeTable[kPictOpcodeCount];

}  // namespace ZAV
