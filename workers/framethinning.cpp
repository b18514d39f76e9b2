#include "workers/framethinning.h"

#include <QtGlobal>

bool frameKept(int index, int kept, int total)
{
    // Frame i stays when a new share of total / kept frames starts at it.
    return index == 0
           || qint64(index) * kept / total != (qint64(index) - 1) * kept / total;
}

int keptFrameIndex(int place, int kept, int total)
{
    return int((qint64(place) * total + kept - 1) / kept);
}

QList<FrameSource> thinnedFrames(const QList<FrameSource> &frames, int kept)
{
    const int total = frames.size();
    QList<FrameSource> thinned;
    for (int i = 0; i < total; ++i) {
        if (frameKept(i, kept, total))
            thinned << frames.at(i);
        else
            thinned.last().delay = qMin(MaxFrameDelay, thinned.last().delay + frames.at(i).delay);
    }
    return thinned;
}
