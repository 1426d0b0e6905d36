// CImportExportDlls: the image's list of bound plug-ins, numbered from 101 in
// load order. Its first member is the last error text, which the image adds
// to its own messages.
#pragma once

#include "formats/plugins/ImportExportDll.h"

#include <vector>

namespace ZAV {

class CImportExportDlls {
public:
    explicit CImportExportDlls(CZAVImg* owner);
    ~CImportExportDlls();
    CImportExportDlls(const CImportExportDlls&) = delete;
    CImportExportDlls& operator=(const CImportExportDlls&) = delete;

    // 1 with the plug-in's id; 0 with the last error, the record gone and
    // its id free for the next bind.
    int BindDll(const char* path, int* id);
    // No plug-in's image-information list stays in use; every library is
    // unloaded.
    void Clear();
    bool Contains(const CImportExportDll* plugin) const;
    void SetFastThumbValues(int enabled, int width, int height);

    int DetectFormatFromFile(const char* path, int* id);
    int DetectFormatFromMem(CZAVImg* image, const void* data, uint32_t size, int* id);
    int LoadImageFromFile(CZAVImg* image, const char* path, CImportExportDll* plugin);
    int LoadImageFromMem(CZAVImg* image, const void* data, uint32_t size, CImportExportDll* plugin);
    int SaveImageToFile(CZAVImg* image, const char* path, CImportExportDll* plugin, uint32_t* bytesWritten);
    int SaveImageToMem(CZAVImg* image, void* target, uint32_t targetSize, CImportExportDll* plugin,
                       uint32_t* bytesWritten);

    // The id of the first plug-in with those settings bound; -1 when none.
    int GetJpeg2000DllId() const;
    int GetJbig2DllId() const;

    const String& GetLastError() const { return m_lastError; }
    size_t GetCount() const { return m_plugins.size(); }

    String m_lastError;

private:
    int Registered(CImportExportDll* plugin);
    int Finish(CImportExportDll* plugin, int result);

    CZAVImg* m_owner;
    int m_fastThumbEnabled = 0;
    int m_fastThumbWidth = 0;
    int m_fastThumbHeight = 0;
    std::vector<CImportExportDll*> m_plugins;
};

}  // namespace ZAV
