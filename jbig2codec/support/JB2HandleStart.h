// What starting a compression and a document handle share: checking the
// callbacks and making the memory and message objects.
#pragma once

#include "jbig2codec/support/JB2Message.h"

namespace ZAV {

// -2 without alloc, -3 without free callback. When the memory object cannot
// be made, `memoryFailure` (if not null) goes straight to the callback. The
// message object exists only with a message callback.
JB2_Error JB2HandleStartObjects(JB2Memory** memory, JB2Message** message, JB2_Alloc_Callback alloc, void* allocUser,
                                JB2_Free_Callback free, void* freeUser, JB2_Message_Callback callback,
                                void* callbackUser, const char* memoryFailure);

}  // namespace ZAV
