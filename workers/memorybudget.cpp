#include "workers/memorybudget.h"

void MemoryBudget::grow(int64_t held, int64_t bytes)
{
    std::unique_lock<std::mutex> locker(mutex);
    if (used + bytes <= limit) {
        used += bytes;
        return;
    }
    used -= held;
    changed.notify_all();
    changed.wait(locker, [&] { return used == 0 || used + held + bytes <= limit; });
    used += held + bytes;
}

void MemoryBudget::give(int64_t bytes)
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        used -= bytes;
    }
    changed.notify_all();
}
