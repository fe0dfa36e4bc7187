#include "platform/UserSettings.h"

#include <QSettings>

namespace
{

QSettings open()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("pictomine"),
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
