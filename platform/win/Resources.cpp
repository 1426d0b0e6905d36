#include "platform/win/Resources.h"

#include <map>
#include <memory>
#include <mutex>
#include <tuple>

namespace {

struct Resource {
    std::vector<uint8_t> bytes;
};

struct ResourceTable {
    std::mutex lock;
    std::map<std::tuple<HMODULE, uintptr_t, uintptr_t>, std::unique_ptr<Resource>> resources;
    std::map<uintptr_t, std::unique_ptr<char>> systemCursors;
};

ResourceTable& Table()
{
    static ResourceTable* table = new ResourceTable;
    return *table;
}

bool IsSystemCursor(uintptr_t id)
{
    return (id >= IDC_ARROW && id <= IDC_CROSS) || (id >= IDC_SIZENWSE && id <= IDC_HAND);
}

Resource* FindLocked(HMODULE module, uintptr_t type, uintptr_t id)
{
    auto it = Table().resources.find(std::make_tuple(module, type, id));
    return it == Table().resources.end() ? nullptr : it->second.get();
}

}  // namespace

HCURSOR LoadCursorA(HINSTANCE module, const char* name)
{
    const uintptr_t id = reinterpret_cast<uintptr_t>(name);
    std::lock_guard<std::mutex> guard(Table().lock);
    if (module)
        return FindLocked(module, RT_CURSOR, id);
    if (!IsSystemCursor(id))
        return nullptr;
    auto& cursor = Table().systemCursors[id];
    if (!cursor)
        cursor.reset(new char(0));  // a distinct address is all a cursor handle needs
    return cursor.get();
}

HRSRC FindResourceA(HMODULE module, const char* name, const char* type)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    return FindLocked(module, reinterpret_cast<uintptr_t>(type), reinterpret_cast<uintptr_t>(name));
}

DWORD SizeofResource(HMODULE, HRSRC resource)
{
    return resource ? static_cast<DWORD>(static_cast<Resource*>(resource)->bytes.size()) : 0;
}

HGLOBAL LoadResource(HMODULE, HRSRC resource)
{
    return resource;
}

void* LockResource(HGLOBAL loaded)
{
    return loaded ? static_cast<Resource*>(loaded)->bytes.data() : nullptr;
}

BOOL ImageList_Destroy(HIMAGELIST list)
{
    return list ? TRUE : FALSE;
}

namespace ZAV {

void AddModuleResource(HMODULE module, uintptr_t type, uintptr_t id, const std::vector<uint8_t>& bytes)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    auto& slot = Table().resources[std::make_tuple(module, type, id)];
    if (!slot)
        slot = std::make_unique<Resource>();
    slot->bytes = bytes;  // the record stays where it is, so found handles stay valid
}

void ClearModuleResources(HMODULE module)
{
    std::lock_guard<std::mutex> guard(Table().lock);
    auto& resources = Table().resources;
    for (auto it = resources.begin(); it != resources.end();)
        it = std::get<0>(it->first) == module ? resources.erase(it) : std::next(it);
}

}  // namespace ZAV
