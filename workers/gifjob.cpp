#include "workers/gifjob.h"

#include "rules/framedelay.h"

GifJob makeGifJob(const QString &gifFilePath, const QList<FrameSource> &frames,
                  const GifJobChoices &choices)
{
    GifJob job;
    job.gifFilePath = gifFilePath;
    job.frames = frames;
    job.canvas = MinGifCanvas;
    job.delay = delayForFrameRate(choices.frameRate);
    for (FrameSource &frame : job.frames) {
        job.canvas = job.canvas.expandedTo(frame.size);
        if (frame.delay < 0)
            frame.delay = job.delay;
    }
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
