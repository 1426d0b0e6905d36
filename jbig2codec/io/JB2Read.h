// The read data object: the caller's read callback and its user value, with
// big-endian field reads at absolute offsets of the source.
#pragma once

#include <cstdint>

#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

struct JB2ReadData {
    JB2_Read_Callback callback;
    void* user;
    uint32_t references;
};

JB2_Error JB2ReadDataCreate(JB2ReadData** out, JB2Memory* memory, JB2_Read_Callback callback, void* user,
                            JB2Message* message);
void JB2ReadDataAddReference(JB2ReadData* readData);
JB2_Error JB2ReadDataRelease(JB2ReadData** holder, JB2Memory* memory);

// The callback's count, or 0 without object, callback, buffer or size.
uint32_t JB2ReadDataRead(JB2ReadData* readData, uint8_t* buffer, uint32_t offset, uint32_t size);
// 1, 2 or 4 when every byte was delivered (the value is stored), else 0.
uint32_t JB2ReadDataReadByte(JB2ReadData* readData, uint32_t offset, uint8_t* value);
uint32_t JB2ReadDataReadU16(JB2ReadData* readData, uint32_t offset, uint16_t* value);
uint32_t JB2ReadDataReadU32(JB2ReadData* readData, uint32_t offset, uint32_t* value);

// Big-endian values in memory.
inline uint16_t JB2GetU16(const uint8_t* bytes)
{
    return static_cast<uint16_t>((bytes[0] << 8) | bytes[1]);
}

inline uint32_t JB2GetU32(const uint8_t* bytes)
{
    return (static_cast<uint32_t>(bytes[0]) << 24) | (static_cast<uint32_t>(bytes[1]) << 16) |
           (static_cast<uint32_t>(bytes[2]) << 8) | bytes[3];
}

// -19 when pointer + length wraps around the address space.
JB2_Error JB2CheckRange(const void* pointer, uint64_t length);

}  // namespace ZAV
