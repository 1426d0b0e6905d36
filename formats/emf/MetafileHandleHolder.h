// Owners of the metafile layer's handles, each releasing its one handle on
// every path: a metafile DC (closed, its metafile deleted, unless Close
// handed the metafile on), an enhanced metafile and an old-style metafile.
#pragma once

#include "platform/gdi/Metafiles.h"
#include "platform/gdi/metafile/record/EmfRecorder.h"
#include "platform/gdi/metafile/wmf/WmfFiles.h"

namespace ZAV {

template <class Handle, BOOL (*Release)(Handle)>
class MetafileHandleHolder {
public:
    explicit MetafileHandleHolder(Handle handle = nullptr) : m_handle(handle) {}
    ~MetafileHandleHolder() { Set(nullptr); }
    MetafileHandleHolder(const MetafileHandleHolder&) = delete;
    MetafileHandleHolder& operator=(const MetafileHandleHolder&) = delete;

    // Releases the handle held and takes the new one.
    void Set(Handle handle)
    {
        if (m_handle)
            Release(m_handle);
        m_handle = handle;
    }
    Handle Get() const { return m_handle; }

private:
    Handle m_handle;
};

using CEnhMetaFileHolder = MetafileHandleHolder<HENHMETAFILE, DeleteEnhMetaFile>;
using CMetaFileHolder = MetafileHandleHolder<HMETAFILE, DeleteMetaFile>;

// A metafile DC; destroying it closes the DC and deletes what it recorded.
class CEnhMetaFileDCHolder {
public:
    explicit CEnhMetaFileDCHolder(HDC dc = nullptr) : m_dc(dc) {}
    ~CEnhMetaFileDCHolder() { Set(nullptr); }
    CEnhMetaFileDCHolder(const CEnhMetaFileDCHolder&) = delete;
    CEnhMetaFileDCHolder& operator=(const CEnhMetaFileDCHolder&) = delete;

    void Set(HDC dc)
    {
        if (m_dc)
            DeleteEnhMetaFile(CloseEnhMetaFile(m_dc));
        m_dc = dc;
    }
    HDC Get() const { return m_dc; }
    // Closes the DC and hands its metafile to the caller.
    HENHMETAFILE Close()
    {
        HENHMETAFILE metafile = CloseEnhMetaFile(m_dc);
        m_dc = nullptr;
        return metafile;
    }

private:
    HDC m_dc;
};

}  // namespace ZAV
