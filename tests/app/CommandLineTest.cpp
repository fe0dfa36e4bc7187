#include "app/CommandLine.h"

#include "support/SiteProcess.h"

#include <QDir>
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace
{
CommandLine parse(QStringList args)
{
    args.prepend("pictomine");
    return CommandLine::parse(args);
}

// Runs the built program with the arguments; returns its exit status and what it printed.
struct ProgramRun {
    int status = -1;
    QString out, err;
};
// configHome: the XDG_CONFIG_HOME the program sees (empty: an empty folder of its own).
ProgramRun runProgram(const QStringList& args, const QString& configHome = {})
{
    QTemporaryDir empty;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", configHome.isEmpty() ? empty.path() : configHome);
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(PICTOMINE_BIN, args);
    ProgramRun r;
    if (!p.waitForFinished(60000))
        return r;
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}
} // namespace

TEST(CommandLine, ParsesEveryOptionInBothFormsAcceptsQtsOwnAndRefusesTheRest)
{
    const CommandLine cl =
        parse({"--base-url", "http://127.0.0.1:9/", "--home", "/tmp/h", "--screenshot", "shot.png"});
    EXPECT_TRUE(cl.error.isEmpty()) << cl.error.toStdString();
    EXPECT_EQ(std::tuple(cl.baseUrl, cl.home, cl.screenshot),
              std::tuple(QString("http://127.0.0.1:9/"), QString("/tmp/h"), QString("shot.png")));
    EXPECT_EQ(parse({"--base-url=http://127.0.0.1:9/"}).baseUrl, "http://127.0.0.1:9/");
    EXPECT_EQ(parse({"--export", "a.png", "b.gif"}).exportArgs, QStringList({"a.png", "b.gif"}));
    EXPECT_EQ(parse({"--home", "h", "--export", "a.png", "b.gif"}).home, "h");
    EXPECT_TRUE(parse({"--help"}).help && parse({"-h"}).help && parse({"--help-all"}).helpAll);
    EXPECT_TRUE(parse({"--version"}).version && parse({"-v"}).version);
    // Qt's own options, with and without values, are left for the application object.
    const CommandLine qt =
        parse({"-platform", "offscreen", "-style=fusion", "-reverse", "--qwindowtitle", "t", "--home", "h"});
    EXPECT_EQ(std::pair(qt.error, qt.home), std::pair(QString(), QString("h")));

    // Unknown options, missing values and stray arguments are errors (the program ends with 2).
    EXPECT_EQ(parse({"--bogus"}).error, "Unknown option 'bogus'.");
    for (const QStringList& wrong :
         {QStringList{"--home"}, QStringList{"--export", "only-one"}, QStringList{"stray"}})
        EXPECT_FALSE(parse(wrong).error.isEmpty()) << wrong.join(' ').toStdString();
}

