// The format registry of one image: which format a file extension names and
// how each format is loaded and saved. It starts with the built-in formats;
// binding a plug-in adds the plug-in's formats.
#pragma once

#include "formats/registry/FileFormatProvider.h"
#include "foundation/containers/Hash.h"

#include <boost/shared_ptr.hpp>

#include <string>
#include <vector>

namespace ZAV {

class CImgFormatFileFormatProviderHash : public THash<zavImgFormat, CFileFormatProvider*> {
public:
    CImgFormatFileFormatProviderHash();
    uint32_t GetHashValue(const zavImgFormat& key) const override;
    CFileFormatProvider* CreateDefaultValue() const override;
};

// Keyed by ";" + extension + ";".
class CStringFileFormatProviderHash : public THash<std::string, CFileFormatProvider*> {
public:
    CStringFileFormatProviderHash();
    uint32_t GetHashValue(const std::string& key) const override;
    CFileFormatProvider* CreateDefaultValue() const override;
};

class CFileFormatProviders {
public:
    CFileFormatProviders();
    CFileFormatProviders(const CFileFormatProviders&) = delete;
    CFileFormatProviders& operator=(const CFileFormatProviders&) = delete;

    // A provider for an id already registered only merges its routes into
    // the existing one. Ids 0 and 255 are refused.
    void AddProvider(boost::shared_ptr<CFileFormatProvider> provider);
    // Takes ownership.
    void AddProviderPtr(CFileFormatProvider* provider);
    // Plug-in modes (3) take the current plug-in.
    boost::shared_ptr<CFileFormatProvider> MakeFileFormatProvider(int id, const char* extensions, int loadMode,
                                                                  int saveMode);

    void AddBuiltInProviders();
    // The formats a plug-in with option flag 16 serves.
    void AddMagickProviders(CImportExportDll* plugin);

    // A missing id gives the empty provider (id 0), or throws when asked.
    CFileFormatProvider* GetProvider(zavImgFormat id, bool raiseIfMissing);
    // The extension is matched exactly: callers pass it upper-cased.
    CFileFormatProvider* GetProviderByExtension(const char* extension, bool raiseIfMissing);

private:
    CImportExportDll* m_currentPlugin = nullptr;
    CImgFormatFileFormatProviderHash m_byId;
    CStringFileFormatProviderHash m_byExtension;
    std::vector<boost::shared_ptr<CFileFormatProvider>> m_providers;
};

}  // namespace ZAV
