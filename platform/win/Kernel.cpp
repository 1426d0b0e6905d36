#include "platform/win/Kernel.h"

namespace ZAV {
namespace Win {

std::mutex& KernelLock()
{
    static std::mutex* lock = new std::mutex;  // outlives threads still ending at exit
    return *lock;
}

std::condition_variable& KernelChanged()
{
    static std::condition_variable* changed = new std::condition_variable;
    return *changed;
}

}  // namespace Win
}  // namespace ZAV
