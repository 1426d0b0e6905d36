// The one lock and condition of the thread layer: every signal (a thread
// ends, a semaphore is released, a message is posted) notifies it, and every
// wait sleeps on it. Internal to the platform layer.
#pragma once

#include <condition_variable>
#include <mutex>

namespace ZAV {
namespace Win {

std::mutex& KernelLock();
std::condition_variable& KernelChanged();

}  // namespace Win
}  // namespace ZAV
