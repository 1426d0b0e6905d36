// The format registry the image object asks which codec or plug-in reads
// or writes a format. Each image object owns one, filled with the built-in
// formats at construction; a bound plug-in adds its own provider.
#pragma once

#include <cstdint>
#include <deque>

#include "foundation/text/String.h"

namespace ZAV {

// How a format is loaded or saved.
constexpr int kProviderModeNone = 0;
constexpr int kProviderModeBuiltIn = 2;
constexpr int kProviderModePlugIn = 3;
constexpr int kProviderModePlugInAlt = 4;

class CImportExportDll;

struct CFileFormatProvider {
    int32_t formatId = 0;
    int32_t loadMode = kProviderModeNone;
    CImportExportDll* loadPlugIn = nullptr;
    int32_t saveMode = kProviderModeNone;
    CImportExportDll* savePlugIn = nullptr;
    // Upper-case extensions framed by semicolons: ";JPG;JPEG;".
    String extensions;

    bool CanLoad() const { return loadMode != kProviderModeNone; }
    bool CanSave() const { return saveMode != kProviderModeNone; }
    bool LoadsThroughPlugIn() const { return loadMode == kProviderModePlugIn || loadMode == kProviderModePlugInAlt; }
    bool SavesThroughPlugIn() const { return saveMode == kProviderModePlugIn || saveMode == kProviderModePlugInAlt; }
};

class CFileFormatProviders {
public:
    CFileFormatProviders();

    // The provider of a format. An unknown id throws "Provider for format
    // '%d' not found!" when throwIfMissing, else gives the shared empty one.
    const CFileFormatProvider& GetProvider(int formatId, bool throwIfMissing) const;
    // The provider whose extensions hold the (case-blind) extension, given
    // with or without its dot.
    const CFileFormatProvider& GetProviderByExtension(const char* extension, bool throwIfMissing) const;
    void Add(const CFileFormatProvider& provider);
    static const CFileFormatProvider& EmptyProvider();

private:
    // A deque keeps references handed out valid as plug-ins add providers.
    std::deque<CFileFormatProvider> m_providers;
};

}  // namespace ZAV
