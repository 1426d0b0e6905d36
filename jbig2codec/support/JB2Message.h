// The message object: every text the codec reports reaches the caller's
// message callback through it, in pieces the callback can show on one line.
#pragma once

#include <cstdarg>
#include <cstdint>

#include "jbig2codec/support/JB2Limits.h"
#include "jbig2codec/support/JB2Memory.h"
#include "jbig2codec/kvd_jb2.h"

#define JB2_PRINTF(formatIndex, firstArgument) __attribute__((format(printf, formatIndex, firstArgument)))

namespace ZAV {

struct JB2Message {
    char text[kJB2TextBufferSize];
    JB2_Message_Callback callback;
    void* user;
    uint32_t references;
};

JB2_Error JB2MessageCreate(JB2Message** out, JB2Memory* memory, JB2_Message_Callback callback, void* user);
void JB2MessageAddReference(JB2Message* message);
JB2_Error JB2MessageRelease(JB2Message** holder, JB2Memory* memory);

// Hands a text to the callback in pieces of at most 67 characters, split at
// blanks where the piece has one. Used also before a message object exists.
void JB2MessageDeliver(JB2_Message_Callback callback, void* user, int32_t type, const char* text);

// Formats with printf rules (cut to 1,023 characters) and delivers the text.
// Every function takes a null message object and then drops the text.
void JB2MessageSend(JB2Message* message, int32_t type, const char* format, ...) JB2_PRINTF(3, 4);
void JB2MessageSendV(JB2Message* message, int32_t type, const char* format, va_list arguments);
// The empty text that ends one message for the caller.
void JB2MessageEnd(JB2Message* message, int32_t type);

// One error (type 91) or warning (type 11) message, followed by its empty text.
void JB2MessageError(JB2Message* message, const char* format, ...) JB2_PRINTF(2, 3);
void JB2MessageWarning(JB2Message* message, const char* format, ...) JB2_PRINTF(2, 3);
// Sends one error message and returns `status`, so that a failure is reported
// and passed on in one statement: `return JB2Fail(message, status, "...");`.
JB2_Error JB2Fail(JB2Message* message, JB2_Error status, const char* format, ...) JB2_PRINTF(3, 4);
// The same with a warning: the status may be OK when the caller goes on.
JB2_Error JB2Warn(JB2Message* message, JB2_Error status, const char* format, ...) JB2_PRINTF(3, 4);
// One information line (type 1) without the closing empty text.
void JB2MessageInfo(JB2Message* message, const char* format, ...) JB2_PRINTF(2, 3);

}  // namespace ZAV
