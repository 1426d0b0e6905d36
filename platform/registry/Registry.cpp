// The Win32-style calls over the store: each loads the store from its file,
// works on it in memory and, when it changed something, saves it whole.
#include "platform/registry/Registry.h"

#include "platform/LastError.h"
#include "platform/PlatformLimits.h"
#include "platform/registry/RegistryFile.h"
#include "platform/registry/RegistryStore.h"

#include <cstring>
#include <string>
#include <vector>

struct HKEY__ {
    // The key's path below the root, its names joined by "\"; "" is the root.
    std::string path;
};

namespace {

using namespace RegistryStore;

HKEY__ g_classesRoot{""};

LONG Fail(DWORD code)
{
    SetLastError(code);
    return static_cast<LONG>(code);
}

HKEY NewHandle(const std::string& path)
{
    return new HKEY__{path};
}

// Loads the store and finds the key a handle stands for; the root is found as
// null. A failure comes back already reported.
LONG OpenHandleKey(HKEY key, Store& store, Key** found)
{
    if (!key)
        return Fail(ERROR_INVALID_HANDLE);
    DWORD code = LoadStore(store);
    if (code != ERROR_SUCCESS)
        return Fail(code);
    *found = nullptr;
    if (key->path.empty())
        return ERROR_SUCCESS;
    *found = FindKey(store, key->path);
    return *found ? ERROR_SUCCESS : Fail(ERROR_KEY_DELETED);
}

// What opening, creating and deleting below a handle share: the names of the
// subkey text and the path of the handle's key in the loaded store.
LONG OpenBelowHandle(HKEY key, const char* subKey, Store& store, std::vector<std::string>& names, std::string& basePath)
{
    if (!SplitKeyNames(subKey, names))
        return Fail(ERROR_INVALID_PARAMETER);
    Key* base = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &base))
        return failed;
    basePath = base ? base->path : std::string();
    return ERROR_SUCCESS;
}

LONG SaveOrFail(const Store& store)
{
    DWORD code = SaveStore(store);
    return code == ERROR_SUCCESS ? ERROR_SUCCESS : Fail(code);
}

}  // namespace

const HKEY HKEY_CLASSES_ROOT = &g_classesRoot;

LONG RegOpenKeyExA(HKEY key, const char* subKey, DWORD, REGSAM, HKEY* result)
{
    if (!result)
        return Fail(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    for (const std::string& name : names) {
        Key* next = FindKey(store, JoinPath(path, name));
        if (!next)
            return Fail(ERROR_FILE_NOT_FOUND);
        path = next->path;
    }
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, const char* subKey, DWORD, char*, DWORD, REGSAM, const void*, HKEY* result,
                     DWORD* disposition)
{
    if (!result)
        return Fail(ERROR_INVALID_PARAMETER);
    *result = nullptr;
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    bool created = false;
    for (const std::string& name : names) {
        Key* next = FindKey(store, JoinPath(path, name));
        if (next) {
            path = next->path;
            continue;
        }
        path = JoinPath(path, name);
        store.keys.push_back(Key{path, {}});
        created = true;
    }
    if (created) {
        if (LONG failed = SaveOrFail(store))
            return failed;
    }
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = NewHandle(path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, const char* valueName, DWORD*, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (data && !dataSize)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    Value* value = found ? FindValue(*found, valueName ? valueName : "") : nullptr;
    if (!value)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (type)
        *type = value->type;
    const DWORD size = static_cast<DWORD>(value->data.size());
    if (data) {
        if (*dataSize < size) {
            *dataSize = size;
            return Fail(ERROR_MORE_DATA);
        }
        if (size)
            std::memcpy(data, value->data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, const char* valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize)
{
    if ((dataSize && !data) || dataSize > kMaxValueBytes)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    // The root holds no values here: nothing the program writes needs one.
    if (!found)
        return Fail(ERROR_ACCESS_DENIED);
    const std::string name = valueName ? valueName : "";
    Value* value = FindValue(*found, name);
    if (!value) {
        found->values.push_back(Value{name, type, {}});
        value = &found->values.back();
    }
    value->type = type;
    value->data.assign(data, data + dataSize);
    return SaveOrFail(store);
}

LONG RegDeleteValueA(HKEY key, const char* valueName)
{
    Store store;
    Key* found = nullptr;
    if (LONG failed = OpenHandleKey(key, store, &found))
        return failed;
    Value* value = found ? FindValue(*found, valueName ? valueName : "") : nullptr;
    if (!value)
        return Fail(ERROR_FILE_NOT_FOUND);
    found->values.erase(found->values.begin() + (value - found->values.data()));
    return SaveOrFail(store);
}

LONG RegDeleteKeyA(HKEY key, const char* subKey)
{
    // The handle's own key is not deleted through an empty subkey.
    if (!subKey || !*subKey)
        return Fail(ERROR_INVALID_PARAMETER);
    Store store;
    std::vector<std::string> names;
    std::string path;
    if (LONG failed = OpenBelowHandle(key, subKey, store, names, path))
        return failed;
    for (const std::string& name : names)
        path = JoinPath(path, name);
    Key* target = FindKey(store, path);
    if (!target)
        return Fail(ERROR_FILE_NOT_FOUND);
    if (HasSubkeys(store, target->path))
        return Fail(ERROR_ACCESS_DENIED);
    store.keys.erase(store.keys.begin() + (target - store.keys.data()));
    return SaveOrFail(store);
}

LONG RegCloseKey(HKEY key)
{
    if (!key)
        return Fail(ERROR_INVALID_HANDLE);
    if (key != HKEY_CLASSES_ROOT)
        delete key;
    return ERROR_SUCCESS;
}
