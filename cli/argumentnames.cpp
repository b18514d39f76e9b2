#include "cli/argumentnames.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextCodec>

#ifndef Q_OS_WIN
#include <langinfo.h>
#endif

namespace {

#ifndef Q_OS_WIN
// The C library's plain ASCII, which the C and POSIX locales use.
bool localeIsPlainAscii()
{
    const QByteArray codeset = nl_langinfo(CODESET);
    return codeset == "ANSI_X3.4-1968" || codeset == "ASCII" || codeset == "US-ASCII";
}
#endif

} // namespace

QStringList commandArguments(int argc, char *argv[], QString *lost)
{
#ifdef Q_OS_WIN
    // Windows hands the arguments over as UTF-16, and Qt reads them from there.
    Q_UNUSED(argc);
    Q_UNUSED(argv);
    Q_UNUSED(lost);
    return QCoreApplication::arguments();
#else
    if (localeIsPlainAscii())
        QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    QStringList arguments;
    for (int i = 0; i < argc; ++i) {
        const QByteArray bytes(argv[i]);
        const QString name = QFile::decodeName(bytes);
        if (QFile::encodeName(name) != bytes) {
            *lost = name;
            return QStringList();
        }
        arguments << name;
    }
    return arguments;
#endif
}
