#include "formats/jpeg/JpegErrors.h"

#include <cstring>

#include "formats/codec/PicDecoder.h"

namespace ZAV {

namespace {

constexpr int kLibraryErrorCode = 6;

void ExitWithMessage(j_common_ptr object)
{
    JpegErrorManager* manager = reinterpret_cast<JpegErrorManager*>(object->err);
    object->err->format_message(object, manager->message);
    std::strcat(manager->message, ";");
    std::longjmp(manager->jump, 1);
}

// Warnings (a premature end among them) are not printed.
void OutputNothing(j_common_ptr)
{
}

}  // namespace

jpeg_error_mgr* InitJpegErrorManager(JpegErrorManager& manager)
{
    std::memset(&manager, 0, sizeof(manager));
    jpeg_std_error(&manager.base);
    manager.base.error_exit = ExitWithMessage;
    manager.base.output_message = OutputNothing;
    return &manager.base;
}

void RaiseJpegError(const JpegErrorManager& manager)
{
    CPicDecoder::ThrowError(kLibraryErrorCode, manager.message);
}

}  // namespace ZAV
