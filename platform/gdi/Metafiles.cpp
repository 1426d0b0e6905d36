#include "platform/gdi/Metafiles.h"

#include "platform/gdi/GdiObjects.h"

#include <algorithm>
#include <cstdio>

using namespace ZAV::Gdi;

namespace {

EnhMetaFile* FindMetaFile(HENHMETAFILE handle)
{
    return FindAs<EnhMetaFile>(handle, Kind::EnhMetaFile);
}

HENHMETAFILE RegisterBytes(std::vector<uint8_t> bytes)
{
    auto metafile = std::make_unique<EnhMetaFile>();
    metafile->bytes = std::move(bytes);
    return Register(std::move(metafile));
}

bool WriteWhole(const char* fileName, const std::vector<uint8_t>& bytes)
{
    FILE* file = std::fopen(fileName, "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

}  // namespace

HENHMETAFILE SetEnhMetaFileBits(UINT size, const BYTE* bytes)
{
    if (!bytes || size == 0)
        return nullptr;
    return RegisterBytes(std::vector<uint8_t>(bytes, bytes + size));
}

HENHMETAFILE CopyEnhMetaFileA(HENHMETAFILE handle, const char* fileName)
{
    const EnhMetaFile* metafile = FindMetaFile(handle);
    if (!metafile)
        return nullptr;
    if (fileName && !WriteWhole(fileName, metafile->bytes))
        return nullptr;
    return RegisterBytes(metafile->bytes);
}

UINT GetEnhMetaFileBits(HENHMETAFILE handle, UINT size, BYTE* buffer)
{
    const EnhMetaFile* metafile = FindMetaFile(handle);
    if (!metafile)
        return 0;
    if (!buffer)
        return static_cast<UINT>(metafile->bytes.size());
    const UINT n = std::min<UINT>(size, static_cast<UINT>(metafile->bytes.size()));
    std::copy_n(metafile->bytes.begin(), n, buffer);
    return n;
}

BOOL DeleteEnhMetaFile(HENHMETAFILE handle)
{
    return FindMetaFile(handle) && Destroy(handle) ? TRUE : FALSE;
}
