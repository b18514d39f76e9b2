#ifndef ARGUMENTNAMES_H
#define ARGUMENTNAMES_H

#include <QStringList>

// The arguments of a command as Qt's file functions take them; needs a QCoreApplication.
// Under the C or POSIX locale a file name is a string of bytes, which Qt would read as
// UTF-8, losing every byte that is not: there each byte is kept as one character, so that
// any name given can be opened and written, and is printed back as it came. An argument
// that cannot be kept even so (a name that is not UTF-8 under a UTF-8 locale) goes to
// *lost, as Qt reads it, and the arguments are empty.
QStringList commandArguments(int argc, char *argv[], QString *lost);

#endif
