#include "encoder/subtreequeue.h"
#include "encoder/palettetree.h"

void SubtreeQueue::open(unsigned char *pixels, size_t n, int depth, int entries,
                        FramePalette *palette)
{
    std::lock_guard<std::mutex> locker(mutex);
    this->palette = palette;
    queue[0] = {pixels, n, 1, entries + 1, 1 << (depth - 1), 1 << (depth - 2), 1};
    head = 0;
    tail = 1;
    unfinished = 1;
}

void SubtreeQueue::work()
{
    std::unique_lock<std::mutex> locker(mutex);
    for (;;) {
        if (head < tail) {
            const Subtree next = queue[head++];
            locker.unlock();
            build(next);
            locker.lock();
            if (--unfinished == 0)
                changed.notify_all();
        } else if (unfinished == 0) {
            return;
        } else {
            changed.wait(locker);
        }
    }
}

void SubtreeQueue::offer(const Subtree &subtree)
{
    std::lock_guard<std::mutex> locker(mutex);
    queue[tail++] = subtree;
    unfinished++;
    changed.notify_all();
}

void SubtreeQueue::build(Subtree s)
{
    // Split off right halves while they are worth handing over; the left half stays here.
    while (s.node < SharedNodes && s.n >= SharedPixels && s.end - s.first >= 2) {
        // A range that ends before the split lies wholly on the left (see buildPaletteTree).
        if (s.splitEntry >= s.end) {
            s = {s.pixels, s.n, s.first, s.end, s.splitEntry - s.splitDistance,
                 s.splitDistance / 2, s.node * 2};
            continue;
        }
        const size_t nLeft = splitPaletteNode(s.pixels, s.n, s.first, s.end, s.splitEntry,
                                              s.node, palette);
        const int distance = s.splitDistance / 2;
        offer({s.pixels + nLeft * 4, s.n - nLeft, s.splitEntry, s.end,
               s.splitEntry + s.splitDistance, distance, s.node * 2 + 1});
        s = {s.pixels, nLeft, s.first, s.splitEntry, s.splitEntry - s.splitDistance, distance,
             s.node * 2};
    }
    buildPaletteTree(s.pixels, s.n, s.first, s.end, s.splitEntry, s.splitDistance, s.node,
                     palette);
}
