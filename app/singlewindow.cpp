#include "app/singlewindow.h"

#include "app/handovermessage.h"

#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>

namespace {

const char Taken = 'T';
const int ConnectMilliseconds = 1000;
// The running window answers from its event loop, which a large import may keep busy.
const int AnswerMilliseconds = 10000;
// A later start sends its message as soon as it is connected; one that takes longer is
// not one of ours, or is stuck.
const int ServeMilliseconds = 5000;
// Clients served at once; a new one pushes out the oldest, which a real start has long
// finished with.
const int MostClients = 8;

// On Linux a socket file in the user's own runtime folder, which no other user can enter.
// On Windows a named pipe, whose names all users share, so the user's name is part of it.
QString socketName()
{
#ifdef Q_OS_WIN
    return QStringLiteral("lumorra-window-") + qEnvironmentVariable("USERNAME");
#else
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QString() : runtime + QStringLiteral("/lumorra-window");
#endif
}

bool sendMessage(const QString &name, const QByteArray &message)
{
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMilliseconds))
        return false;
    socket.write(message);
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(AnswerMilliseconds))
            return false;
    }
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(AnswerMilliseconds))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == Taken;
}

} // namespace

bool handToRunningWindow(const QStringList &files)
{
    const QString name = socketName();
    if (name.isEmpty())
        return false;
    const QList<QByteArray> messages = handOverMessages(files);
    if (!sendMessage(name, messages.first()))
        return false;
    // The window has the first files; the rest go after them, as the window opens the
    // files that arrive while it is busy together.
    for (const QByteArray &message : messages.mid(1))
        sendMessage(name, message);
    return true;
}

SingleWindowServer::SingleWindowServer(QObject *parent) : QObject(parent)
{
    server.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server, &QLocalServer::newConnection, this,
            &SingleWindowServer::server_newConnection);
}

void SingleWindowServer::listen()
{
    const QString name = socketName();
    if (name.isEmpty() || server.listen(name))
        return;
    // No window answered before this one started, so what holds the name is left over.
    QLocalServer::removeServer(name);
    server.listen(name);
}

void SingleWindowServer::server_newConnection()
{
    // Taken at once, so that no client waits; the count served stays bounded, and with it
    // the files the window holds open.
    while (QLocalSocket *client = server.nextPendingConnection()) {
        if (clients.size() >= MostClients)
            drop(clients.first());
        serve(client);
    }
}

void SingleWindowServer::serve(QLocalSocket *client)
{
    clients << client;
    // One byte more than the largest message, to see a client that sends more.
    client->setReadBufferSize(HandOverHeaderBytes + MostHandOverBytes + 1);
    connect(client, &QLocalSocket::disconnected, this, [this, client] {
        clients.removeOne(client);
        client->deleteLater();
    });
    connect(client, &QLocalSocket::readyRead, this, [this, client] { readFrom(client); });
    QTimer::singleShot(ServeMilliseconds, client, [this, client] {
        // The message may be waiting behind the timer in a busy event loop.
        readFrom(client);
        if (clients.contains(client))
            drop(client);
    });
    readFrom(client);
}

void SingleWindowServer::readFrom(QLocalSocket *client)
{
    if (!clients.contains(client))
        return;
    QStringList files;
    switch (readHandOver(client, &files)) {
    case HandOverRead::Incomplete:
        return;
    case HandOverRead::Junk:
        drop(client);
        return;
    case HandOverRead::Complete:
        break;
    }
    clients.removeOne(client);
    client->putChar(Taken);
    client->disconnectFromServer();
    // Queued: opening the files may show a dialog, which must not run inside the socket's
    // own signal.
    QMetaObject::invokeMethod(
        this, [this, files] { emit filesArrived(files); }, Qt::QueuedConnection);
}

void SingleWindowServer::drop(QLocalSocket *client)
{
    clients.removeOne(client);
    client->abort();
    client->deleteLater();
}
