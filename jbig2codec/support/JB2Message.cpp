#include "jbig2codec/support/JB2Message.h"

#include <cstdio>
#include <cstring>

#include "jbig2codec/support/JB2Counted.h"

namespace ZAV {

JB2_Error JB2MessageCreate(JB2Message** out, JB2Memory* memory, JB2_Message_Callback callback, void* user)
{
    if (!out)
        return cJB2_Error_Invalid_Pointer;
    // No message object exists yet to report a failed allocation through.
    JB2_Error status = JB2CountedCreate(out, memory, nullptr, "message");
    if (status != cJB2_Error_OK)
        return status;
    (*out)->callback = callback;
    (*out)->user = user;
    return cJB2_Error_OK;
}

void JB2MessageAddReference(JB2Message* message)
{
    JB2CountedAddReference(message);
}

JB2_Error JB2MessageRelease(JB2Message** holder, JB2Memory* memory)
{
    return JB2CountedRelease(holder, memory);
}

void JB2MessageDeliver(JB2_Message_Callback callback, void* user, int32_t type, const char* text)
{
    if (!callback || !text)
        return;
    const size_t length = std::strlen(text);
    if (length <= kJB2MessagePieceLength) {
        callback(text, type, user);
        return;
    }
    char piece[kJB2MessagePieceLength + 1];
    size_t position = 0;
    while (length - position > kJB2MessagePieceLength) {
        // Search the window backwards for a blank to end the piece before.
        size_t pieceLength = kJB2MessagePieceLength;
        size_t next = position + kJB2MessagePieceLength;
        for (size_t i = kJB2MessagePieceLength; i-- > 0;) {
            if (text[position + i] == ' ') {
                pieceLength = i;
                next = position + i + 1;
                break;
            }
        }
        // An empty piece would read as the end of the message: leave it out.
        if (pieceLength > 0) {
            std::memcpy(piece, text + position, pieceLength);
            piece[pieceLength] = '\0';
            callback(piece, type, user);
        }
        position = next;
    }
    callback(text + position, type, user);
}

void JB2MessageSendV(JB2Message* message, int32_t type, const char* format, va_list arguments)
{
    if (!message || !message->callback || !format)
        return;
    std::vsnprintf(message->text, sizeof message->text, format, arguments);
    JB2MessageDeliver(message->callback, message->user, type, message->text);
}

void JB2MessageSend(JB2Message* message, int32_t type, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    JB2MessageSendV(message, type, format, arguments);
    va_end(arguments);
}

void JB2MessageEnd(JB2Message* message, int32_t type)
{
    if (message && message->callback)
        message->callback("", type, message->user);
}

namespace {

void SendWhole(JB2Message* message, int32_t type, const char* format, va_list arguments)
{
    JB2MessageSendV(message, type, format, arguments);
    JB2MessageEnd(message, type);
}

}  // namespace

void JB2MessageError(JB2Message* message, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SendWhole(message, cJB2_Message_Error, format, arguments);
    va_end(arguments);
}

void JB2MessageWarning(JB2Message* message, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SendWhole(message, cJB2_Message_Warning, format, arguments);
    va_end(arguments);
}

JB2_Error JB2Fail(JB2Message* message, JB2_Error status, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SendWhole(message, cJB2_Message_Error, format, arguments);
    va_end(arguments);
    return status;
}

JB2_Error JB2Warn(JB2Message* message, JB2_Error status, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    SendWhole(message, cJB2_Message_Warning, format, arguments);
    va_end(arguments);
    return status;
}

void JB2MessageInfo(JB2Message* message, const char* format, ...)
{
    va_list arguments;
    va_start(arguments, format);
    JB2MessageSendV(message, cJB2_Message_Info, format, arguments);
    va_end(arguments);
}

}  // namespace ZAV
