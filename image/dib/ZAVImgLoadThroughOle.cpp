// A picture file loaded the way OLE loads pictures: read whole into a
// global block, opened as a stream and handed to OleLoadPicture, whose
// picture then makes the image.
#include "foundation/text/TextException.h"
#include "image/object/ZAVImg.h"
#include "platform/GlobalMem.h"
#include "platform/PlatformLimits.h"
#include "platform/ole/Pictures.h"

#include <cstdio>
#include <memory>

namespace ZAV {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

struct Releaser {
    void operator()(IUnknown* object) const { object->Release(); }
};

// The file's bytes in a moveable, zero-filled block; null when the file
// can't be read whole or is larger than any picture OLE loads.
HGLOBAL ReadFileIntoBlock(const char* path)
{
    std::unique_ptr<std::FILE, FileCloser> file(path ? std::fopen(path, "rb") : nullptr);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return nullptr;
    const long size = std::ftell(file.get());
    if (size <= 0 || static_cast<uint64_t>(size) > kMaxPictureStreamBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return nullptr;
    HGLOBAL block = GlobalAlloc(GHND, static_cast<size_t>(size));
    void* bytes = block ? GlobalLock(block) : nullptr;
    const bool read = bytes && std::fread(bytes, 1, static_cast<size_t>(size), file.get()) == static_cast<size_t>(size);
    if (bytes)
        GlobalUnlock(block);
    if (!read && block) {
        GlobalFree(block);
        block = nullptr;
    }
    return block;
}

}  // namespace

void CZAVImg::LoadFromFileThroughOle(const char* path)
{
    HGLOBAL block = ReadFileIntoBlock(path);
    IStream* rawStream = nullptr;
    if (!block || FAILED(CreateStreamOnHGlobal(block, TRUE, &rawStream)) || !rawStream) {
        if (block)
            GlobalFree(block);
        ThrowTextException("Error");
    }
    std::unique_ptr<IStream, Releaser> stream(rawStream);  // frees the block with it
    void* rawPicture = nullptr;
    if (FAILED(OleLoadPicture(stream.get(), 0, FALSE, IID_IPicture, &rawPicture)) || !rawPicture)
        ThrowTextException("Error");
    std::unique_ptr<IPicture, Releaser> picture(static_cast<IPicture*>(rawPicture));
    try {
        CreateFromOlePicture(picture.get());
    } catch (const CTextException&) {
        ThrowTextException("Error");
    }
}

}  // namespace ZAV
