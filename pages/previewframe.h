#ifndef PREVIEWFRAME_H
#define PREVIEWFRAME_H

#include "workers/gifjob.h"

#include <QImage>
#include <QSize>

// The size the preview shows a GIF's canvas at: its own, scaled down with its proportions
// kept where it is larger than area or where frameCount frames of it would take too much
// memory.
QSize previewCanvasSize(const QSize &canvas, const QSize &area, int frameCount);

// A frame of the job as the preview shows it on a canvas of the job's scaled to shown: the
// picture read at the size it is drawn at there, composed as the job composes it, its clear
// parts over a checkerboard. *size receives the picture's full size; null when the file
// cannot be read.
QImage previewFrame(const FrameSource &frame, const GifJob &job, const QSize &shown,
                    QSize *size);

#endif
