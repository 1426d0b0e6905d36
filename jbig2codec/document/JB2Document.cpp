// The exported document functions.
#include "jbig2codec/document/JB2Document.h"
#include "jbig2codec/document/JB2FileExport.h"
#include "jbig2codec/document/JB2Page.h"
#include "jbig2codec/support/JB2HandleStart.h"

using namespace ZAV;

namespace {

bool Valid(JB2_Handle_Document handle)
{
    return handle && handle->magic == kJB2DocumentMagic;
}

// Frees what the handle holds, in the order properties, read data, file,
// message, the handle, memory. Stops at the first failure.
JB2_Error FreeHandle(JB2_Handle_Document handle)
{
    JB2Memory* memory = handle->memory;
    if (!memory)
        return cJB2_Error_Free_Failure;
    JB2Message* message = handle->message;
    if (handle->properties) {
        JB2_Error status = JB2DecompressPropertiesRelease(&handle->properties, memory);
        if (status != cJB2_Error_OK) {
            return JB2Fail(message, status, "Error deallocating decompression properties object!");
        }
    }
    if (handle->readData) {
        JB2_Error status = JB2ReadDataRelease(&handle->readData, memory);
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "Error deallocating read data object!");
    }
    if (handle->file) {
        JB2_Error status = JB2FileRelease(&handle->file);
        if (status != cJB2_Error_OK)
            return JB2Fail(message, status, "Error deallocating file object!");
    }
    if (handle->message)
        JB2MessageRelease(&handle->message, memory);
    handle->magic = 0;
    JB2_Error status = JB2MemoryFree(memory, &handle);
    JB2MemoryRelease(&memory);
    return status;
}

}  // namespace

namespace ZAV {

JB2_Error JB2DocumentHandleCreate(JB2_Handle_Document* out, JB2Memory* memory, JB2Message* message, JB2File* file)
{
    if (!out || !memory || !file)
        return cJB2_Error_Internal;
    *out = nullptr;
    auto* handle = JB2MemoryNew<JB2_Document_Handle_Rec>(memory);
    if (!handle)
        return JB2Fail(message, cJB2_Error_Allocation_Failure, "Unable to allocate document handle!");
    handle->magic = kJB2DocumentMagic;
    handle->memory = memory;
    JB2MemoryAddReference(memory);
    handle->message = message;
    JB2MessageAddReference(message);
    handle->file = file;
    JB2FileAddReference(file);
    JB2_Error status = JB2DecompressPropertiesCreate(&handle->properties, memory, file, message);
    if (status != cJB2_Error_OK) {
        FreeHandle(handle);
        return status;
    }
    *out = handle;
    return cJB2_Error_OK;
}

}  // namespace ZAV

extern "C" {

JB2_EXPORT JB2_Error JB2_Document_Start(JB2_Handle_Document* out, JB2_Alloc_Callback alloc, void* allocUser,
                                        JB2_Free_Callback free, void* freeUser, JB2_Read_Callback read, void* readUser,
                                        JB2_Message_Callback messageCallback, void* messageUser)
{
    if (!out)
        return cJB2_Error_Invalid_Handle;
    *out = nullptr;
    if (!alloc || !free)
        return !alloc ? cJB2_Error_Callback_Allocation : cJB2_Error_Callback_No_Free;
    if (!read)
        return cJB2_Error_Callback_Read;
    JB2Memory* memory = nullptr;
    JB2Message* message = nullptr;
    JB2_Error status = JB2HandleStartObjects(&memory, &message, alloc, allocUser, free, freeUser, messageCallback,
                                             messageUser, nullptr);
    if (status != cJB2_Error_OK)
        return status;
    auto* handle = JB2MemoryNew<JB2_Document_Handle_Rec>(memory);
    if (!handle) {
        JB2MessageError(message, "Unable to allocate document handle!");
        if (message)
            JB2MessageRelease(&message, memory);
        JB2MemoryRelease(&memory);
        return cJB2_Error_Allocation_Failure;
    }
    handle->magic = kJB2DocumentMagic;
    handle->memory = memory;
    handle->message = message;
    status = JB2ReadDataCreate(&handle->readData, memory, read, readUser, message);
    if (status == cJB2_Error_OK)
        status = JB2FileRead(&handle->file, memory, handle->readData, message);
    if (status == cJB2_Error_OK)
        status = JB2DecompressPropertiesCreate(&handle->properties, memory, handle->file, message);
    if (status != cJB2_Error_OK) {
        FreeHandle(handle);
        return status;
    }
    *out = handle;
    return cJB2_Error_OK;
}

JB2_EXPORT JB2_Error JB2_Document_Set_Page(JB2_Handle_Document handle, uint32_t page)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    JB2DecompressProperties* properties = handle->properties;
    if (!properties || !handle->file)
        return cJB2_Error_Internal;
    if (page >= handle->file->pages)
        return cJB2_Error_Invalid_Index;
    if (page == properties->page)
        return cJB2_Error_OK;
    JB2DecompressPropertiesDropPage(properties, handle->memory);
    properties->page = page;
    return cJB2_Error_OK;
}

