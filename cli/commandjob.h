#ifndef COMMANDJOB_H
#define COMMANDJOB_H

#include "cli/interruptwatch.h"
#include "cli/terminalprogress.h"

#include <QEventLoop>
#include <QThread>

// Runs one of the engine's worker threads to its end for a command: start() starts it,
// its progress is drawn on the bar, and Ctrl+C or SIGTERM asks it to stop, as the window's
// Cancel does; the worker's outcome tells how it ended.
template <class Worker, class Start>
void runCommandJob(Worker *worker, TerminalProgress *progress, Start start)
{
    QEventLoop loop;
    QObject::connect(worker, &Worker::updateprogress, &loop,
                     [progress](int value) { progress->show(value); });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    const InterruptWatch interrupt([worker] { worker->requestStop(); });
    progress->show(0);
    start();
    loop.exec();
    progress->finish();
}

#endif
