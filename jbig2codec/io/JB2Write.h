// The write data object: the caller's write callback and its user value,
// with big-endian field writes and formatted text at absolute offsets.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

struct JB2WriteData {
    JB2_Write_Callback callback;
    void* user;
    uint32_t references;
};

JB2_Error JB2WriteDataCreate(JB2WriteData** out, JB2Memory* memory, JB2_Write_Callback callback, void* user,
                             JB2Message* message);
void JB2WriteDataAddReference(JB2WriteData* writeData);
JB2_Error JB2WriteDataRelease(JB2WriteData** holder, JB2Memory* memory);

// The callback's count, or 0 without object or callback.
uint32_t JB2WriteDataWrite(JB2WriteData* writeData, const uint8_t* buffer, uint32_t offset, uint32_t size);
// 1, 2 or 4 when every byte was written, else 0.
uint32_t JB2WriteDataWriteByte(JB2WriteData* writeData, uint32_t offset, uint8_t value);
uint32_t JB2WriteDataWriteU16(JB2WriteData* writeData, uint32_t offset, uint16_t value);
uint32_t JB2WriteDataWriteU32(JB2WriteData* writeData, uint32_t offset, uint32_t value);

// Formats into 1,024 bytes and writes the text (no terminator) at the offset.
// A text that does not fit gives *written 1,024 and -12 without writing; a
// short write gives -12.
JB2_Error JB2WriteDataFormat(JB2WriteData* writeData, uint32_t offset, uint32_t* written, const char* format, ...)
    JB2_PRINTF(4, 5);

inline void JB2PutU16(uint8_t* bytes, uint16_t value)
{
    bytes[0] = static_cast<uint8_t>(value >> 8);
    bytes[1] = static_cast<uint8_t>(value);
}

inline void JB2PutU32(uint8_t* bytes, uint32_t value)
{
    bytes[0] = static_cast<uint8_t>(value >> 24);
    bytes[1] = static_cast<uint8_t>(value >> 16);
    bytes[2] = static_cast<uint8_t>(value >> 8);
    bytes[3] = static_cast<uint8_t>(value);
}

}  // namespace ZAV
