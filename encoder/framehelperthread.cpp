#include "encoder/framehelperthread.h"

FrameHelperThread::FrameHelperThread()
    : thread(&FrameHelperThread::run, this)
{
}

FrameHelperThread::~FrameHelperThread()
{
    {
        std::lock_guard<std::mutex> locker(mutex);
        stopping = true;
    }
    changed.notify_all();
    thread.join();
}

int FrameHelperThread::post(Task task, void *argument)
{
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this] { return posted - finished < QueueLength; });
    queue[posted % QueueLength] = {task, argument};
    posted++;
    const int ticket = posted;
    locker.unlock();
    changed.notify_all();
    return ticket;
}

void FrameHelperThread::waitFor(int ticket)
{
    std::unique_lock<std::mutex> locker(mutex);
    changed.wait(locker, [this, ticket] { return finished >= ticket; });
}

void FrameHelperThread::run()
{
    std::unique_lock<std::mutex> locker(mutex);
    for (;;) {
        changed.wait(locker, [this] { return finished < posted || stopping; });
        if (finished == posted)
            return;
        const QueuedTask next = queue[finished % QueueLength];
        locker.unlock();
        next.task(next.argument);
        locker.lock();
        finished++;
        changed.notify_all();
    }
}

FrameHelperThread *startFrameHelper()
{
    return std::thread::hardware_concurrency() > 1 ? new FrameHelperThread : nullptr;
}

int postToHelper(FrameHelperThread *helper, FrameHelperThread::Task task, void *argument)
{
    if (!helper) {
        task(argument);
        return 0;
    }
    return helper->post(task, argument);
}

void waitForHelper(FrameHelperThread *helper, int ticket)
{
    if (helper)
        helper->waitFor(ticket);
}
