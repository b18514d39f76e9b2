#ifndef ENGINETESTHELPERS_H
#define ENGINETESTHELPERS_H

#include "encoder/gifoptions.h"
#include "workers/gifcreaterthread.h"

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>
#include <QVector>

class QRandomGenerator;
class QSignalSpy;
class QThread;

// Frames, files and worker runs that several engine tests share.

// One opaque colour, in the RGBA form the encoder takes.
QImage flatFrame(int width, int height, QRgb colour);

// Every byte random, the 4th included (the encoder must ignore it unless it is told that
// the 4th byte is alpha).
QImage noisyFrame(int width, int height, QRandomGenerator *random);

// The image as Format_RGBA8888 with every alpha at 255.
QImage opaqueFrame(const QImage &image);

// The whole file, or nothing when it cannot be read.
QByteArray readFile(const QString &path);

// Writes the file whole; false when it cannot be.
bool writeFile(const QString &path, const QByteArray &bytes);

// Encodes the frames as the creation job does and returns whether the file was written.
bool encodeFrames(const QString &path, const QVector<QImage> &frames, QSize canvas,
                  int delay = 10, int depth = 8, const GifOptions &options = GifOptions());

// Encodes the frames into path with the options, recording after each frame what the
// encoder says a viewer shows: the RGB of previousFrame, alpha 255 where the viewer shows a
// colour, else 0 (never drawn, or cleared). written, when given, receives encodeFrame's
// answer per frame. levels, when given, holds the quality level of each frame after the
// first.
QVector<QImage> encodeRecordingShown(const QString &path, const QVector<QImage> &frames,
                                     QSize canvas, QVector<bool> *written = nullptr,
                                     const GifOptions &options = GifOptions(),
                                     const QVector<int> &levels = {});

// The progress values a worker's updateprogress spy recorded, in order.
QList<int> progressOf(const QSignalSpy &spy);

// Starts the worker and waits for its end: true when it ended within a minute and emitted
// finished() exactly once.
bool runToEnd(QThread *worker);
// The same for a creation job.
bool runToEnd(GifCreaterThread *worker, const GifJob &job);

// The job of the images as the page makes it: the canvas from their sizes, every frame
// shown for delay hundredths of a second (0 also leaves out the looping extension).
GifJob imagesJob(const QString &gifPath, const QList<QImage> &images, int delay = 10);

#endif
