#include "platform/UserSettings.h"

#include <QSettings>

namespace
{

// The native format is an INI file named .conf on this platform (IniFormat would name it .ini).
QSettings open()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pictomine"),
                     QStringLiteral("pictomine"));
}

} // namespace

QString UserSettings::fileName()
{
    return open().fileName();
}

QString UserSettings::value(const QString& key)
{
    return open().value(key).toString();
}

bool UserSettings::setValue(const QString& key, const QString& value)
{
    QSettings settings = open();
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
