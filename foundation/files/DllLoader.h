// CDllLoader: binds a shared library by its file name and hands out the
// addresses of its exported functions by name, resolving each name once.
#pragma once

#include <string>

#include "foundation/files/EntryPoint.h"
#include "foundation/containers/Hash.h"
#include "foundation/objects/SimpleRefCount.h"
#include "foundation/text/String.h"
#include "platform/WinTypes.h"

namespace ZAV {

// Function name to entry point; 200 buckets that grow with the table.
class CDllLoaderHash : public THash<std::string, CEntryPoint> {
public:
    CDllLoaderHash() : THash<std::string, CEntryPoint>(1, 200) {}
    uint32_t GetHashValue(const std::string& key) const override { return StringHashValue(key); }
    CEntryPoint CreateDefaultValue() const override { return CEntryPoint(); }
};

class CDllLoader : public CSimpleRefCount {
public:
    // Nothing is loaded yet. With addOnDemand set, GetFunction enters names
    // it does not know; without it only names given to AddFunction are served.
    CDllLoader(const char* libraryName, bool addOnDemand);
    virtual ~CDllLoader();

    CDllLoader(const CDllLoader&) = delete;
    CDllLoader& operator=(const CDllLoader&) = delete;

    // Loads the library unless it is loaded already;
    // throws "Can't load dll '%s'".
    virtual void Load();

    // The function's address, resolved on its first request and kept.
    // Never null: every failure throws CTextException.
    FARPROC GetFunction(const char* name);

    // Enters a name with no address yet.
    void AddFunction(const char* name);

    // The address GetProcAddress gives for the name; throws when the library
    // is not loaded or does not export the name.
    FARPROC ResolveFunction(const char* name);

    const String& GetLibraryName() const { return m_libraryName; }
    bool IsLoaded() const { return m_module != nullptr; }

protected:
    String m_libraryName;
    HMODULE m_module;
    bool m_addOnDemand;
    CDllLoaderHash m_functions;
};

}  // namespace ZAV
