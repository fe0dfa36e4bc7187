#include "platform/CatalogueAddress.h"

#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"

#include <QSettings>

namespace
{
const char* const kKey = "catalogue/address";

// The value as the file holds it: an address holding a comma reads as a list in INI files.
QString settingValue(const QSettings& settings)
{
    const QVariant value = settings.value(QString::fromLatin1(kKey));
    if (value.metaType().id() == QMetaType::QStringList)
        return value.toStringList().join(',');
    return value.toString().trimmed();
}
} // namespace

QString CatalogueAddress::builtIn()
{
    return QStringLiteral(PICTOMINE_BASE_URL);
}

CatalogueAddress CatalogueAddress::resolve(const QString& commandLine, const QString& settingsFile)
{
    CatalogueAddress result;
    if (!commandLine.isEmpty()) {
        result = {commandLine, QStringLiteral("--base-url"), {}};
    } else {
        const QString file = settingsFile.isEmpty() ? UserSettings::defaultFileName() : settingsFile;
        const QSettings settings(file, QSettings::NativeFormat);
        if (settings.status() != QSettings::NoError)
            return {{}, file, QStringLiteral("the settings file cannot be read")};
        const QString configured = settingValue(settings);
        if (configured.isEmpty())
            return {builtIn(), QStringLiteral("built-in default"), {}};
        result = {configured, file, {}};
    }
    QString why;
    if (!SiteAddress::isValidBase(result.address, &why))
        result.error = why;
    return result;
}
