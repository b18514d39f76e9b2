#include "pages/stripstate.h"

bool operator==(const StripState &a, const StripState &b)
{
    if (a.frameRate != b.frameRate || a.frames.size() != b.frames.size())
        return false;
    for (int i = 0; i < a.frames.size(); ++i) {
        if (a.frames.at(i).id != b.frames.at(i).id || a.frames.at(i).delay != b.frames.at(i).delay)
            return false;
    }
    return true;
}

StripState withFramesMoved(const StripState &state, const QList<int> &places, int to)
{
    QList<StripImage> moving;
    QList<StripImage> staying;
    for (int i = 0, next = 0; i < state.frames.size(); ++i) {
        const bool moves = next < places.size() && places.at(next) == i;
        (moves ? moving : staying) << state.frames.at(i);
        next += moves ? 1 : 0;
    }
    to = qBound(0, to, staying.size());
    StripState moved = state;
    moved.frames = staying.mid(0, to) + moving + staying.mid(to);
    return moved;
}

StripState withoutFrames(const StripState &state, const QList<int> &places)
{
    StripState kept = state;
    for (auto place = places.crbegin(); place != places.crend(); ++place)
        kept.frames.removeAt(*place);
    return kept;
}

StripState withFramesReversed(const StripState &state, const QList<int> &places)
{
    StripState reversed = state;
    for (int i = 0; i < places.size(); ++i)
        reversed.frames[places.at(i)] = state.frames.at(places.at(places.size() - 1 - i));
    return reversed;
}

StripState withDelay(const StripState &state, const QList<int> &places, int delay)
{
    StripState delayed = state;
    for (int place : places)
        delayed.frames[place].delay = delay;
    return delayed;
}

StripState atFrameRate(const StripState &state, int rate)
{
    StripState rated = state;
    rated.frameRate = rate;
    for (StripImage &frame : rated.frames)
        frame.delay = -1;
    return rated;
}
