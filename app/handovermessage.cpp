#include "app/handovermessage.h"

#include <QDir>
#include <QIODevice>
#include <QTextCodec>
#include <QtEndian>

namespace {

QByteArray withLength(const QByteArray &paths)
{
    QByteArray message(HandOverHeaderBytes, '\0');
    qToBigEndian<quint32>(quint32(paths.size()), message.data());
    return message + paths;
}

// The paths of a message's body; false when it holds anything else.
bool parsePaths(const QByteArray &body, QStringList *files)
{
    if (!body.isEmpty() && !body.endsWith('\0'))
        return false;
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QStringList paths;
    int start = 0;
    while (start < body.size()) {
        const int end = body.indexOf('\0', start);
        QTextCodec::ConverterState state;
        const QString path = utf8->toUnicode(body.constData() + start, end - start, &state);
        if (state.invalidChars > 0 || state.remainingChars > 0 || !QDir::isAbsolutePath(path))
            return false;
        paths << path;
        start = end + 1;
    }
    *files = paths;
    return true;
}

} // namespace

QList<QByteArray> handOverMessages(const QStringList &files)
{
    QList<QByteArray> messages;
    QByteArray paths;
    for (const QString &file : files) {
        const QByteArray path = file.toUtf8() + '\0';
        if (path.size() > MostHandOverBytes)
            continue;
        if (paths.size() + path.size() > MostHandOverBytes) {
            messages << withLength(paths);
            paths.clear();
        }
        paths += path;
    }
    if (messages.isEmpty() || !paths.isEmpty())
        messages << withLength(paths);
    return messages;
}

HandOverRead readHandOver(QIODevice *device, QStringList *files)
{
    const qint64 received = device->bytesAvailable();
    if (received < HandOverHeaderBytes)
        return HandOverRead::Incomplete;
    char header[HandOverHeaderBytes];
    if (device->peek(header, HandOverHeaderBytes) != HandOverHeaderBytes)
        return HandOverRead::Junk;
    const quint32 length = qFromBigEndian<quint32>(header);
    if (length > quint32(MostHandOverBytes) || received > HandOverHeaderBytes + qint64(length))
        return HandOverRead::Junk;
    if (received < HandOverHeaderBytes + qint64(length))
        return HandOverRead::Incomplete;
    device->skip(HandOverHeaderBytes);
    return parsePaths(device->read(length), files) ? HandOverRead::Complete
                                                   : HandOverRead::Junk;
}
