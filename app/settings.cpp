#include "app/settings.h"

#include <QSettings>

namespace {

// A fresh settings object per call, so that what one page writes the next call anywhere sees.
QVariant storedValue(const char *key)
{
    return QSettings(organizationName, applicationName).value(QLatin1String(key));
}

void store(const char *key, const QVariant &value)
{
    QSettings(organizationName, applicationName).setValue(QLatin1String(key), value);
}

}

bool readSetting(const BoolSetting &setting)
{
    const QVariant stored = storedValue(setting.key);
    if (stored.userType() == QMetaType::Bool)
        return stored.toBool();
    // INI files and the registry give booleans back as text, as earlier versions wrote them.
    const QString text = stored.toString();
    if (text == QLatin1String("true"))
        return true;
    if (text == QLatin1String("false"))
        return false;
    return setting.defaultValue;
}

int readSetting(const IntSetting &setting)
{
    bool valid = false;
    const int value = storedValue(setting.key).toInt(&valid);
    return valid && value >= setting.least && value <= setting.most ? value
                                                                     : setting.defaultValue;
}

QString readSetting(const TextSetting &setting)
{
    return storedValue(setting.key).toString();
}

QString readSetting(const FolderSetting &setting)
{
    return storedValue(setting.key).toString();
}

void writeSetting(const BoolSetting &setting, bool value)
{
    store(setting.key, value);
}

void writeSetting(const IntSetting &setting, int value)
{
    Q_ASSERT(value >= setting.least && value <= setting.most);
    store(setting.key, value);
}

void writeSetting(const TextSetting &setting, const QString &value)
{
    store(setting.key, value);
}

void writeSetting(const FolderSetting &setting, const QString &folder)
{
    store(setting.key, folder);
}
