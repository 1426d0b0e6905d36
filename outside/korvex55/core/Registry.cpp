#include "outside/korvex55/core/Registry.h"

#include <memory>
#include <mutex>
#include <new>
#include <unordered_map>

namespace KORVEX55 {

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<KORV_Handle, std::unique_ptr<Processor>> processors;
    KORV_Handle lastHandle = 0;
    std::string orphanText;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// The next number not in use; 0 is never handed out.
KORV_Handle NextFreeHandle(Registry& registry)
{
    do {
        ++registry.lastHandle;
    } while (registry.lastHandle == 0 || registry.processors.count(registry.lastHandle) != 0);
    return registry.lastHandle;
}

}  // namespace

KORV_Handle RegisterProcessor()
{
    try {
        Registry& registry = TheRegistry();
        auto processor = std::make_unique<Processor>();
        std::lock_guard<std::mutex> guard(registry.lock);
        const KORV_Handle handle = NextFreeHandle(registry);
        registry.processors.emplace(handle, std::move(processor));
        return handle;
    } catch (const std::bad_alloc&) {
        return 0;
    }
}

bool UnregisterProcessor(KORV_Handle handle)
{
    Registry& registry = TheRegistry();
    std::unique_ptr<Processor> gone;
    std::lock_guard<std::mutex> guard(registry.lock);
    auto found = registry.processors.find(handle);
    if (found == registry.processors.end())
        return false;
    gone = std::move(found->second);
    registry.processors.erase(found);
    return true;
}

Processor* FindProcessor(KORV_Handle handle)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    auto found = registry.processors.find(handle);
    return found == registry.processors.end() ? nullptr : found->second.get();
}

void SetOrphanErrorText(std::string text)
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    registry.orphanText = std::move(text);
}

std::string OrphanErrorText()
{
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> guard(registry.lock);
    return registry.orphanText;
}

}  // namespace KORVEX55
