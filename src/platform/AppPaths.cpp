#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

#ifndef PICTOMINE_SHIPPED_DATA
#define PICTOMINE_SHIPPED_DATA "../share/pictomine"
#endif

namespace
{
// Whether a file can really be created in the folder (access bits say nothing for root, nor for
// a read-only file system).
bool canWriteIn(const QString& folder)
{
    QTemporaryFile probe(folder + "/.pictomine-write-test-XXXXXX");
    return probe.open();
}

QString cannotWrite(const QString& folder, const QString& why)
{
    return QStringLiteral("Pictomine cannot write to its folder %1: %2.\n\n"
                          "Choose a folder it can write to with --home DIR or the PICTOMINE_HOME "
                          "environment variable.")
        .arg(QDir::toNativeSeparators(folder), why);
}
} // namespace

AppPaths::Choice AppPaths::choose(const QString& homeOption)
{
    return choose(homeOption, qEnvironmentVariable("PICTOMINE_HOME"), programFolder(),
                  QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
}

AppPaths::Choice AppPaths::choose(const QString& homeOption, const QString& environment,
                                  const QString& programFolder, const QString& userDataFolder)
{
    if (!homeOption.isEmpty())
        return {homeOption, Origin::HomeOption};
    if (!environment.isEmpty())
        return {environment, Origin::Environment};
    const QFileInfo cache(programFolder + "/Icons");
    if (cache.isDir() && canWriteIn(cache.filePath()))
        return {programFolder, Origin::ProgramFolder};
    return {userDataFolder, Origin::UserData};
}

QString AppPaths::defaultRoot(const QString& homeOption)
{
    return choose(homeOption).folder;
}

AppPaths::AppPaths(const QString& root, const QStringList& shipped)
    : m_root(root.isEmpty() ? programFolder() : QDir(root).absolutePath()),
      m_shipped(shipped.isEmpty() ? defaultShippedFolders() : shipped)
{
}

void AppPaths::ensureLayout() const
{
    for (const QString& dir : {icons(), images(), downloads(), sizes()})
        QDir().mkpath(dir);
}

QString AppPaths::prepare() const
{
    for (const QString& dir : {root(), icons(), images(), downloads(), sizes()}) {
        if (!QDir().mkpath(dir))
            return cannotWrite(dir, QStringLiteral("the folder cannot be created"));
    }
    // A fresh folder starts from the keyword list the program ships; an existing one is kept.
    if (!QFile::exists(goodLuck())) {
        const QString shipped = locate(QStringLiteral("GoodLuck.txt"));
        if (shipped != goodLuck() && QFile::copy(shipped, goodLuck()))
            QFile::setPermissions(goodLuck(), QFile::permissions(goodLuck()) | QFile::WriteOwner);
    }
    for (const QString& dir : {root(), icons(), downloads(), sizes()}) {
        if (!canWriteIn(dir))
            return cannotWrite(dir, QStringLiteral("no file can be created there"));
    }
    return {};
}

QString AppPaths::programFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    // Before the application object exists: the running executable, links resolved.
    return QFileInfo(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))).absolutePath();
}

QStringList AppPaths::defaultShippedFolders()
{
    const QString program = programFolder();
    return {program, QDir::cleanPath(program + "/" + QStringLiteral(PICTOMINE_SHIPPED_DATA))};
}

QString AppPaths::locate(const QString& relative) const
{
    const QString own = m_root + "/" + relative;
    if (QFileInfo::exists(own))
        return own;
    for (const QString& folder : m_shipped) {
        const QString candidate = folder + "/" + relative;
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return own;
}

QString AppPaths::icons() const
{
    return m_root + "/Icons";
}
QString AppPaths::images() const
{
    return m_root + "/Images";
}
QString AppPaths::downloads() const
{
    return m_root + "/Downloads";
}
QString AppPaths::sizes() const
{
    return m_root + "/Sizes";
}
QString AppPaths::goodLuck() const
{
    return m_root + "/GoodLuck.txt";
}
QString AppPaths::spinnerFrame(int n) const
{
    return locate("Images/load" + QString::number(n) + ".png");
}
