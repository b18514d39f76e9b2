#ifndef GIFLAYOUT_H
#define GIFLAYOUT_H

#include <QList>
#include <QSize>
#include <QString>

// What a GIF file declares about its pictures, read from its block structure and a cheap
// pass over each frame's LZW codes: enough to refuse a hostile file before it costs
// memory, and to tell a damaged file from a whole one (the image reader returns a frame
// whose data is defective or cut off as if it were complete, filling in what is missing).
struct GifLayout
{
    bool isGif = false;   // a GIF signature and a whole logical screen descriptor
    QSize canvas;         // the logical screen, grown to hold every frame's rectangle
    // Frames from the start whose blocks are all there and whose image data is valid and
    // gives every pixel; a frame without pixels counts as damaged.
    int wholeFrames = 0;
    bool intact = false;  // every frame whole, and the blocks run up to the trailer
    QList<int> delays;    // per whole frame, hundredths of a second; 0 without a control block
    // Per whole frame, the offset of the byte after its image data: the first takes the
    // header and the blocks before it, every other the blocks since the frame before.
    QList<qint64> frameEnds;
    int loopCount = -1;   // of the looping extension: 0 for ever, n repeats; -1 without one
};

GifLayout readGifLayout(const uchar *data, qint64 size);
GifLayout readGifLayout(const QString &path);

// Whether the file starts with a GIF signature; reads only its first bytes.
bool startsLikeGif(const QString &path);

#endif
