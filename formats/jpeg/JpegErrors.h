// libjpeg's error manager for the codec: the standard one, with an error
// exit that keeps libjpeg's message followed by ";" and jumps back, and no
// printed messages. libjpeg reports errors by longjmp, so no C++ exception
// may cross its frames: a step that fails returns false and the codec
// raises code 6 with the message from its own frame.
#pragma once

#include <cstddef>
#include <cstdio>

#include <jpeglib.h>

#include <csetjmp>

namespace ZAV {

struct JpegErrorManager {
    // First, so the pointer libjpeg holds to it is the manager's own.
    jpeg_error_mgr base;
    std::jmp_buf jump;
    // libjpeg's message and ";".
    char message[JMSG_LENGTH_MAX + 2];
};

// Fills the manager and returns the pointer a libjpeg object takes.
jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager);

// Raises libjpeg's failure: code 6 with the kept message.
[[noreturn]] void RaiseJpegError(const JpegErrorManager& manager);

// Runs one step of libjpeg calls; false when libjpeg's error exit jumped
// back out of it. The step must own no object with a destructor, as the
// jump skips its frame.
template <class Step>
bool RunJpegStep(JpegErrorManager& manager, Step&& step)
{
    if (setjmp(manager.jump))
        return false;
    step();
    return true;
}

}  // namespace ZAV
