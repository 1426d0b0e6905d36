#include "platform/gdi/metafile/wmf/WmfFiles.h"

#include "platform/LastError.h"
#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/MetafileFiles.h"
#include "platform/gdi/metafile/wmf/WmfRecords.h"

#include <algorithm>
#include <memory>

using namespace ZAV::Gdi;

namespace {

MetaFile* FindWmf(HMETAFILE handle)
{
    return FindAs<MetaFile>(handle, Kind::MetaFile);
}

}  // namespace

HMETAFILE GetMetaFileA(const char* fileName)
{
    std::vector<uint8_t> bytes;
    if (!fileName || !ZAV::Meta::ReadMetafileFile(fileName, bytes))
        return nullptr;
    ZAV::Meta::WmfHeader header;
    if (!ZAV::Meta::ReadWmfHeader(bytes.data(), bytes.size(), header)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    bytes.resize(header.bytes);
    auto metafile = std::make_unique<MetaFile>();
    metafile->bytes = std::move(bytes);
    return Register(std::move(metafile));
}

UINT GetMetaFileBitsEx(HMETAFILE handle, UINT size, void* buffer)
{
    const MetaFile* metafile = FindWmf(handle);
    if (!metafile)
        return 0;
    if (!buffer)
        return static_cast<UINT>(metafile->bytes.size());
    const UINT n = std::min<UINT>(size, static_cast<UINT>(metafile->bytes.size()));
    std::copy_n(metafile->bytes.begin(), n, static_cast<uint8_t*>(buffer));
    return n;
}

BOOL DeleteMetaFile(HMETAFILE handle)
{
    return FindWmf(handle) && Destroy(handle) ? TRUE : FALSE;
}
