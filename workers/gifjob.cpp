#include "workers/gifjob.h"

#include "rules/framedelay.h"
#include "workers/framecompose.h"

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
