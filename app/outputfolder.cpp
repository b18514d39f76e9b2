#include "app/outputfolder.h"

#include "app/messagequestions.h"

#include <QCoreApplication>
#include <QDir>

bool makeOutputFolder(const QString &folder)
{
    if (QDir().mkpath(folder))
        return true;
    showNotice(QCoreApplication::translate("OutputFolder",
                                           "Failed, the output folder %1 could not be created.")
                   .arg(QDir::toNativeSeparators(folder)),
               QCoreApplication::translate("OutputFolder", "OK"));
    return false;
}

void showCannotWriteInto(const QString &folder)
{
    showNotice(QCoreApplication::translate("OutputFolder", "Failed, could not write into %1.")
                   .arg(QDir::toNativeSeparators(folder)),
               QCoreApplication::translate("OutputFolder", "OK"));
}
