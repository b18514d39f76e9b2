#ifndef HANDOVERQUEUE_H
#define HANDOVERQUEUE_H

#include <QObject>
#include <QSet>
#include <QStringList>
#include <QTimer>
#include <functional>

// Files handed to the window from outside (the command line, a later start) open at once
// when the window is free. While a dialog or a job is up they wait, and all that arrived
// meanwhile open together when it is gone: one opening, so one notice names whatever
// was left out, and no notice ever opens inside another dialog.
class HandOverQueue : public QObject
{
public:
    using Busy = std::function<bool()>;
    using Open = std::function<void(const QStringList &paths)>;

    HandOverQueue(Busy busy, Open open, QObject *parent = nullptr);

    void add(const QStringList &paths);

private:
    void openIfFree();

    Busy busy;
    Open open;
    QStringList waiting;
    QSet<QString> waitingSet;
    QTimer freeCheck;
};

#endif
