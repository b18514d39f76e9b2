#include "cli/numberoption.h"

bool wholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option, int least,
                 int most, int *value, QString *problem)
{
    bool isNumber = false;
    *value = parser.value(option).toInt(&isNumber);
    if (isNumber && *value >= least && *value <= most)
        return true;
    *problem = QStringLiteral("--%1 takes a whole number from %2 to %3, not '%4'")
                   .arg(option.names().first())
                   .arg(least)
                   .arg(most)
                   .arg(parser.value(option));
    return false;
}
