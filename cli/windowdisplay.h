#ifndef WINDOWDISPLAY_H
#define WINDOWDISPLAY_H

#include <QStringList>

// Whether the window has a display to open on. On Linux Qt's default platform needs
// DISPLAY or WAYLAND_DISPLAY (or a -display argument); a platform chosen by
// QT_QPA_PLATFORM or -platform is left to Qt. Elsewhere there always is one. Decided
// before an application object exists, which would end the program without one.
bool displayFound(const QStringList &arguments);

// Says on standard error that the window needs a display and what works without one;
// returns the exit status.
int failNoDisplay();

#endif
