#ifndef CREATECOMMAND_H
#define CREATECOMMAND_H

#include <QStringList>

// lumorra create -o OUT.gif [--fps N | --delays FILE] [--loop forever|N] [--place P]
//                [--width W] [--height H] [--no-sort] [--smaller] [--quiet] IMAGE...
// lumorra create -o OUT.gif --timing FILE [...]
// Makes the GIF the images page makes of the same images with the same choices, byte for
// byte.
// arguments start with "create". Returns the exit status.
int runCreateCommand(const QStringList &arguments);

#endif
