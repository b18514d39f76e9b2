#ifndef CREATECOMMAND_H
#define CREATECOMMAND_H

#include <QStringList>

// lumorra create -o OUT.gif [--fps N] [--no-sort] [--smaller] [--quiet] IMAGE...
// Makes the GIF the images page makes of the same images at the same rate, byte for byte.
// arguments start with "create". Returns the exit status.
int runCreateCommand(const QStringList &arguments);

#endif
