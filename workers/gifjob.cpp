#include "workers/gifjob.h"

#include "rules/framedelay.h"

GifJob makeGifJob(const QString &gifFilePath, const QList<FrameSource> &frames,
                  const GifJobChoices &choices)
{
    GifJob job;
    job.gifFilePath = gifFilePath;
    job.frames = frames;
    job.canvas = MinGifCanvas;
    for (const FrameSource &frame : frames)
        job.canvas = job.canvas.expandedTo(frame.size);
    job.delay = delayForFrameRate(choices.frameRate);
    job.choices = choices;
    return job;
}
