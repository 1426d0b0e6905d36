#include "jbig2codec/io/JB2Read.h"

#include "jbig2codec/support/JB2Counted.h"

namespace ZAV {

JB2_Error JB2ReadDataCreate(JB2ReadData** out, JB2Memory* memory, JB2_Read_Callback callback, void* user,
                            JB2Message* message)
{
    JB2_Error status = JB2CountedCreate(out, memory, message, "read data");
    if (status != cJB2_Error_OK)
        return status;
    (*out)->callback = callback;
    (*out)->user = user;
    return cJB2_Error_OK;
}

void JB2ReadDataAddReference(JB2ReadData* readData)
{
    JB2CountedAddReference(readData);
}

JB2_Error JB2ReadDataRelease(JB2ReadData** holder, JB2Memory* memory)
{
    return JB2CountedRelease(holder, memory);
}

uint32_t JB2ReadDataRead(JB2ReadData* readData, uint8_t* buffer, uint32_t offset, uint32_t size)
{
    if (!readData || !readData->callback || !buffer || size == 0)
        return 0;
    uint32_t count = readData->callback(buffer, offset, size, readData->user);
    // A callback that claims more than it was asked for is not believed.
    return count > size ? size : count;
}

uint32_t JB2ReadDataReadByte(JB2ReadData* readData, uint32_t offset, uint8_t* value)
{
    uint8_t byte = 0;
    if (!value || JB2ReadDataRead(readData, &byte, offset, 1) != 1)
        return 0;
    *value = byte;
    return 1;
}

uint32_t JB2ReadDataReadU16(JB2ReadData* readData, uint32_t offset, uint16_t* value)
{
    uint8_t bytes[2];
    if (!value || JB2ReadDataRead(readData, bytes, offset, 2) != 2)
        return 0;
    *value = JB2GetU16(bytes);
    return 2;
}

uint32_t JB2ReadDataReadU32(JB2ReadData* readData, uint32_t offset, uint32_t* value)
{
    uint8_t bytes[4];
    if (!value || JB2ReadDataRead(readData, bytes, offset, 4) != 4)
        return 0;
    *value = JB2GetU32(bytes);
    return 4;
}

JB2_Error JB2CheckRange(const void* pointer, uint64_t length)
{
    const uint64_t start = reinterpret_cast<uintptr_t>(pointer);
    if (length > UINTPTR_MAX - start)
        return cJB2_Error_Invalid_Segment_Data;
    return cJB2_Error_OK;
}

}  // namespace ZAV
