#ifndef GIFFRAMEREADER_H
#define GIFFRAMEREADER_H

#include "workers/giflayout.h"

#include <QImage>
#include <QImageReader>

class QIODevice;

// Reads a GIF's frames as a viewer shows them, each composed over the ones before, once
// its layout has been checked: a hostile file is refused before anything is decoded, and
// only the frames whose blocks and image data our own pass found whole are decoded.
class GifFrameReader
{
public:
    enum class Problem {
        None,
        NotAGif,     // no GIF signature, or no whole logical screen descriptor
        TooLarge,    // over the canvas or total size limits
        NoWholeFrame // the first frame is already damaged
    };

    // device is open for reading, at the start of the file.
    explicit GifFrameReader(QIODevice *device);

    const GifLayout &layout() const { return fileLayout; }
    Problem problem() const;

    // The next whole frame; null after the last one or when the image reader fails.
    QImage readFrame();

private:
    GifLayout fileLayout;
    QImageReader reader;
    int framesRead = 0;
};

#endif
