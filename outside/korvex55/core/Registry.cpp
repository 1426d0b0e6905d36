#include "outside/korvex55/core/Registry.h"

#include <memory>
#include <mutex>
#include <new>
#include <random>
#include <unordered_map>

namespace KORVEX55 {

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_map<KORV_Handle, std::unique_ptr<Processor>> processors;
    uint64_t counter = 0;
    // Mixed into every handle, so that the live handles are sparse and differ
    // from run to run: a made-up or stale number is most unlikely to name one.
    uint64_t key = (static_cast<uint64_t>(std::random_device()()) << 32) | std::random_device()();
    std::string orphanText;
};

Registry& TheRegistry()
{
    static Registry registry;
    return registry;
}

// A bijection of 64-bit values (the finaliser of SplitMix64), so distinct
// counters give distinct handles.
uint64_t Mix(uint64_t value)
{
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

// The next handle not in use; 0 is never handed out.
KORV_Handle NextFreeHandle(Registry& registry)
{
    KORV_Handle handle = 0;
    do {
        handle = static_cast<KORV_Handle>(Mix(++registry.counter ^ registry.key));
    } while (handle == 0 || registry.processors.count(handle) != 0);
    return handle;
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
