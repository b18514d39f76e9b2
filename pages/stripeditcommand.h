#ifndef STRIPEDITCOMMAND_H
#define STRIPEDITCOMMAND_H

#include "pages/imageitem.h"

#include <QList>
#include <QUndoCommand>

class ViewImageWidget;

// What an edit of the strip changes: its frames in order, each with its delay, and the
// frame rate the delays not set one by one come from.
struct StripState
{
    QList<StripImage> frames;
    int frameRate = 10;
};

// The same frames in the same order with the same delays, and the same rate.
bool operator==(const StripState &a, const StripState &b);

// One edit of the strip (a move, a deletion, a reversal, delays, the frame rate), undone and
// done again by showing the state before or after it. Frames imported since the edit are
// neither: they stay, after the others, in the order they have.
class StripEditCommand : public QUndoCommand
{
public:
    StripEditCommand(ViewImageWidget *strip, const StripState &before, const StripState &after);

    void undo() override;
    void redo() override;

private:
    void show(const StripState &state, const StripState &other);

    ViewImageWidget *strip;
    StripState before;
    StripState after;
};

#endif
