#ifndef STRIPEDITCOMMAND_H
#define STRIPEDITCOMMAND_H

#include "pages/stripstate.h"

#include <QUndoCommand>

// One edit of the strip (a move, a deletion, a reversal, delays, the frame rate), undone and
// done again by showing the state before or after it. Frames imported since the edit are
// neither: they stay, after the others, in the order they have.
class StripEditCommand : public QUndoCommand
{
public:
    StripEditCommand(StripStateHolder *strip, const StripState &before, const StripState &after);

    void undo() override;
    void redo() override;

private:
    void show(const StripState &state, const StripState &other);

    StripStateHolder *strip;
    StripState before;
    StripState after;
};

#endif
