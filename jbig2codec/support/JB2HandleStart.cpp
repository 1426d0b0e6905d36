// Memory and message objects of a new handle.
#include "jbig2codec/support/JB2HandleStart.h"

namespace ZAV {

namespace {

void DeliverOne(JB2_Message_Callback callback, void* user, const char* text)
{
    JB2MessageDeliver(callback, user, cJB2_Message_Error, text);
    JB2MessageDeliver(callback, user, cJB2_Message_Error, "");
}

}  // namespace

JB2_Error JB2HandleStartObjects(JB2Memory** memory, JB2Message** message, JB2_Alloc_Callback alloc, void* allocUser,
                                JB2_Free_Callback free, void* freeUser, JB2_Message_Callback callback,
                                void* callbackUser, const char* memoryFailure)
{
    *memory = nullptr;
    *message = nullptr;
    if (!alloc)
        return cJB2_Error_Callback_Allocation;
    if (!free)
        return cJB2_Error_Callback_No_Free;
    JB2_Error status = JB2MemoryCreate(memory, alloc, allocUser, free, freeUser);
    if (status != cJB2_Error_OK) {
        if (memoryFailure)
            DeliverOne(callback, callbackUser, memoryFailure);
        return status;
    }
    if (!callback)
        return cJB2_Error_OK;
    status = JB2MessageCreate(message, *memory, callback, callbackUser);
    if (status != cJB2_Error_OK) {
        DeliverOne(callback, callbackUser, "Unable to create message object");
        JB2MemoryRelease(memory);
    }
    return status;
}

}  // namespace ZAV
