#ifndef NUMBEROPTION_H
#define NUMBEROPTION_H

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QString>

// The option's value as a whole number from least to most; false, with *problem set, when
// it is not one.
bool wholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int least,
                 int most, int *value, QString *problem);

#endif
