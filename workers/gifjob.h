#ifndef GIFJOB_H
#define GIFJOB_H

#include "encoder/gifoptions.h"

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

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

// Where a picture smaller than the canvas goes (see placedRect in framecompose.h): at the
// top-left corner, in the middle, or scaled as large as fits with its proportions kept and
// centred. The rest of the canvas is clear.
enum class Placement { TopLeft, Centred, ScaledToFit };

// What a user chooses for a GIF of pictures: the images page's controls and the options of
// `lumorra create` set it, and it reaches the worker whole. A new choice is a field here.
struct GifJobChoices
{
    int frameRate = 10;   // frames per second, MinFrameRate to MaxFrameRate
    Placement placement = Placement::TopLeft;
    // The size pictures are drawn at (see resizedPicture in framecompose.h): 0 x 0 keeps
    // their own; a width or a height alone (the other 0) keeps their proportions; both fit
    // them within that box, proportions kept.
    QSize resize = QSize(0, 0);
    GifOptions encoding;  // how the encoder writes the frames
};

// One creation job, as the worker takes it when it starts.
struct GifJob
{
    QString gifFilePath;
    QList<FrameSource> frames; // in playing order
    QSize canvas;
    int delay = 10;            // of the frame rate on average, in hundredths of a second
    GifJobChoices choices;
};

// A GIF's canvas is as large as its largest frame, and at least this large.
const QSize MinGifCanvas(20, 20);

// The job of writing gifFilePath from the frames with the choices: the canvas is
// canvasForPictures of their sizes (framecompose.h); a frame without a delay of its own
// gets delayOfFrame of the frame rate at its place (rules/framedelay.h).
GifJob makeGifJob(const QString &gifFilePath, const QList<FrameSource> &frames,
                  const GifJobChoices &choices);

#endif
