#include "app/languagelist.h"

#include <QFile>
#include <QTextStream>

LanguageList readLanguageList(const QString &configPath)
{
    LanguageList list;
    QFile file(configPath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        list.names << QStringLiteral("English");
        list.codes << QStringLiteral("EN");
        return list;
    }
    QTextStream stream(&file);
    stream.setCodec("UTF-8");
    for (QString line = stream.readLine(); !line.isEmpty(); line = stream.readLine()) {
        const QStringList parts = line.trimmed().split(QLatin1Char('='));
        if (parts.size() < 2)
            continue;
        list.codes << parts.at(0);
        list.names << parts.at(1);
    }
    return list;
}
