#include "controls/ThemeProbe.h"

#include <QApplication>
#include <QStringList>
#include <QStyle>

ThemeCapabilities ThemeProbe::evaluate(const QString& platformName, const QString& styleName,
                                       const QString& themedOverride)
{
    if (themedOverride == QLatin1String("1"))
        return {true, true};
    if (themedOverride == QLatin1String("0"))
        return {true, false};
    static const QStringList headless{"offscreen", "minimal", "minimalegl", "vnc"};
    ThemeCapabilities caps;
    caps.isXP = !platformName.isEmpty() && !headless.contains(platformName, Qt::CaseInsensitive);
    caps.isThemed = caps.isXP && !styleName.isEmpty() &&
                    styleName.compare(QLatin1String("windows"), Qt::CaseInsensitive) != 0;
    return caps;
}

ThemeCapabilities ThemeProbe::detect()
{
    const QString styleName = QApplication::style() ? QApplication::style()->name() : QString();
    return evaluate(QGuiApplication::platformName(), styleName, qEnvironmentVariable("PICTOMINE_THEMED"));
}
