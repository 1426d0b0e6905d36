#include "platform/gdi/metafile/play/EmfPlayer.h"

#include "platform/LastError.h"
#include "platform/gdi/metafile/EmfHeader.h"
#include "platform/gdi/metafile/play/EmfPlayContext.h"
#include "platform/gdi/metafile/MetafileFiles.h"

#include <cstring>
#include <memory>

using namespace ZAV::Gdi;
using namespace ZAV::Meta;

namespace {

thread_local DWORD g_lastUnplayed = 0;

const EnhMetaFile* FindMetaFile(HENHMETAFILE handle)
{
    return FindAs<EnhMetaFile>(handle, Kind::EnhMetaFile);
}

bool PlaceFrame(PlayContext& c, const RECT& rect)
{
    const ENHMETAHEADER& h = c.header;
    const double pixelsX = double(h.szlDevice.cx) / (double(h.szlMillimeters.cx) * 100);
    const double pixelsY = double(h.szlDevice.cy) / (double(h.szlMillimeters.cy) * 100);
    c.frameLeft = h.rclFrame.left * pixelsX;
    c.frameTop = h.rclFrame.top * pixelsY;
    const double width = (double(h.rclFrame.right) - h.rclFrame.left) * pixelsX;
    const double height = (double(h.rclFrame.bottom) - h.rclFrame.top) * pixelsY;
    if (width <= 0 || height <= 0)
        return false;
    c.scaleX = (double(rect.right) - rect.left) / width;
    c.scaleY = (double(rect.bottom) - rect.top) / height;
    c.originX = rect.left;
    c.originY = rect.top;
    return true;
}

PlayResult PlayRecord(PlayContext& c, const EmfRecord& record)
{
    if (IsBitmapRecord(record.type))
        return PlayBitmapRecord(c, record);
    if (IsObjectRecord(record.type))
        return PlayObjectRecord(c, record);
    if (IsDrawingRecord(record.type))
        return PlayDrawingRecord(c, record);
    return PlayStateRecord(c, record);
}

BOOL Fail(DWORD record, DWORD error)
{
    g_lastUnplayed = record;
    SetLastError(error);
    return FALSE;
}

}  // namespace

namespace ZAV {

DWORD GetLastUnplayedRecord()
{
    return g_lastUnplayed;
}

}  // namespace ZAV

HENHMETAFILE GetEnhMetaFileA(const char* fileName)
{
    std::vector<uint8_t> bytes;
    ENHMETAHEADER header{};
    if (!fileName || !ReadMetafileFile(fileName, bytes))
        return nullptr;
    if (!ReadEnhHeader(bytes.data(), bytes.size(), header)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    bytes.resize(header.nBytes);
    auto metafile = std::make_unique<EnhMetaFile>();
    metafile->bytes = std::move(bytes);
    return Register(std::move(metafile));
}

UINT GetEnhMetaFileHeader(HENHMETAFILE handle, UINT size, ENHMETAHEADER* out)
{
    const EnhMetaFile* metafile = FindMetaFile(handle);
    ENHMETAHEADER header{};
    if (!metafile || !ReadEnhHeader(metafile->bytes.data(), metafile->bytes.size(), header))
        return 0;
    if (!out)
        return kEnhHeaderBytes;
    if (size < kEnhHeaderBytes)
        return 0;
    *out = header;
    return kEnhHeaderBytes;
}

BOOL PlayEnhMetaFile(HDC dc, HENHMETAFILE handle, const RECT* rect)
{
    g_lastUnplayed = 0;
    const EnhMetaFile* metafile = FindMetaFile(handle);
    PlayContext c;
    c.dc = dc;
    c.target = FindDC(dc);
    if (!metafile || !c.target || !rect)
        return Fail(0, ERROR_INVALID_PARAMETER);
    if (!ReadEnhHeader(metafile->bytes.data(), metafile->bytes.size(), c.header) || !PlaceFrame(c, *rect))
        return Fail(EMR_HEADER, ERROR_INVALID_DATA);
    c.targetHadClip = c.target->hasClip;
    c.targetClip = c.target->clip;
    KeepTargetAttributes(c);
    PlayResult failure = PlayResult::Played;
    DWORD failedType = 0;
    uint32_t brokenType = 0;
    const WalkResult walked = WalkEnhRecords(
        metafile->bytes.data(), c.header,
        [&](const EmfRecord& record) {
            failure = PlayRecord(c, record);
            failedType = record.type;
            return failure == PlayResult::Played;
        },
        brokenType);
    RestoreTargetClip(c);
    RestoreTargetAttributes(c);
    if (walked == WalkResult::Broken)
        return Fail(brokenType, ERROR_INVALID_DATA);
    if (walked == WalkResult::Stopped)
        return Fail(failedType, failure == PlayResult::Unsupported ? ERROR_NOT_SUPPORTED : ERROR_INVALID_DATA);
    return TRUE;
}
