// Entry points of the image buffer, the scale factor and the queries.
#include "outside/korvex55/KORVEX55.h"
#include "outside/korvex55/core/EntryPoint.h"

using namespace KORVEX55;

namespace {

// An object without an image answers 0 to every size query.
KORV_Status Query(KORV_Handle handle, const char* operation, int32_t* value, int32_t (*read)(const ImageView&))
{
    return RunOperation(handle, operation, [&](Processor& self) {
        RequirePointer(value, "value");
        *value = self.HasImage() ? read(self.Image()) : 0;
    });
}

}  // namespace

extern "C" {

KORV_API KORV_Status KORV_Create(KORV_Handle handle, int32_t width, int32_t height, int32_t bitsPerPixel)
{
    return RunOperation(handle, "Create", [&](Processor& self) { self.CreateOwn(width, height, bitsPerPixel); });
}

KORV_API KORV_Status KORV_AttachNoFree(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                       int32_t height, int32_t bitsPerPixel)
{
    return RunOperation(handle, "AttachNoFree", [&](Processor& self) {
        self.AttachBorrowed(pixels, sizeInBytes, width, height, bitsPerPixel, CheckedBytesPerLine(width, bitsPerPixel));
    });
}

KORV_API KORV_Status KORV_AttachNoFreeEx(KORV_Handle handle, void* pixels, int32_t sizeInBytes, int32_t width,
                                         int32_t height, int32_t bitsPerPixel, int32_t bytesPerLine)
{
    return RunOperation(handle, "AttachNoFreeEx", [&](Processor& self) {
        self.AttachBorrowed(pixels, sizeInBytes, width, height, bitsPerPixel, bytesPerLine);
    });
}

KORV_API KORV_Status KORV_Clear(KORV_Handle handle)
{
    return RunOperation(handle, "Clear", [&](Processor& self) { self.Release(); });
}

KORV_API KORV_Status KORV_GetScaleFactor(KORV_Handle handle, int32_t* value)
{
    return RunOperation(handle, "GetScaleFactor", [&](Processor& self) {
        RequirePointer(value, "value");
        *value = self.ScaleFactor();
    });
}

KORV_API KORV_Status KORV_SetScaleFactor(KORV_Handle handle, int32_t value)
{
    return RunOperation(handle, "SetScaleFactor", [&](Processor& self) { self.SetScaleFactor(value); });
}

KORV_API KORV_Status KORV_GetWidth(KORV_Handle handle, int32_t* value)
{
    return Query(handle, "GetWidth", value, [](const ImageView& image) { return image.width; });
}

KORV_API KORV_Status KORV_GetHeight(KORV_Handle handle, int32_t* value)
{
    return Query(handle, "GetHeight", value, [](const ImageView& image) { return image.height; });
}

KORV_API KORV_Status KORV_GetBitsPerPixel(KORV_Handle handle, int32_t* value)
{
    return Query(handle, "GetBitsPerPixel", value, [](const ImageView& image) { return image.bitsPerPixel; });
}

KORV_API KORV_Status KORV_GetWidthBytes(KORV_Handle handle, int32_t* value)
{
    return Query(handle, "GetWidthBytes", value, [](const ImageView& image) { return image.bytesPerLine; });
}

KORV_API KORV_Status KORV_GetImageSizeInBytes(KORV_Handle handle, int32_t* value)
{
    return RunOperation(handle, "GetImageSizeInBytes", [&](Processor& self) {
        RequirePointer(value, "value");
        *value = static_cast<int32_t>(self.SizeInBytes());
    });
}

KORV_API KORV_Status KORV_GetImageMemory(KORV_Handle handle, void** pixels)
{
    return RunOperation(handle, "GetImageMemory", [&](Processor& self) {
        RequirePointer(pixels, "pixels");
        *pixels = self.Image().pixels;
    });
}

}  // extern "C"
