#ifndef MEMORYBUDGET_H
#define MEMORYBUDGET_H

#include <condition_variable>
#include <cstdint>
#include <mutex>

// Bounds the memory that jobs running side by side hold, in bytes: a job waits for room
// before it takes its share, and a job larger than the whole budget runs alone.
class MemoryBudget
{
public:
    explicit MemoryBudget(int64_t limit) : limit(limit) {}

    // Adds bytes to those of a job that holds held already: at once when they fit;
    // otherwise the job gives back what it holds and waits until the whole fits or nothing
    // else is held, so that two growing jobs never wait for each other.
    void grow(int64_t held, int64_t bytes);
    void give(int64_t bytes);

private:
    const int64_t limit;
    int64_t used = 0;
    std::mutex mutex;
    std::condition_variable changed;
};

#endif
