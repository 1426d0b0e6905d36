#include "formats/registry/FileFormatProvider.h"

namespace ZAV {

CFileFormatProvider::CFileFormatProvider(zavImgFormat id, const char* extensions, int loadMode, int saveMode)
    : CFileFormatProvider(id, extensions, loadMode, nullptr, saveMode, nullptr)
{
}

CFileFormatProvider::CFileFormatProvider(zavImgFormat id, const char* extensions, int loadMode,
                                         CImportExportDll* loadPlugin, int saveMode, CImportExportDll* savePlugin)
    : m_id(id), m_extensionText(extensions), m_loadMode(loadMode), m_loadPlugin(loadPlugin), m_saveMode(saveMode),
      m_savePlugin(savePlugin)
{
    SplitExtensions();
}

void CFileFormatProvider::Reset()
{
    m_id = zavifUnknown;
    m_extensionText = "";
    m_loadMode = zavpmNone;
    m_loadPlugin = nullptr;
    m_saveMode = zavpmNone;
    m_savePlugin = nullptr;
    m_extensions.clear();
}

void CFileFormatProvider::SplitExtensions()
{
    m_extensions.clear();
    const std::string text = m_extensionText.GetText();
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            m_extensions.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

void CFileFormatProvider::MergeFrom(const CFileFormatProvider& other)
{
    if (other.m_loadMode != zavpmNone) {
        m_loadMode = other.m_loadMode;
        m_loadPlugin = other.m_loadPlugin;
    }
    if (other.m_saveMode != zavpmNone) {
        m_saveMode = other.m_saveMode;
        m_savePlugin = other.m_savePlugin;
    }
}

}  // namespace ZAV
