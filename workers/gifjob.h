#ifndef GIFJOB_H
#define GIFJOB_H

#include "workers/framestream.h"
#include "workers/gifjobchoices.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

#include <memory>

// One frame of a job: a picture held in memory, or the file it is read from when the job
// reaches it. Its size decides the canvas.
struct FrameSource
{
    QImage image;    // used when path is empty
    QString path;
    QSize size;
    int delay = -1;  // hundredths of a second; -1: from the job's frame rate

    static FrameSource fromImage(const QImage &image) { return {image, QString(), image.size()}; }
    static FrameSource fromFile(const QString &path, const QSize &size)
    {
        return {QImage(), path, size};
    }
};

// One creation job, as the worker takes it when it starts.
struct GifJob
{
    QString gifFilePath;
    QList<FrameSource> frames; // in playing order
    // Frames that arrive while the job runs, taken instead of frames when set; each shows
    // for its share of the frame rate, so that the GIF lasts as long as the clip.
    std::shared_ptr<FrameStream> stream;
    QSize canvas;              // pictures are composed on it
    // Smaller than canvas when a size limit shrinks every composed frame (shrinkFrame in
    // framecompose.h); empty when frames keep the canvas' size.
    QSize gifSize;
    // The stream's frames that stay, of every expectedFrames() (frameKept in
    // framethinning.h); 0 keeps them all. A list of frames is thinned itself.
    int keptStreamFrames = 0;
    int delay = 10;            // of the frame rate on average, in hundredths of a second
    GifJobChoices choices;

    // The GIF's canvas.
    QSize gifCanvas() const { return gifSize.isEmpty() ? canvas : gifSize; }
};

// A GIF's canvas is as large as its largest frame, and at least this large.
const QSize MinGifCanvas(20, 20);

// The canvas of a job whose pictures have these sizes (their own, before resizing): the
// largest width and the largest height of the resized pictures (resizedPicture in
// framecompose.h), at least MinGifCanvas.
QSize canvasForPictures(const QList<QSize> &pictures, const GifJobChoices &choices);

// True when some frame of the job may show clear pixels: a picture that does not cover the
// canvas, or one that has an alpha channel (files are asked through their header only).
bool framesMayBeClear(const QList<FrameSource> &frames, const QSize &canvas,
                      const GifJobChoices &choices);

// The job of writing gifFilePath from the frames with the choices: the canvas is
// canvasForPictures of their sizes; a frame without a delay of its own
// gets delayOfFrame of the frame rate at its place (rules/framedelay.h).
GifJob makeGifJob(const QString &gifFilePath, const QList<FrameSource> &frames,
                  const GifJobChoices &choices);

// The job of writing gifFilePath from the stream's frames, all of frameSize, which is the
// canvas. A stream that a size limit may need to sample or read again must offer both
// (FrameStream::sampleFrames and restart).
GifJob makeStreamGifJob(const QString &gifFilePath, std::shared_ptr<FrameStream> stream,
                        const QSize &frameSize, const GifJobChoices &choices);

#endif
