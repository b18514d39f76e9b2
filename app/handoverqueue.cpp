#include "app/handoverqueue.h"

namespace {

// Far more than anyone hands over while a job runs; bounds what a looping script can pile up.
const int MostWaiting = 100000;
const int CheckMilliseconds = 100;

} // namespace

HandOverQueue::HandOverQueue(Busy busy, Open open, QObject *parent)
    : QObject(parent), busy(std::move(busy)), open(std::move(open))
{
    freeCheck.setInterval(CheckMilliseconds);
    connect(&freeCheck, &QTimer::timeout, this, &HandOverQueue::openIfFree);
}

void HandOverQueue::add(const QStringList &paths)
{
    if (paths.isEmpty())
        return;
    if (waiting.isEmpty() && !busy()) {
        open(paths);
        return;
    }
    // The same file handed over again opens once.
    for (const QString &path : paths) {
        if (waiting.size() < MostWaiting && !waitingSet.contains(path)) {
            waiting << path;
            waitingSet.insert(path);
        }
    }
    if (!freeCheck.isActive())
        freeCheck.start();
}

void HandOverQueue::openIfFree()
{
    if (busy())
        return;
    freeCheck.stop();
    const QStringList paths = waiting;
    waiting.clear();
    waitingSet.clear();
    open(paths);
}
