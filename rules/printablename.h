#ifndef PRINTABLENAME_H
#define PRINTABLENAME_H

#include <QString>

// The text with every control character written as an escape ("\n", "\t", "\r", or "\x1b"
// style; "\u202e" for the marks that reverse the direction of text), so that a file name
// can neither move the cursor of a terminal nor break or reorder the line that shows it.
QString printableName(const QString &text);

#endif
