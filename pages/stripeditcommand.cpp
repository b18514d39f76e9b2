#include "pages/stripeditcommand.h"

#include "pages/viewimagewidget.h"

#include <QSet>

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

StripEditCommand::StripEditCommand(ViewImageWidget *strip, const StripState &before,
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
