#include "platform/UserSettings.h"

#include <QSettings>

QString UserSettings::defaultFileName()
{
    // The native format is an INI file named .conf on this platform (IniFormat would name it .ini).
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("pictomine"),
                     QStringLiteral("pictomine"))
        .fileName();
}

QString UserSettings::value(const QString& key) const
{
    return QSettings(m_fileName, QSettings::NativeFormat).value(key).toString();
}

bool UserSettings::setValue(const QString& key, const QString& value) const
{
    QSettings settings(m_fileName, QSettings::NativeFormat);
    settings.setValue(key, value);
    settings.sync();
    return settings.status() == QSettings::NoError;
}
