#include "workers/gifjob.h"

#include "rules/framedelay.h"
#include "workers/framecompose.h"
#include "workers/framefile.h"

GifJob makeGifJob(const QString &gifFilePath, const QList<FrameSource> &frames,
                  const GifJobChoices &choices)
{
    GifJob job;
    job.gifFilePath = gifFilePath;
    job.frames = frames;
    job.delay = delayForFrameRate(choices.frameRate);
    QList<QSize> sizes;
    for (int i = 0; i < job.frames.size(); ++i) {
        FrameSource &frame = job.frames[i];
        sizes << frame.size;
        if (frame.delay < 0)
            frame.delay = delayOfFrame(choices.frameRate, i);
    }
    job.canvas = canvasForPictures(sizes, choices);
    job.choices = choices;
    return job;
}

GifJob makeStreamGifJob(const QString &gifFilePath, std::shared_ptr<FrameStream> stream,
                        const QSize &frameSize, const GifJobChoices &choices)
{
    GifJob job;
    job.gifFilePath = gifFilePath;
    job.stream = std::move(stream);
    job.canvas = frameSize;
    job.delay = delayForFrameRate(choices.frameRate);
    job.choices = choices;
    return job;
}

QSize canvasForPictures(const QList<QSize> &pictures, const GifJobChoices &choices)
{
    QSize canvas = MinGifCanvas;
    for (const QSize &picture : pictures)
        canvas = canvas.expandedTo(resizedPicture(picture, choices.resize));
    return canvas;
}

bool framesMayBeClear(const QList<FrameSource> &frames, const QSize &canvas,
                      const GifJobChoices &choices)
{
    const QRect whole(QPoint(0, 0), canvas);
    for (const FrameSource &frame : frames) {
        if (placedRect(frame.size, canvas, choices) != whole)
            return true;
        if (frame.path.isEmpty() ? frame.image.hasAlphaChannel()
                                 : pictureMayHaveAlpha(frame.path))
            return true;
    }
    return false;
}
