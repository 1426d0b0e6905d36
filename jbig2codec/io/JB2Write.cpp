#include "jbig2codec/io/JB2Write.h"

#include <cstdarg>
#include <cstdio>

#include "jbig2codec/support/JB2Counted.h"

namespace ZAV {

JB2_Error JB2WriteDataCreate(JB2WriteData** out, JB2Memory* memory, JB2_Write_Callback callback, void* user,
                             JB2Message* message)
{
    JB2_Error status = JB2CountedCreate(out, memory, message, "write data");
    if (status != cJB2_Error_OK)
        return status;
    (*out)->callback = callback;
    (*out)->user = user;
    return cJB2_Error_OK;
}

void JB2WriteDataAddReference(JB2WriteData* writeData)
{
    JB2CountedAddReference(writeData);
}

JB2_Error JB2WriteDataRelease(JB2WriteData** holder, JB2Memory* memory)
{
    return JB2CountedRelease(holder, memory);
}

uint32_t JB2WriteDataWrite(JB2WriteData* writeData, const uint8_t* buffer, uint32_t offset, uint32_t size)
{
    if (!writeData || !writeData->callback)
        return 0;
    if (size == 0)
        return 0;
    if (!buffer)
        return 0;
    return writeData->callback(buffer, offset, size, writeData->user);
}

uint32_t JB2WriteDataWriteByte(JB2WriteData* writeData, uint32_t offset, uint8_t value)
{
    return JB2WriteDataWrite(writeData, &value, offset, 1) == 1 ? 1 : 0;
}

uint32_t JB2WriteDataWriteU16(JB2WriteData* writeData, uint32_t offset, uint16_t value)
{
    uint8_t bytes[2];
    JB2PutU16(bytes, value);
    return JB2WriteDataWrite(writeData, bytes, offset, 2) == 2 ? 2 : 0;
}

uint32_t JB2WriteDataWriteU32(JB2WriteData* writeData, uint32_t offset, uint32_t value)
{
    uint8_t bytes[4];
    JB2PutU32(bytes, value);
    return JB2WriteDataWrite(writeData, bytes, offset, 4) == 4 ? 4 : 0;
}

JB2_Error JB2WriteDataFormat(JB2WriteData* writeData, uint32_t offset, uint32_t* written, const char* format, ...)
{
    if (!written || !format)
        return cJB2_Error_Internal;
    *written = 0;
    char text[kJB2TextBufferSize];
    va_list arguments;
    va_start(arguments, format);
    const int length = std::vsnprintf(text, sizeof text, format, arguments);
    va_end(arguments);
    if (length < 0)
        return cJB2_Error_Write_Failure;
    if (static_cast<uint32_t>(length) >= kJB2TextBufferSize) {
        *written = kJB2TextBufferSize;
        return cJB2_Error_Write_Failure;
    }
    if (length == 0)
        return cJB2_Error_OK;
    *written = JB2WriteDataWrite(writeData, reinterpret_cast<const uint8_t*>(text), offset,
                                 static_cast<uint32_t>(length));
    return *written == static_cast<uint32_t>(length) ? cJB2_Error_OK : cJB2_Error_Write_Failure;
}

}  // namespace ZAV
