#include "foundation/files/DllLoader.h"

#include "foundation/text/TextException.h"
#include "platform/Loader.h"

namespace ZAV {

namespace {

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

CDllLoader::CDllLoader(const char* libraryName, bool addOnDemand)
    : m_libraryName(OrEmpty(libraryName)), m_module(nullptr), m_addOnDemand(addOnDemand)
{
}

CDllLoader::~CDllLoader()
{
    if (m_module != nullptr) {
        FreeLibrary(m_module);
        m_module = nullptr;
    }
}

void CDllLoader::Load()
{
    if (m_module != nullptr)
        return;
    m_module = LoadLibraryA(m_libraryName.GetText());
    if (m_module == nullptr) {
        String text;
        text.Format("Can't load dll '%s'", m_libraryName.GetText());
        ThrowTextException(text.GetText());
    }
}

FARPROC CDllLoader::ResolveFunction(const char* name)
{
    name = OrEmpty(name);
    if (m_module == nullptr) {
        String text;
        text.Format("Dll '%s' not yet loaded!", m_libraryName.GetText());
        ThrowTextException(text.GetText());
    }
    FARPROC address = GetProcAddress(m_module, name);
    if (address == nullptr) {
        String text;
        text.Format("Function '%s' not found in dll '%s'!", name, m_libraryName.GetText());
        ThrowTextException(text.GetText());
    }
    return address;
}

void CDllLoader::AddFunction(const char* name)
{
    name = OrEmpty(name);
    CEntryPoint& entry = m_functions.FindOrInsert(name);
    entry.name = name;
}

FARPROC CDllLoader::GetFunction(const char* name)
{
    name = OrEmpty(name);
    const std::string key(name);
    uint32_t bucket = 0;
    CDllLoaderHash::Node* node = m_functions.FindNode(key, bucket);
    CEntryPoint* entry = node ? &node->value : nullptr;
    if (entry == nullptr) {
        if (!m_addOnDemand) {
            String text;
            text.Format("The function '%s' is not defined for dll '%s'!", name, m_libraryName.GetText());
            ThrowTextException(text.GetText());
        }
        entry = &m_functions.FindOrInsert(key);
        entry->name = name;
    }
    // A name that failed to resolve keeps its null address, so the next
    // request asks the library again.
    if (entry->address == nullptr)
        entry->address = ResolveFunction(name);
    return entry->address;
}

}  // namespace ZAV
