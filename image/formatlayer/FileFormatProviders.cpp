#include "image/formatlayer/FileFormatProviders.h"

#include <string>

#include "foundation/text/TextException.h"

namespace ZAV {

namespace {

struct BuiltInFormat {
    int32_t id;
    const char* extensions;
    int32_t loadMode;
    int32_t saveMode;
};

// The built-in codecs' formats: id, extensions, load and save modes.
constexpr BuiltInFormat kBuiltInFormats[] = {
    {1, ";BMP;RLE;", 2, 2},  {3, ";PCX;", 2, 2},           {4, ";JPG;JPEG;JPE;JFIF;", 2, 2},
    {5, ";TIF;TIFF;", 2, 2}, {6, ";PNG;", 2, 2},           {7, ";TGA;", 2, 2},
    {8, ";ICO;", 2, 0},      {9, ";CUR;", 2, 0},           {10, ";PSD;", 2, 2},
    {11, ";PDF;", 0, 2},     {12, ";PBM;", 2, 2},          {13, ";PGM;", 2, 2},
    {14, ";PPM;", 2, 2},     {15, ";GIF;", 2, 2},          {16, ";WBMP;", 2, 2},
    {17, ";DCX;", 2, 2},     {18, ";FAX;", 2, 2},          {92, ";PCT;PICT;", 2, 0},
    {93, ";WMF;EMF;", 2, 2}, {94, ";JBIG;JBG;BIE;", 2, 2},
};

std::string FramedUpperExtension(const char* extension)
{
    std::string key = extension ? extension : "";
    if (!key.empty() && key[0] == '.')
        key.erase(0, 1);
    for (char& c : key)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return ";" + key + ";";
}

}  // namespace

CFileFormatProviders::CFileFormatProviders()
{
    for (const BuiltInFormat& format : kBuiltInFormats) {
        CFileFormatProvider provider;
        provider.formatId = format.id;
        provider.extensions = String(format.extensions);
        provider.loadMode = format.loadMode;
        provider.saveMode = format.saveMode;
        Add(provider);
    }
}

const CFileFormatProvider& CFileFormatProviders::EmptyProvider()
{
    static const CFileFormatProvider empty;
    return empty;
}

void CFileFormatProviders::Add(const CFileFormatProvider& provider)
{
    for (CFileFormatProvider& existing : m_providers)
        if (existing.formatId == provider.formatId) {
            existing = provider;
            return;
        }
    m_providers.push_back(provider);
}

const CFileFormatProvider& CFileFormatProviders::GetProvider(int formatId, bool throwIfMissing) const
{
    for (const CFileFormatProvider& provider : m_providers)
        if (provider.formatId == formatId)
            return provider;
    if (throwIfMissing) {
        String text;
        text.Format("Provider for format '%d' not found!", formatId);
        ThrowTextException(text.GetText());
    }
    return EmptyProvider();
}

const CFileFormatProvider& CFileFormatProviders::GetProviderByExtension(const char* extension,
                                                                        bool throwIfMissing) const
{
    const std::string key = FramedUpperExtension(extension);
    // The provider registered last under an extension answers for it.
    for (auto it = m_providers.rbegin(); it != m_providers.rend(); ++it)
        if (key.size() > 2 && std::string(it->extensions.GetText()).find(key) != std::string::npos)
            return *it;
    if (throwIfMissing) {
        String text;
        text.Format("Provider for extension '%s' not found!", key.c_str());
        ThrowTextException(text.GetText());
    }
    return EmptyProvider();
}

}  // namespace ZAV
