#ifndef ENCODERPATH_H
#define ENCODERPATH_H

#include <QByteArray>
#include <QFile>
#include <QString>

// A file's name as the encoder opens it (openGifStream): UTF-8 on Windows, which the
// encoder widens; elsewhere the name's bytes as they are on disk, which need not be UTF-8.
inline QByteArray encoderPath(const QString &path)
{
#ifdef Q_OS_WIN
    return path.toUtf8();
#else
    return QFile::encodeName(path);
#endif
}

#endif
