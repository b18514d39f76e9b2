#ifndef RESOLVECOMMAND_H
#define RESOLVECOMMAND_H

#include <QStringList>

// lumorra resolve IN.gif [-o DIR] [--quiet]
// Writes every frame of the GIF as 1.png, 2.png, ... as Resolve GIF does in the window.
// arguments start with "resolve". Returns the exit status.
int runResolveCommand(const QStringList &arguments);

#endif
