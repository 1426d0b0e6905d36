#include "formats/registry/FileFormatProviders.h"

#include "formats/registry/FormatTables.h"
#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

// Both hashes start with this many buckets and grow on.
constexpr uint32_t kRegistryBuckets = 300;

std::string ExtensionKey(const std::string& extension)
{
    return ";" + extension + ";";
}

// The empty providers answer missed lookups; they live until exit.
CFileFormatProvider* EmptyProviderForIds()
{
    static CFileFormatProvider empty(zavifUnknown, "", zavpmNone, zavpmNone);
    return &empty;
}

CFileFormatProvider* EmptyProviderForExtensions()
{
    static CFileFormatProvider empty(zavifUnknown, "", zavpmNone, zavpmNone);
    return &empty;
}

}  // namespace

CImgFormatFileFormatProviderHash::CImgFormatFileFormatProviderHash()
    : THash<zavImgFormat, CFileFormatProvider*>(1, kRegistryBuckets)
{
}

uint32_t CImgFormatFileFormatProviderHash::GetHashValue(const zavImgFormat& key) const
{
    return static_cast<uint32_t>(key);
}

CFileFormatProvider* CImgFormatFileFormatProviderHash::CreateDefaultValue() const
{
    return nullptr;
}

CStringFileFormatProviderHash::CStringFileFormatProviderHash()
    : THash<std::string, CFileFormatProvider*>(1, kRegistryBuckets)
{
}

uint32_t CStringFileFormatProviderHash::GetHashValue(const std::string& key) const
{
    uint32_t hash = 0;
    for (unsigned char byte : key)
        hash = hash * 33u + byte;
    return hash;
}

CFileFormatProvider* CStringFileFormatProviderHash::CreateDefaultValue() const
{
    return nullptr;
}

CFileFormatProviders::CFileFormatProviders()
{
    AddBuiltInProviders();
}

void CFileFormatProviders::AddProvider(boost::shared_ptr<CFileFormatProvider> provider)
{
    const zavImgFormat id = provider->GetId();
    if (id == zavifUnknown || id == zavifDetect)
        ThrowTextException("Invalid imageformat for provider!");
    CFileFormatProvider* existing = GetProvider(id, false);
    if (existing->GetId() != zavifUnknown) {
        existing->MergeFrom(*provider);
        return;
    }
    m_byId.FindOrInsert(id) = provider.get();
    for (const std::string& extension : provider->GetExtensions())
        m_byExtension.FindOrInsert(ExtensionKey(extension)) = provider.get();
    m_providers.push_back(provider);
}

void CFileFormatProviders::AddProviderPtr(CFileFormatProvider* provider)
{
    AddProvider(boost::shared_ptr<CFileFormatProvider>(provider));
}

boost::shared_ptr<CFileFormatProvider> CFileFormatProviders::MakeFileFormatProvider(int id, const char* extensions,
                                                                                    int loadMode, int saveMode)
{
    CImportExportDll* loadPlugin = loadMode == zavpmMagickPlugin ? m_currentPlugin : nullptr;
    CImportExportDll* savePlugin = saveMode == zavpmMagickPlugin ? m_currentPlugin : nullptr;
    return boost::shared_ptr<CFileFormatProvider>(
        new CFileFormatProvider(static_cast<zavImgFormat>(id), extensions, loadMode, loadPlugin, saveMode, savePlugin));
}

void CFileFormatProviders::AddBuiltInProviders()
{
    m_currentPlugin = nullptr;
    for (size_t i = 0; i < kBuiltInFormatCount; ++i) {
        const FormatTableRow& row = kBuiltInFormats[i];
        AddProvider(MakeFileFormatProvider(row.id, row.extensions, row.loadMode, row.saveMode));
    }
}

void CFileFormatProviders::AddMagickProviders(CImportExportDll* plugin)
{
    m_currentPlugin = plugin;
    for (size_t i = 0; i < kMagickFormatCount; ++i) {
        const FormatTableRow& row = kMagickFormats[i];
        AddProvider(MakeFileFormatProvider(row.id, row.extensions, row.loadMode, row.saveMode));
    }
}

CFileFormatProvider* CFileFormatProviders::GetProvider(zavImgFormat id, bool raiseIfMissing)
{
    CFileFormatProvider* provider = nullptr;
    if (m_byId.Lookup(id, provider) && provider)
        return provider;
    if (raiseIfMissing) {
        String text;
        text.Format("Provider for format '%d' not found!", static_cast<int>(id));
        ThrowTextException(text.GetText());
    }
    return EmptyProviderForIds();
}

CFileFormatProvider* CFileFormatProviders::GetProviderByExtension(const char* extension, bool raiseIfMissing)
{
    CFileFormatProvider* provider = nullptr;
    if (m_byExtension.Lookup(ExtensionKey(extension ? extension : ""), provider) && provider)
        return provider;
    if (raiseIfMissing) {
        String text;
        text.Format("Provider for file extension '%s' not found!", extension ? extension : "");
        ThrowTextException(text.GetText());
    }
    return EmptyProviderForExtensions();
}

}  // namespace ZAV
