#include "formats/plugins/ImportExportDlls.h"

#include "formats/registry/FileFormatProviders.h"
#include "image/object/ZAVImg.h"

#include <memory>

namespace ZAV {

CImportExportDlls::CImportExportDlls(CZAVImg* owner) : m_owner(owner)
{
}

CImportExportDlls::~CImportExportDlls()
{
    Clear();
}

int CImportExportDlls::BindDll(const char* path, int* id)
{
    m_lastError = String();
    std::unique_ptr<CImportExportDll> plugin(new CImportExportDll(static_cast<int>(m_plugins.size()) + 1));
    if (id)
        *id = plugin->GetId();
    if (!plugin->Bind(path)) {
        m_lastError = plugin->GetLastError();
        return 0;
    }
    return Registered(plugin.release());
}

// Adds the bound record and its formats. A plug-in that names no format
// would bind as nothing, so it is refused and its id stays free.
int CImportExportDlls::Registered(CImportExportDll* plugin)
{
    m_plugins.push_back(plugin);
    CFileFormatProviders& registry = m_owner->GetProviders();
    if (plugin->GetOptions() & kFilterMagickFormats) {
        registry.AddMagickProviders(plugin);
        return 1;
    }
    if (plugin->RegisterFormats(registry, plugin))
        return 1;
    if (plugin->GetLastError().GetLength() > 0)
        m_lastError = plugin->GetLastError();
    else
        m_lastError.Format("Invalid Import/Export dll '%s'. No supported file extensions!",
                           plugin->GetPath().GetText());
    m_plugins.pop_back();
    delete plugin;
    return 0;
}

void CImportExportDlls::Clear()
{
    if (m_owner)
        m_owner->SetImageInfoList(nullptr);
    for (CImportExportDll*& plugin : m_plugins) {
        delete plugin;
        plugin = nullptr;
    }
    m_plugins.clear();
}

bool CImportExportDlls::Contains(const CImportExportDll* plugin) const
{
    for (const CImportExportDll* bound : m_plugins)
        if (bound == plugin)
            return true;
    return false;
}

void CImportExportDlls::SetFastThumbValues(int enabled, int width, int height)
{
    m_fastThumbEnabled = enabled;
    m_fastThumbWidth = width;
    m_fastThumbHeight = height;
}

int CImportExportDlls::DetectFormatFromFile(const char* path, int* id)
{
    m_lastError = String();
    *id = 0;
    for (CImportExportDll* plugin : m_plugins) {
        if (plugin->IsFormatOfFile(path)) {
            *id = plugin->GetId();
            return 1;
        }
    }
    return 0;
}

int CImportExportDlls::DetectFormatFromMem(CZAVImg* image, const void* data, uint32_t size, int* id)
{
    m_lastError = String();
    *id = 0;
    for (CImportExportDll* plugin : m_plugins) {
        if (plugin->IsFormatOfMem(image, data, size)) {
            *id = plugin->GetId();
            return 1;
        }
    }
    return 0;
}

int CImportExportDlls::Finish(CImportExportDll* plugin, int result)
{
    if (!result)
        m_lastError = plugin->GetLastError();
    return result;
}

int CImportExportDlls::LoadImageFromFile(CZAVImg* image, const char* path, CImportExportDll* plugin)
{
    m_lastError = String();
    if (!Contains(plugin))
        return 0;
    plugin->FastThumbLoading(m_fastThumbEnabled, m_fastThumbWidth, m_fastThumbHeight);
    return Finish(plugin, plugin->LoadPicture(image, path, nullptr, 0, 1));
}

int CImportExportDlls::LoadImageFromMem(CZAVImg* image, const void* data, uint32_t size, CImportExportDll* plugin)
{
    m_lastError = String();
    if (!Contains(plugin))
        return 0;
    return Finish(plugin, plugin->LoadPicture(image, nullptr, data, size, 0));
}

int CImportExportDlls::SaveImageToFile(CZAVImg* image, const char* path, CImportExportDll* plugin,
                                       uint32_t* bytesWritten)
{
    m_lastError = String();
    if (!Contains(plugin))
        return 0;
    return Finish(plugin, plugin->SavePicture(image, path, nullptr, 0, 1, bytesWritten));
}

int CImportExportDlls::SaveImageToMem(CZAVImg* image, void* target, uint32_t targetSize, CImportExportDll* plugin,
                                      uint32_t* bytesWritten)
{
    m_lastError = String();
    if (!Contains(plugin))
        return 0;
    return Finish(plugin, plugin->SavePicture(image, nullptr, target, targetSize, 0, bytesWritten));
}

int CImportExportDlls::GetJpeg2000DllId() const
{
    for (const CImportExportDll* plugin : m_plugins)
        if (plugin->HasJpeg2000Settings())
            return plugin->GetId();
    return -1;
}

int CImportExportDlls::GetJbig2DllId() const
{
    for (const CImportExportDll* plugin : m_plugins)
        if (plugin->HasJbig2Settings())
            return plugin->GetId();
    return -1;
}

}  // namespace ZAV
