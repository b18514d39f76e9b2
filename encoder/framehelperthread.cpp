#include "encoder/framehelperthread.h"

#include <QMutexLocker>

FrameHelperThread::FrameHelperThread()
{
    start();
}

FrameHelperThread::~FrameHelperThread()
{
    {
        QMutexLocker locker(&mutex);
        stopping = true;
        changed.wakeAll();
    }
    wait();
}

int FrameHelperThread::post(Task task, void *argument)
{
    QMutexLocker locker(&mutex);
    while (posted - finished >= QueueLength)
        changed.wait(&mutex);
    queue[posted % QueueLength] = {task, argument};
    posted++;
    changed.wakeAll();
    return posted;
}

void FrameHelperThread::waitFor(int ticket)
{
    QMutexLocker locker(&mutex);
    while (finished < ticket)
        changed.wait(&mutex);
}

void FrameHelperThread::run()
{
    QMutexLocker locker(&mutex);
    for (;;) {
        while (finished == posted && !stopping)
            changed.wait(&mutex);
        if (finished == posted)
            return;
        const QueuedTask next = queue[finished % QueueLength];
        locker.unlock();
        next.task(next.argument);
        locker.relock();
        finished++;
        changed.wakeAll();
    }
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
