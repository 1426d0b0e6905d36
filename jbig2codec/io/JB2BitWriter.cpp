#include "jbig2codec/io/JB2BitWriter.h"

namespace ZAV {

namespace {

JB2_Error WriteBuffer(JB2BitWriter* writer)
{
    if (writer->bytes == 0)
        return cJB2_Error_OK;
    if (JB2WriteDataWrite(writer->writeData, writer->buffer, writer->target, writer->bytes) != writer->bytes)
        return cJB2_Error_Write_Failure;
    writer->target += writer->bytes;
    writer->bytes = 0;
    return cJB2_Error_OK;
}

JB2_Error PutByte(JB2BitWriter* writer, uint8_t byte)
{
    if (writer->bytes == writer->capacity) {
        JB2_Error status = WriteBuffer(writer);
        if (status != cJB2_Error_OK)
            return status;
    }
    writer->buffer[writer->bytes++] = byte;
    if (writer->bytes == writer->capacity)
        return WriteBuffer(writer);
    return cJB2_Error_OK;
}

}  // namespace

JB2_Error JB2BitWriterCreate(JB2BitWriter** out, JB2Memory* memory, JB2WriteData* writeData, uint32_t target,
                             JB2Message* message)
{
    if (!out)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* writer = JB2MemoryNew<JB2BitWriter>(memory);
    if (!writer) return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate write bits object!");
    writer->buffer = JB2MemoryAllocArray<uint8_t>(memory, kJB2WriteBitsBufferSize);
    if (!writer->buffer) {
        JB2MemoryFree(memory, &writer);
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to create write bits buffer!");
    }
    writer->capacity = kJB2WriteBitsBufferSize;
    writer->target = target;
    writer->freeBits = 8;
    writer->writeData = writeData;
    JB2WriteDataAddReference(writeData);
    *out = writer;
    return cJB2_Error_OK;
}

JB2_Error JB2BitWriterPut(JB2BitWriter* writer, uint32_t value, uint32_t n)
{
    if (!writer)
        return cJB2_Error_Internal;
    if (n > 32)
        return cJB2_Error_Internal;
    while (n > 0) {
        const uint32_t take = n < writer->freeBits ? n : writer->freeBits;
        const uint32_t bits = (value >> (n - take)) & ((1u << take) - 1);
        writer->freeBits -= take;
        writer->partial = static_cast<uint8_t>(writer->partial | (bits << writer->freeBits));
        n -= take;
        if (writer->freeBits == 0) {
            const uint8_t byte = writer->partial;
            writer->partial = 0;
            writer->freeBits = 8;
            JB2_Error status = PutByte(writer, byte);
            if (status != cJB2_Error_OK)
                return status;
        }
    }
    return cJB2_Error_OK;
}

JB2_Error JB2BitWriterFlush(JB2BitWriter* writer)
{
    if (!writer)
        return cJB2_Error_Internal;
    if (writer->freeBits < 8) {
        if (writer->bytes == writer->capacity) {
            JB2_Error status = WriteBuffer(writer);
            if (status != cJB2_Error_OK)
                return status;
        }
        writer->buffer[writer->bytes++] = writer->partial;
        writer->partial = 0;
        writer->freeBits = 8;
    }
    return WriteBuffer(writer);
}

uint32_t JB2BitWriterOffset(const JB2BitWriter* writer)
{
    return writer->target + writer->bytes;
}

JB2_Error JB2BitWriterEnd(JB2BitWriter** holder, JB2Memory* memory)
{
    if (!holder || !*holder)
        return cJB2_Error_Internal;
    JB2BitWriter* writer = *holder;
    const JB2_Error flushed = JB2BitWriterFlush(writer);
    if (writer->buffer)
        JB2MemoryFree(memory, &writer->buffer);
    if (writer->writeData)
        JB2WriteDataRelease(&writer->writeData, memory);
    const JB2_Error freed = JB2MemoryFree(memory, holder);
    *holder = nullptr;
    return flushed != cJB2_Error_OK ? flushed : freed;
}

}  // namespace ZAV
