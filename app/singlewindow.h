#ifndef SINGLEWINDOW_H
#define SINGLEWINDOW_H

#include <QList>
#include <QLocalServer>
#include <QObject>
#include <QStringList>

class QLocalSocket;

// One window per user: the running window listens on a local socket of this user's, and a
// later start hands its files to it instead of opening a second window.

// Hands the files (absolute paths; none just brings the window to the front) to the
// user's running window, in several messages when they are many. False when no window
// runs, or it did not take them.
bool handToRunningWindow(const QStringList &files);

// The running window's end of the socket. Whatever a client sends, the window stays
// responsive and keeps listening: a client is served only for a short while, a few at a
// time, and one that sends anything but one message within the bounds is dropped.
class SingleWindowServer : public QObject
{
    Q_OBJECT

public:
    explicit SingleWindowServer(QObject *parent = nullptr);

    // Starts listening. A socket left behind by a run that crashed is taken over. Where
    // there is no place for the socket, the window runs on its own.
    void listen();

signals:
    // Files handed over by a later start, possibly none.
    void filesArrived(const QStringList &files);

private slots:
    void server_newConnection();

private:
    void serve(QLocalSocket *client);
    void readFrom(QLocalSocket *client);
    void drop(QLocalSocket *client);

    QLocalServer server;
    // Being served, oldest first.
    QList<QLocalSocket *> clients;
};

#endif
