#include "cli/interruptwatch.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t signalled = 0;

void noteSignal(int)
{
    signalled = 1;
}

// A closed terminal (SIGHUP) ends a run as Ctrl+C does.
const int WatchedSignals[] = {
    SIGINT, SIGTERM,
#ifdef SIGHUP
    SIGHUP,
#endif
};

} // namespace

InterruptWatch::InterruptWatch(std::function<void()> stop) : stop(std::move(stop))
{
    signalled = 0;
    for (int watched : WatchedSignals) {
        // A shell starts background jobs with SIGINT ignored; they keep ignoring it.
        if (std::signal(watched, noteSignal) == SIG_IGN)
            std::signal(watched, SIG_IGN);
    }
    // A signal handler may do next to nothing, so the flag is looked at from here.
    startTimer(50);
}

InterruptWatch::~InterruptWatch()
{
    for (int watched : WatchedSignals) {
        if (std::signal(watched, SIG_DFL) == SIG_IGN)
            std::signal(watched, SIG_IGN);
    }
}

bool InterruptWatch::signalArrived() const
{
    return signalled;
}

void InterruptWatch::timerEvent(QTimerEvent *)
{
    if (!signalled || stopped)
        return;
    stopped = true;
    stop();
}
