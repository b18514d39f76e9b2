#ifndef HANDOVERMESSAGE_H
#define HANDOVERMESSAGE_H

#include <QByteArray>
#include <QList>
#include <QStringList>

class QIODevice;

// What a later start sends the running window: the length of the rest in 4 bytes
// (big-endian), then each absolute path in UTF-8 followed by a zero byte. Nothing after
// the length hands over no file.
const int HandOverHeaderBytes = 4;
// The most a message may hold after its length. A message of more is refused before any of
// it is read, so that no client can make the window take much memory or time.
const int MostHandOverBytes = 1 << 20;

// The messages that carry the files, in order, each within MostHandOverBytes; always one
// at least. A path too long for a message of its own is left out.
QList<QByteArray> handOverMessages(const QStringList &files);

enum class HandOverRead {
    Incomplete, // wait for more
    Complete,   // the message was read; files holds its paths
    Junk        // not a message of ours, or more than one: drop the client
};

// Reads one message from what the device has received, and nothing of an incomplete one.
HandOverRead readHandOver(QIODevice *device, QStringList *files);

#endif
