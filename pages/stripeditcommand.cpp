#include "pages/stripeditcommand.h"

#include <QSet>

StripEditCommand::StripEditCommand(StripStateHolder *strip, const StripState &before,
                                   const StripState &after)
    : strip(strip), before(before), after(after)
{
}

void StripEditCommand::undo()
{
    show(before, after);
}

void StripEditCommand::redo()
{
    show(after, before);
}

void StripEditCommand::show(const StripState &state, const StripState &other)
{
    QSet<int> known;
    for (const QList<StripImage> *frames : {&state.frames, &other.frames}) {
        for (const StripImage &frame : *frames)
            known << frame.id;
    }
    StripState shown = state;
    for (const StripImage &frame : strip->state().frames) {
        if (!known.contains(frame.id))
            shown.frames << frame;
    }
    strip->showState(shown);
}
