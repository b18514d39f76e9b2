#ifndef COMMANDJOB_H
#define COMMANDJOB_H

#include "cli/interruptwatch.h"
#include "cli/terminalprogress.h"

#include <QEventLoop>
#include <QThread>

// Runs one of the engine's worker threads to its end for a command: its progress is drawn
// on the bar, and Ctrl+C or SIGTERM asks it to stop, as the window's Cancel does. Returns
// whether it was asked to stop.
template <class Worker>
bool runCommandJob(Worker *worker, TerminalProgress *progress)
{
    QEventLoop loop;
    QObject::connect(worker, &Worker::updateprogress, &loop,
                     [progress](int value) { progress->show(value); });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    const InterruptWatch interrupt([worker] { worker->requestStop(); });
    progress->show(0);
    worker->start(QThread::InheritPriority);
    loop.exec();
    progress->finish();
    return interrupt.interrupted();
}

#endif
