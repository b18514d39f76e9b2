#ifndef NUMBEROPTION_H
#define NUMBEROPTION_H

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

// The option's value as a whole number from least to most; false, with *problem set, when
// it is not one.
bool wholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int least,
                 int most, int *value, QString *problem);

// The option's value as a size limit in bytes (see sizeTextToBytes); 0 when the option is
// not given. False, with *problem set, when it is not a size.
bool sizeLimit(const QCommandLineParser &parser, const QCommandLineOption &option,
               qint64 *bytes, QString *problem);

#endif