JB2_EXPORT JB2_Error JB2_Document_Get_Property(JB2_Handle_Document handle, uint32_t key, uint32_t* value)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!value) {
        return JB2Fail(handle->message, cJB2_Error_Invalid_Pointer,
                       "Null pointer passed to JB2_Document_Get_Property!");
    }
    *value = 0;
    JB2DecompressProperties* properties = handle->properties;
    JB2File* file = handle->file;
    if (!properties || !file)
        return cJB2_Error_Internal;
    const uint32_t page = properties->page;
    switch (key) {
    case cJB2_Prop_Number_Of_Pages:
        *value = file->pages;
        return cJB2_Error_OK;
    case cJB2_Prop_Width:
    case cJB2_Prop_Height:
    case cJB2_Prop_X_Resolution:
    case cJB2_Prop_Y_Resolution:
        if (page >= file->pages)
            return cJB2_Error_Internal;
        if (key == cJB2_Prop_Width)
            return JB2PageGetWidth(file, page, value);
        if (key == cJB2_Prop_Height)
            return JB2PageGetHeight(file, page, value);
        if (key == cJB2_Prop_X_Resolution)
            return JB2PageGetXResolution(file, page, value);
        return JB2PageGetYResolution(file, page, value);
    case cJB2_Prop_Regions_Supported: {
        uint8_t supported = 0;
        JB2_Error status = JB2FileRegionsSupported(file, &supported, handle->message);
        *value = supported;
        return status;
    }
    default:
        return cJB2_Error_Invalid_Property_Key;
    }
}

JB2_EXPORT JB2_Error JB2_Document_Decompress_Page(JB2_Handle_Document handle, uint32_t scaleUp, uint32_t scaleDown,
                                                  uint32_t left, uint32_t right, uint32_t top, uint32_t bottom,
                                                  JB2_Output_Callback output, void* outputUser)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    return JB2DecompressPage(handle->properties, handle->memory, scaleUp, scaleDown, left, right, top, bottom, output,
                             outputUser, handle->message);
}

JB2_EXPORT JB2_Error JB2_Document_Export_Document(JB2_Handle_Document handle, JB2_Write_Callback write, void* writeUser,
                                                  uint32_t format)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!write) {
        return JB2Fail(handle->message, cJB2_Error_Invalid_Pointer,
                       "Invalid write callback passed to JB2_Document_Export_Document!");
    }
    return JB2FileExportDocument(handle->file, write, writeUser, format, handle->message);
}

JB2_EXPORT JB2_Error JB2_Document_Export_Page(JB2_Handle_Document handle, uint32_t page, JB2_Write_Callback write,
                                              void* writeUser, uint32_t format)
{
    if (!Valid(handle))
        return cJB2_Error_Invalid_Handle;
    if (!write) {
        return JB2Fail(handle->message, cJB2_Error_Invalid_Pointer,
                       "Invalid write callback passed to JB2_Document_Export_Page!");
    }
    return JB2FileExportPage(handle->file, page, write, writeUser, format, handle->message);
}

JB2_EXPORT JB2_Error JB2_Document_Insert_Page(JB2_Handle_Document handle, uint32_t destination,
                                              JB2_Handle_Document source, uint32_t sourcePage)
{
    if (!Valid(handle) || !Valid(source))
        return cJB2_Error_Invalid_Handle;
    if (!handle->properties || !handle->file || !source->file)
        return cJB2_Error_Internal;
    JB2_Error status = JB2PageInsert(handle->file, destination, source->file, sourcePage, handle->message);
    if (status != cJB2_Error_OK)
        return JB2Fail(handle->message, status, "Failure inserting page into document!");
    if (destination <= handle->properties->page)
        ++handle->properties->page;
    return cJB2_Error_OK;
}

JB2_EXPORT JB2_Error JB2_Document_End(JB2_Handle_Document* holder)
{
    if (!holder)
        return cJB2_Error_Internal;
    if (!Valid(*holder))
        return cJB2_Error_Invalid_Handle;
    if (!(*holder)->memory)
        return cJB2_Error_Free_Failure;
    JB2_Error status = FreeHandle(*holder);
    *holder = nullptr;
    return status;
}

}  // extern "C"
