#ifndef GIFLAYOUT_H
#define GIFLAYOUT_H

#include <QList>
#include <QSize>
#include <QString>

// What a GIF file declares about its pictures, read from its block structure without
// decoding any of them: enough to refuse a hostile file before it costs memory, and to tell
// a file that ends early from a whole one (the image reader returns a frame cut off by the
// end of the file as if it were complete).
struct GifLayout
{
    bool isGif = false;   // a GIF signature and a whole logical screen descriptor
    QSize canvas;         // the logical screen, grown to hold every frame's rectangle
    int wholeFrames = 0;  // frames from the start whose blocks are all there
    bool intact = false;  // the blocks run without a break up to the trailer
    QList<int> delays;    // per whole frame, hundredths of a second; 0 without a control block
    int loopCount = -1;   // of the looping extension: 0 for ever, n repeats; -1 without one
};

GifLayout readGifLayout(const QString &path);

// Whether the file starts with a GIF signature; reads only its first bytes.
bool startsLikeGif(const QString &path);

#endif
