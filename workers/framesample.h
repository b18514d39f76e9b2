#ifndef FRAMESAMPLE_H
#define FRAMESAMPLE_H

#include "workers/gifjob.h"

#include <QImage>
#include <QString>
#include <QVector>

#include <functional>
#include <map>

// Some frames of a job, read out of turn for an estimate of its size (see samplesize.h):
// made as the job makes them, composed on its canvas (composeOnCanvas), from its pictures
// (read on every core) or from its stream (FrameStream::sampleFrames). A frame is read once
// and kept while later loads ask for it.
class FrameSample
{
public:
    // The job must outlive the sample. stopped is asked between pictures.
    FrameSample(const GifJob &job, std::function<bool()> stopped);

    // The number of frames of the job: its pictures, or as many as its stream is expected
    // to give.
    int frameCount() const { return count; }
    // Reads the frames at these places (increasing) not held yet and lets go of the others.
    // False when a picture cannot be read (unreadableFile names it), the stream failed, or
    // reading was stopped. A stream that ends early gives fewer: has() tells.
    bool load(const QVector<int> &places);
    bool has(int place) const { return frames.count(place) > 0; }
    // A frame held, canvas-sized.
    const QImage &frame(int place) const { return frames.at(place); }
    // The bytes of one frame of the canvas.
    qint64 frameBytes() const;

    QString unreadableFile;

private:
    bool loadPictures(const QVector<int> &places);

    const GifJob &job;
    const std::function<bool()> stopped;
    const int count;
    std::map<int, QImage> frames;
};

#endif
