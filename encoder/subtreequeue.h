#ifndef SUBTREEQUEUE_H
#define SUBTREEQUEUE_H

#include <condition_variable>
#include <cstddef>
#include <mutex>

struct FramePalette;

// One frame's palette tree shared out between the threads as subtrees. A thread that takes
// a large subtree splits its top node and offers the right half back, so a thread that
// arrives late (the helper finishing the last frame's LZW) still finds work, and one that
// is early never waits for the other to start. Every subtree has pixels, entries and nodes
// of its own, so the palette is the same whichever thread builds which part.
class SubtreeQueue
{
public:
    // Queues the whole tree over the n pixels (entries 1 to entries, see buildFramePalette).
    void open(unsigned char *pixels, size_t n, int depth, int entries, FramePalette *palette);
    // Builds subtrees until the tree is complete; at once when it already is.
    void work();

private:
    struct Subtree
    {
        unsigned char *pixels;
        size_t n;
        int first;
        int end;
        int splitEntry;
        int splitDistance;
        int node;
    };
    // Nodes above this one are offered in halves when they hold enough pixels.
    static const int SharedNodes = 32;
    static const size_t SharedPixels = 4096;

    void build(Subtree subtree);
    void offer(const Subtree &subtree);

    std::mutex mutex;
    std::condition_variable changed;
    FramePalette *palette = nullptr;
    Subtree queue[SharedNodes];
    int head = 0;      // next subtree to take
    int tail = 0;      // where the next offered one goes
    int unfinished = 0; // queued or being built
};

#endif
