// What the JBIG2 plug-in gives the codec and how it hears back: the memory,
// data and message callbacks, and every codec status turned into the
// library's text exception.
#pragma once

#include <string>
#include <vector>

#include "jbig2codec/kvd_jb2.h"

namespace ZAV {

class CDataSource;

// The codec's messages as lines; nothing shows them.
using Jbig2MessageList = std::vector<std::string>;

class Jbig2StatusReporter {
public:
    // Nothing for 0; any other status throws its text with the status.
    static void Check(JB2_Error status);
    // The text a status stands for, without the number.
    static const char* TextOf(JB2_Error status);

    static void* Allocate(uint32_t size, void* user);
    static JB2_Error Release(void* pointer, void* user);
    // The user value is the data source.
    static uint32_t Read(uint8_t* buffer, uint32_t offset, uint32_t count, void* user);
    static uint32_t Write(const uint8_t* buffer, uint32_t offset, uint32_t count, void* user);
    // The user value is a Jbig2MessageList, or null to drop the message.
    static void Message(const char* text, int32_t type, void* user);
};

}  // namespace ZAV
