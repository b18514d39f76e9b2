#ifndef UNKNOWNOPTION_H
#define UNKNOWNOPTION_H

#include <QStringList>

// The argument that brought the parser its first unknown option, as the user typed it:
// "--bogus" for "--bogus=1", "-dash.png" for the letters d, a, s, ... that Qt's parser
// reads out of it. unknownNames are the parser's, in the order it met them; empty when no
// argument before "--" fits.
QString unknownOptionAsTyped(const QStringList &unknownNames, const QStringList &arguments);

// Whether an argument taken for an option is more likely a file whose name starts with "-".
bool looksLikeFileName(const QString &argument);

#endif
