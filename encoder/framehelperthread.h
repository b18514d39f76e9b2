#ifndef FRAMEHELPERTHREAD_H
#define FRAMEHELPERTHREAD_H

#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <thread>

// A second thread for the encoder: runs the tasks it is given one after the other, in the
// order they were posted, while the encoding thread does its own share of a frame. Built on
// the standard library's primitives, which race detectors see through.
class FrameHelperThread
{
public:
    typedef void (*Task)(void *argument);

    FrameHelperThread();
    // Runs what is still queued, then ends the thread.
    ~FrameHelperThread();
    FrameHelperThread(const FrameHelperThread &) = delete;
    FrameHelperThread &operator=(const FrameHelperThread &) = delete;

    // Queues the task and returns its ticket; tickets grow by one per task, from 1.
    int post(Task task, void *argument);
    // Returns once the task of the ticket and all before it have run (at once for 0).
    void waitFor(int ticket);

private:
    void run();

    struct QueuedTask
    {
        Task task;
        void *argument;
    };
    static const int QueueLength = 8;

    std::mutex mutex;
    std::condition_variable changed;
    QueuedTask queue[QueueLength];
    int posted = 0;    // tickets handed out
    int finished = 0;  // tickets whose task has run
    bool stopping = false;
    std::thread thread; // last: starts once everything above is set up
};

// Below this many pixels handing work to the helper costs more than it saves.
const size_t ParallelPixels = 16384;

// A helper for the encoder when there is a second core to run it; null otherwise.
FrameHelperThread *startFrameHelper();

// Runs the task on the helper, or at once on this thread when there is no helper.
int postToHelper(FrameHelperThread *helper, FrameHelperThread::Task task, void *argument);
void waitForHelper(FrameHelperThread *helper, int ticket);

#endif
