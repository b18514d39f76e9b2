#ifndef FRAMETHINNING_H
#define FRAMETHINNING_H

#include "workers/gifjob.h"

#include <QList>

// Fewer frames for a smaller GIF: kept of every total frames stay, spread evenly, and each
// shows for as long as the frames dropped after it too, so the GIF lasts as long.

// Most hundredths of a second a GIF's frame can show.
const int MaxFrameDelay = 65535;

// Whether frame index (from 0) stays when kept of total frames do. The first always stays;
// kept == total keeps all. Indices past total go on in the same pattern.
bool frameKept(int index, int kept, int total);

// The index of the frame that stays at place (from 0) among those that do.
int keptFrameIndex(int place, int kept, int total);

// The frames that stay when kept of them do, each with the delays of the frames dropped
// after it added to its own (at most MaxFrameDelay). Every frame must have its delay.
QList<FrameSource> thinnedFrames(const QList<FrameSource> &frames, int kept);

#endif
