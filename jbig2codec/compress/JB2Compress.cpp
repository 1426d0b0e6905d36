// The exported compression functions.
#include "jbig2codec/compress/JB2Compress.h"

#include "jbig2codec/compress/JB2CompressPage.h"
#include "jbig2codec/document/JB2Document.h"
#include "jbig2codec/support/JB2HandleStart.h"

using namespace ZAV;

namespace {

bool Valid(JB2_Handle_Compress handle)
{
    return handle && handle->magic == kJB2CompressMagic;
}

// Frees properties, message, the handle and last memory; stops at the
// first failure.
JB2_Error FreeHandle(JB2_Handle_Compress handle)
{
    JB2Memory* memory = handle->memory;
    if (!memory)
        return cJB2_Error_Free_Failure;
    if (handle->properties) {
        JB2_Error status = JB2CompressPropertiesRelease(&handle->properties, memory);
        if (status != cJB2_Error_OK)
            return JB2Fail(handle->message, status, "Error deallocating compression properties object!");
    }
    if (handle->message)
        JB2MessageRelease(&handle->message, memory);
    handle->magic = 0;
    JB2_Error status = JB2MemoryFree(memory, &handle);
    JB2MemoryRelease(&memory);
    return status;
}

JB2_Error MakeDocument(JB2_Handle_Compress handle, JB2_Handle_Document* document)
{
    JB2CompressProperties* properties = handle->properties;
    if (!properties || !JB2StripeEncoderIsFull(properties->encoder) || !properties->file) {
        return JB2Fail(handle->message, cJB2_Error_Compression_Finished,
                       "Unable to create document handle : Compression has not yet finished!");
    }
    return JB2DocumentHandleCreate(document, handle->memory, handle->message, properties->file);
}

}  // namespace

extern "C" {

JB2_EXPORT JB2_Error JB2_Compress_Start(JB2_Handle_Compress* out, JB2_Alloc_Callback alloc, void* allocUser,
                                        JB2_Free_Callback free, void* freeUser, JB2_Message_Callback messageCallback,
                                        void* messageUser)
{
    if (!out)
        return cJB2_Error_Invalid_Handle;
    *out = nullptr;
    JB2Memory* memory = nullptr;
    JB2Message* message = nullptr;
    JB2_Error status = JB2HandleStartObjects(&memory, &message, alloc, allocUser, free, freeUser, messageCallback,
                                             messageUser, "Unable to create compression handle");
    if (status != cJB2_Error_OK)
        return status;
    auto* handle = JB2MemoryNew<JB2_Compress_Handle_Rec>(memory);
    if (!handle) {
        JB2MessageError(message, "Unable to allocate compression handle!");
        if (message)
            JB2MessageRelease(&message, memory);
        JB2MemoryRelease(&memory);
        return cJB2_Error_Allocation_Failure;
    }
    handle->magic = kJB2CompressMagic;
    handle->memory = memory;
    handle->message = message;
    status = JB2CompressPropertiesCreate(&handle->properties, memory, message);
    if (status != cJB2_Error_OK) {
        FreeHandle(handle);
        return status;
    }
    *out = handle;
    return cJB2_Error_OK;
}

JB2_EXPORT JB2_Error JB2_Compress_Set_Property(JB2_Handle_Compress handle, uint32_t key, uint32_t value)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!handle->properties)
        return cJB2_Error_Internal;
    if (handle->properties->encoder) {
        return JB2Fail(handle->message, cJB2_Error_Compression_Started,
                       "Compression has started and properties cannot now be altered!");
    }
    return JB2CompressPropertiesSet(handle->properties, key, value, handle->message);
}

JB2_EXPORT JB2_Error JB2_Compress_Get_Property(JB2_Handle_Compress handle, uint32_t key, uint32_t* value)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!value) {
        return JB2Fail(handle->message, cJB2_Error_Invalid_Pointer,
                       "Null pointer passed to JB2_Compress_Get_Property!");
    }
    return JB2CompressPropertiesGet(handle->properties, key, value, handle->message);
}

JB2_EXPORT JB2_Error JB2_Compress_Line(JB2_Handle_Compress handle, const uint8_t* line)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!line)
        return JB2Fail(handle->message, cJB2_Error_Invalid_Pointer, "Empty line buffer passed to JB2_Compress_Line!");
    JB2CompressProperties* properties = handle->properties;
    if (!properties)
        return cJB2_Error_Internal;
    if (!properties->encoder) {
        JB2_Error status = JB2CompressPageStart(properties, handle->memory, handle->message);
        if (status != cJB2_Error_OK)
            return status;
    }
    return JB2CompressPageLine(properties, handle->memory, line, handle->message);
}

JB2_EXPORT JB2_Error JB2_Compress_End(JB2_Handle_Compress* holder, JB2_Handle_Document* document)
{
    if (!holder || !Valid(*holder))
        return cJB2_Error_Invalid_Handle;
    JB2_Error status = cJB2_Error_OK;
    if (document)
        status = MakeDocument(*holder, document);
    JB2_Error freed = FreeHandle(*holder);
    *holder = nullptr;
    return status != cJB2_Error_OK ? status : freed;
}

}  // extern "C"
