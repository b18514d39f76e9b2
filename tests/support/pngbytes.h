#ifndef PNGBYTES_H
#define PNGBYTES_H

#include <QByteArray>

// PNG files put together chunk by chunk, for variants and damage.

quint32 crc32(const QByteArray &bytes);

QByteArray bigEndian(quint32 value);

// A chunk: length, type, data and CRC.
QByteArray chunk(const char *type, const QByteArray &data);

#endif
