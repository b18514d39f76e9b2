#include "support/gifbytes.h"

namespace {

int colourTableSize(char flags)
{
    return flags & 0x80 ? 3 << ((flags & 7) + 1) : 0;
}

int skipSubBlocks(const QByteArray &gif, int at)
{
    while (at < gif.size() && gif[at] != 0)
        at += uchar(gif[at]) + 1;
    return at + 1;
}

void appendWord(QByteArray *gif, int value)
{
    gif->append(char(value & 0xFF)).append(char(value >> 8));
}

} // namespace

int frameDataOffset(const QByteArray &gif, int frame)
{
    int at = 13 + colourTableSize(gif[10]);
    while (at < gif.size()) {
        if (gif[at] == 0x21) {
            at = skipSubBlocks(gif, at + 2);
        } else if (gif[at] == 0x2C) {
            const int data = at + 10 + colourTableSize(gif[at + 9]);
            if (frame-- == 0)
                return data;
            at = skipSubBlocks(gif, data + 1);
        } else {
            break;
        }
    }
    return -1;
}

QByteArray onePixelFramesGif(QSize canvas, int count)
{
    QByteArray gif("GIF89a");
    appendWord(&gif, canvas.width());
    appendWord(&gif, canvas.height());
    gif.append("\x80\0\0", 3);                  // a global table of two colours
    gif.append("\xff\0\0\0\0\xff", 6);          // red, blue
    for (int i = 0; i < count; ++i) {
        gif.append(',');
        appendWord(&gif, i % canvas.width());
        appendWord(&gif, i / canvas.width() % canvas.height());
        appendWord(&gif, 1);
        appendWord(&gif, 1);
        gif.append('\0');
        // Code size 2; the codes clear, colour i % 2, end, packed as 3-bit codes.
        gif.append(i % 2 ? "\x02\x02\x4C\x01\0" : "\x02\x02\x44\x01\0", 5);
    }
    gif.append(';');
    return gif;
}

QByteArray withFrameData(const QByteArray &gif, int frame, const QByteArray &data)
{
    const int start = frameDataOffset(gif, frame);
    const int end = skipSubBlocks(gif, start + 1);
    return gif.left(start) + data + gif.mid(end);
}

QByteArray repeatedFrameGif(QSize canvas, QSize frame, int count, const QByteArray &localTable,
                            const QByteArray &data)
{
    QByteArray descriptor(",\0\0\0\0", 5);
    appendWord(&descriptor, frame.width());
    appendWord(&descriptor, frame.height());
    // A table of 2^k colours is announced as k - 1.
    int sizeCode = 0;
    while (localTable.size() > 3 << (sizeCode + 1))
        sizeCode++;
    descriptor.append(localTable.isEmpty() ? '\0' : char(0x80 | sizeCode));
    const QByteArray each = descriptor + localTable + data;

    QByteArray gif("GIF89a");
    appendWord(&gif, canvas.width());
    appendWord(&gif, canvas.height());
    gif.append("\x80\0\0\0\0\0\xff\xff\xff", 9); // black and white
    gif.reserve(gif.size() + count * each.size() + 1);
    for (int i = 0; i < count; ++i)
        gif.append(each);
    gif.append(';');
    return gif;
}