TEST(CommandLine, TheProgramPrintsItsVersionAndHelpAndRefusesAFolderItCannotWrite)
{
    const ProgramRun version = runProgram({"--version"});
    EXPECT_EQ(version.status, 0);
    EXPECT_TRUE(version.out.startsWith("pictomine ")) << version.out.toStdString();
    EXPECT_TRUE(version.out.trimmed().split(' ').last().contains('.'));
    // The help lists our options, not Qt's; --help-all adds them.
    const ProgramRun help = runProgram({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* option :
         {"--base-url <URL>", "--home <DIR>", "--screenshot <FILE>", "--export", "--version"})
        EXPECT_TRUE(help.out.contains(option)) << option;
    EXPECT_FALSE(help.out.contains("-platform"));
    EXPECT_TRUE(runProgram({"--help-all"}).out.contains("-platform <name[:options]>"));
    EXPECT_EQ(runProgram({"--nonsense"}).status, 2);

    // A folder that cannot be written: a clear message and status 1, not an empty catalogue.
    QTemporaryDir dir;
    QFile file(dir.filePath("file"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const QString home = dir.filePath("file/home");
    for (const QStringList& args :
         {QStringList{"--home", home, "--screenshot", dir.filePath("s.png")},
          QStringList{"--home", home, "--export", "a.png", dir.filePath("b.gif")}}) {
        const ProgramRun run = runProgram(args);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains("cannot write to its folder " + home)) << run.err.toStdString();
        EXPECT_FALSE(QFile::exists(dir.filePath("s.png")));
    }
}

TEST(CommandLine, TheWindowProgramUsesTheAddressFromTheSettingsAndHelpShowsTheAddressInForce)
{
    SiteProcess site({"--synthetic", "60"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    QTemporaryDir dir;
    auto configure = [&dir](const QByteArray& address) {
        QDir(dir.path()).mkpath("config/pictomine");
        QFile conf(dir.filePath("config/pictomine/pictomine.conf"));
        const QByteArray text = "[catalogue]\naddress=" + address + "\n";
        return conf.open(QIODevice::WriteOnly) && conf.write(text) == text.size();
    };
    const QString config = dir.filePath("config"), conf = dir.filePath("config/pictomine/pictomine.conf");
    ASSERT_TRUE(configure(site.baseUrl().toUtf8()));

    const QString help = runProgram({"--help"}, config).out;
    EXPECT_TRUE(help.contains("Catalogue address: " + site.baseUrl() + "\n  (from " + conf))
        << help.toStdString();
    EXPECT_TRUE(runProgram({"--help", "--base-url", "http://127.0.0.1:9/"}, config)
                    .out.contains("Catalogue address: http://127.0.0.1:9/\n  (from --base-url"));
    EXPECT_TRUE(runProgram({"--help"}).out.contains("(from built-in default"));

    // The window program reads the catalogue named in the settings.
    const QString shot = dir.filePath("first-page.png");
    const ProgramRun run =
        runProgram({"--home", dir.filePath("home"), "--screenshot", shot, "-platform", "offscreen"}, config);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(QDir(dir.filePath("home/Icons/.pictomine-cache")).entryList({"*.png"}, QDir::Files).size(), 30);
    const QImage picture(shot);
    ASSERT_FALSE(picture.isNull());
    EXPECT_GT(picture.width(), 600); // the laid-out window, not an empty file

    // An address that cannot be used is reported with the file it came from.
    ASSERT_TRUE(configure("ftp://127.0.0.1/"));
    const ProgramRun refused =
        runProgram({"--home", dir.filePath("home"), "--screenshot", shot, "-platform", "offscreen"}, config);
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("from " + conf + ": ftp://127.0.0.1/")) << refused.err.toStdString();
    EXPECT_TRUE(runProgram({"--help"}, config).out.contains("Catalogue address: not usable"));
}

// One window per application folder; the user's own pictures in Icons/ are never touched.
TEST(CommandLine, ASecondWindowOnTheSameFolderEndsAndTheUsersPicturesStay)
{
    SiteProcess site({"--synthetic", "60"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    QTemporaryDir dir;
    const QString home = dir.filePath("home");
    const QStringList pictures{".hidden.png", "holiday.png"};
    ASSERT_TRUE(QDir().mkpath(home + "/Icons"));
    for (const QString& name : pictures) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(Qt::red);
        ASSERT_TRUE(picture.save(home + "/Icons/" + name));
    }
    const QString cache = home + "/Icons/.pictomine-cache";
    auto cached = [&cache] { return QDir(cache).entryList({"*.png"}, QDir::Files).size(); };

    QProcess first;
    first.start(PICTOMINE_BIN, {"--home", home, "--base-url=" + site.baseUrl(), "-platform", "offscreen"});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(QTest::qWaitFor([&] { return cached() == 30; }, 60000));

    // A second window on the folder says why and ends; an export, which uses no cache, runs.
    const QString shot = dir.filePath("second.png");
    const ProgramRun second = runProgram(
        {"--home", home, "--base-url=" + site.baseUrl(), "--screenshot", shot, "-platform", "offscreen"});
    EXPECT_EQ(second.status, 1);
    EXPECT_TRUE(second.err.contains("Pictomine is already running with the folder " + home))
        << second.err.toStdString();
    EXPECT_FALSE(QFile::exists(shot));
    EXPECT_EQ(
        runProgram({"--home", home, "--export", home + "/Icons/holiday.png", dir.filePath("out.gif")}).status,
        0);

    // A window that died leaves its lock behind; the next one takes the folder over.
    first.kill();
    ASSERT_TRUE(first.waitForFinished());
    const ProgramRun third = runProgram(
        {"--home", home, "--base-url=" + site.baseUrl(), "--screenshot", shot, "-platform", "offscreen"});
    EXPECT_EQ(third.status, 0) << third.err.toStdString();
    EXPECT_EQ(cached(), 30);
    QStringList icons = pictures;
    icons << ".pictomine-cache";
    icons.sort(Qt::CaseInsensitive);
    EXPECT_EQ(QDir(home + "/Icons").entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), icons);
    for (const QString& name : pictures)
        EXPECT_EQ(QImage(home + "/Icons/" + name).pixel(3, 3), qRgb(255, 0, 0)) << name.toStdString();
}
