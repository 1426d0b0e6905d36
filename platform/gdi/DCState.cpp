#include "platform/gdi/DCState.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/gdi/metafile/record/EmfRecording.h"
#include "platform/gdi/metafile/record/MetafileDC.h"
#include "platform/gdi/metafile/MetafileLimits.h"

#include <algorithm>

using namespace ZAV::Gdi;
using namespace ZAV::Meta;

namespace {

BOOL Recorded(bool done)
{
    return done ? TRUE : Refuse(FALSE);
}

template <class T>
void Report(T* old, const T& value)
{
    if (old)
        *old = value;
}

}  // namespace

int ZAV::Gdi::SavesKeptByRestore(int depth, int level)
{
    const int keep = level < 0 ? depth + level : level - 1;
    return level == 0 || keep < 0 || keep >= depth ? -1 : keep;
}

int SaveDC(HDC handle)
{
    if (EmfRecording* recording = RecordingOf(handle))
        return RecordSave(*recording) ? static_cast<int>(recording->saved.size()) : Refuse(0);
    DC* dc = FindDC(handle);
    if (!dc || static_cast<int>(dc->savedStates.size()) >= kMaxSaveDepth)
        return 0;
    dc->savedStates.push_back(SavedDCState{dc->hasClip, dc->clip, dc->windowOrg, dc->mapMode, dc->stretchMode});
    return static_cast<int>(dc->savedStates.size());
}

BOOL RestoreDC(HDC handle, int level)
{
    if (EmfRecording* recording = RecordingOf(handle))
        return Recorded(RecordRestore(*recording, level));
    DC* dc = FindDC(handle);
    if (!dc)
        return FALSE;
    const int keep = SavesKeptByRestore(static_cast<int>(dc->savedStates.size()), level);
    if (keep < 0)
        return FALSE;
    const SavedDCState& s = dc->savedStates[static_cast<size_t>(keep)];
    dc->hasClip = s.hasClip, dc->clip = s.clip, dc->windowOrg = s.windowOrg;
    dc->mapMode = s.mapMode, dc->stretchMode = s.stretchMode;
    dc->savedStates.resize(static_cast<size_t>(keep));
    return TRUE;
}

BOOL SetWindowExtEx(HDC handle, int x, int y, SIZE* old)
{
    if (EmfRecording* recording = RecordingOf(handle)) {
        Report(old, recording->mapping.windowExt);
        return Recorded(RecordOriginOrExtent(*recording, EMR_SETWINDOWEXTEX, x, y));
    }
    Report(old, SIZE{1, 1});
    return FindDC(handle) ? TRUE : FALSE;
}

BOOL SetViewportExtEx(HDC handle, int x, int y, SIZE* old)
{
    if (EmfRecording* recording = RecordingOf(handle)) {
        Report(old, recording->mapping.viewportExt);
        return Recorded(RecordOriginOrExtent(*recording, EMR_SETVIEWPORTEXTEX, x, y));
    }
    Report(old, SIZE{1, 1});
    return FindDC(handle) ? TRUE : FALSE;
}

BOOL SetViewportOrgEx(HDC handle, int x, int y, POINT* old)
{
    if (EmfRecording* recording = RecordingOf(handle)) {
        Report(old, recording->mapping.viewportOrg);
        return Recorded(RecordOriginOrExtent(*recording, EMR_SETVIEWPORTORGEX, x, y));
    }
    Report(old, POINT{0, 0});
    return FindDC(handle) && x == 0 && y == 0 ? TRUE : FALSE;
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom)
{
    if (EmfRecording* recording = RecordingOf(handle))
        return RecordIntersectClip(*recording, left, top, right, bottom);
    DC* dc = FindDC(handle);
    if (!dc)
        return ERROR;
    const POINT a = ToDevice(*dc, left, top);
    const POINT b = ToDevice(*dc, right, bottom);
    RECT r{a.x, a.y, b.x, b.y};
    if (dc->hasClip)
        r = RECT{std::max(r.left, dc->clip.left), std::max(r.top, dc->clip.top), std::min(r.right, dc->clip.right),
                 std::min(r.bottom, dc->clip.bottom)};
    dc->clip = r;
    dc->hasClip = true;
    return r.right <= r.left || r.bottom <= r.top ? NULLREGION : SIMPLEREGION;
}
