#ifndef INTERRUPTWATCH_H
#define INTERRUPTWATCH_H

#include <QObject>
#include <functional>

// While it lives, Ctrl+C (SIGINT), SIGTERM and SIGHUP do not end the process at once,
// which would leave a half-written file behind: stop is called on the event loop's thread
// instead, so that the job ends as on request and removes what it wrote.
class InterruptWatch : public QObject
{
public:
    explicit InterruptWatch(std::function<void()> stop);
    ~InterruptWatch() override;

    // Whether a signal has come, even one that stop has not been called for yet: Ctrl+C on
    // a terminal reaches the video tool too, which may end before stop is called.
    bool signalArrived() const;

protected:
    void timerEvent(QTimerEvent *event) override;

private:
    std::function<void()> stop;
    bool stopped = false;
};

#endif
