// One image format: its id, its extensions and how it is loaded and saved
// (not at all, by a built-in codec, or through a bound plug-in).
#pragma once

#include "formats/registry/ImgFormat.h"
#include "foundation/text/String.h"

#include <string>
#include <vector>

namespace ZAV {

class CImportExportDll;

class CFileFormatProvider {
public:
    CFileFormatProvider(zavImgFormat id, const char* extensions, int loadMode, int saveMode);
    CFileFormatProvider(zavImgFormat id, const char* extensions, int loadMode, CImportExportDll* loadPlugin,
                        int saveMode, CImportExportDll* savePlugin);

    void Reset();
    // Fills the extension list from the text: split at ";", empty pieces
    // skipped.
    void SplitExtensions();
    // Takes the other's load and save routes whose mode is not 0; the id and
    // the extensions stay.
    void MergeFrom(const CFileFormatProvider& other);

    zavImgFormat GetId() const { return m_id; }
    const String& GetExtensionText() const { return m_extensionText; }
    const std::vector<std::string>& GetExtensions() const { return m_extensions; }
    int GetLoadMode() const { return m_loadMode; }
    CImportExportDll* GetLoadPlugin() const { return m_loadPlugin; }
    int GetSaveMode() const { return m_saveMode; }
    CImportExportDll* GetSavePlugin() const { return m_savePlugin; }

private:
    zavImgFormat m_id;
    String m_extensionText;
    int m_loadMode;
    CImportExportDll* m_loadPlugin;
    int m_saveMode;
    CImportExportDll* m_savePlugin;
    std::vector<std::string> m_extensions;
};

}  // namespace ZAV
