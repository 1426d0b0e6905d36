#include "platform/gdi/metafile/MetafileFiles.h"

#include "platform/LastError.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <cerrno>
#include <cstdio>
#include <memory>

namespace ZAV {
namespace Meta {

bool ReadMetafileFile(const char* fileName, std::vector<uint8_t>& bytes)
{
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(fileName, "rb"), std::fclose);
    if (!file) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    if (std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long size = std::ftell(file.get());
    if (size < 0 || size > kMaxMetafileImageBytes || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes.resize(static_cast<size_t>(size));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

}  // namespace Meta
}  // namespace ZAV
