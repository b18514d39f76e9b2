#include "cli/numberoption.h"

#include "rules/sizetext.h"

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

bool sizeLimit(const QCommandLineParser &parser, const QCommandLineOption &option,
               qint64 *bytes, QString *problem)
{
    *bytes = 0;
    if (!parser.isSet(option) || sizeTextToBytes(parser.value(option), bytes))
        return true;
    *problem = QStringLiteral("--%1 takes a size in bytes, or with K or M (10M), not '%2'")
                   .arg(option.names().first(), parser.value(option));
    return false;
}
