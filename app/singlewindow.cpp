#include "app/singlewindow.h"

#include <QDataStream>
#include <QLocalSocket>
#include <QStandardPaths>

namespace {

const char Taken = 'T';
const int ConnectMilliseconds = 1000;
// The running window answers from its event loop, which a large import may keep busy.
const int AnswerMilliseconds = 10000;

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

} // namespace

bool handToRunningWindow(const QStringList &files)
{
    const QString name = socketName();
    if (name.isEmpty())
        return false;
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(ConnectMilliseconds))
        return false;
    QDataStream out(&socket);
    out << files;
    if (!socket.waitForBytesWritten(AnswerMilliseconds))
        return false;
    while (socket.bytesAvailable() == 0) {
        if (!socket.waitForReadyRead(AnswerMilliseconds))
            return false;
    }
    char answer = 0;
    return socket.getChar(&answer) && answer == Taken;
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
    while (QLocalSocket *socket = server.nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QDataStream in(socket);
            QStringList files;
            in.startTransaction();
            in >> files;
            if (!in.commitTransaction())
                return;
            socket->putChar(Taken);
            socket->disconnectFromServer();
            // Queued: opening the files may show a dialog, which must not run inside the
            // socket's own signal.
            QMetaObject::invokeMethod(
                this, [this, files] { emit filesArrived(files); }, Qt::QueuedConnection);
        });
    }
}
