#ifndef COMMANDJOB_H
#define COMMANDJOB_H

#include "cli/interruptwatch.h"
#include "cli/standarderrormute.h"
#include "cli/terminalprogress.h"

#include <QEventLoop>
#include <QThread>
#include <memory>

// Runs one of the engine's worker threads to its end for a command: start() starts it,
// its progress is drawn on the bar, and Ctrl+C, SIGTERM or SIGHUP asks it to stop, as the
// window's Cancel does; the worker's outcome tells how it ended.
template <class Worker, class Start>
void runCommandJob(Worker *worker, TerminalProgress *progress, Start start)
{
    QEventLoop loop;
    QObject::connect(worker, &Worker::updateprogress, &loop,
                     [progress](int value) { progress->show(value); });
    QObject::connect(worker, &QThread::finished, &loop, &QEventLoop::quit);
    // Stopping is no error: the complaints about the writes it cuts off are not shown.
    std::unique_ptr<StandardErrorMute> stopping;
    const InterruptWatch interrupt([worker, &stopping] {
        stopping = std::make_unique<StandardErrorMute>();
        worker->requestStop();
    });
    progress->show(0);
    start();
    loop.exec();
    stopping.reset();
    progress->finish();
}

#endif
