#ifndef STRIPSTATE_H
#define STRIPSTATE_H

#include "pages/imageitem.h"

#include <QList>

// What the edits of the strip change: its frames in order, each with its delay, and the
// frame rate the delays not set one by one come from.
struct StripState
{
    QList<StripImage> frames;
    int frameRate = 10;
};

// What undo and redo act on: a strip that tells its state and shows another.
class StripStateHolder
{
public:
    virtual ~StripStateHolder() = default;
    virtual StripState state() const = 0;
    virtual void showState(const StripState &state) = 0;
};

// The same frames in the same order with the same delays, and the same rate.
bool operator==(const StripState &a, const StripState &b);

// What each edit makes of a state. Places are positions of frames, in increasing order.
// The frames at the places go together, in their order, to position to among the others.
StripState withFramesMoved(const StripState &state, const QList<int> &places, int to);
StripState withoutFrames(const StripState &state, const QList<int> &places);
// The frames at the places in the reverse order, in the same places.
StripState withFramesReversed(const StripState &state, const QList<int> &places);
// The frames at the places with a delay of their own, in hundredths of a second.
StripState withDelay(const StripState &state, const QList<int> &places, int delay);
// Every frame's delay from the rate.
StripState atFrameRate(const StripState &state, int rate);

#endif
