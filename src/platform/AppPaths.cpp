#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>

QString AppPaths::s_root;

void AppPaths::setRoot(const QString& folder)
{
    s_root = folder.isEmpty() ? QString() : QDir(folder).absolutePath();
}

QString AppPaths::defaultRoot(const QString& homeOption)
{
    if (!homeOption.isEmpty())
        return homeOption;
    const QString env = qEnvironmentVariable("PICTOMINE_HOME");
    if (!env.isEmpty())
        return env;
    return QCoreApplication::applicationDirPath();
}

void AppPaths::ensureLayout()
{
    for (const QString& dir : {icons(), images(), downloads(), sizes()})
        QDir().mkpath(dir);
}

QString AppPaths::root()
{
    return s_root.isEmpty() ? QCoreApplication::applicationDirPath() : s_root;
}

QString AppPaths::icons()
{
    return root() + "/Icons";
}
QString AppPaths::images()
{
    return root() + "/Images";
}
QString AppPaths::downloads()
{
    return root() + "/Downloads";
}
QString AppPaths::sizes()
{
    return root() + "/Sizes";
}
QString AppPaths::goodLuck()
{
    return root() + "/GoodLuck.txt";
}
QString AppPaths::spinnerFrame(int n)
{
    return images() + "/load" + QString::number(n) + ".png";
}
