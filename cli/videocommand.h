#ifndef VIDEOCOMMAND_H
#define VIDEOCOMMAND_H

#include <QStringList>

// lumorra video CLIP -o OUT.gif [--start T] [--duration D] [--width W] [--height H]
//                    [--fps N] [--quality Q] [--max-size SIZE] [--quiet]
// Makes the GIF the video page makes of the clip with the same choices. arguments start
// with "video". Returns the exit status.
int runVideoCommand(const QStringList &arguments);

#endif
