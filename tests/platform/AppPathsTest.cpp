#include "platform/AppPaths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace
{
void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size()) << path.toStdString();
}

QByteArray read(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}
} // namespace

TEST(AppPaths, HomeThenEnvironmentThenAWritableProgramFolderElseTheUserDataFolder)
{
    QTemporaryDir program, user;
    using O = AppPaths::Origin;
    auto pick = [&](const QString& home, const QString& env) {
        const AppPaths::Choice c = AppPaths::choose(home, env, program.path(), user.path());
        return std::pair(c.folder, c.origin);
    };
    EXPECT_EQ(pick("/h", "/e"), std::pair(QString("/h"), O::HomeOption));
    EXPECT_EQ(pick("", "/e"), std::pair(QString("/e"), O::Environment));
    // An installed copy: no Icons/ beside the program.
    EXPECT_EQ(pick("", ""), std::pair(user.path(), O::UserData));
    // Icons/ that is a file is no cache either.
    write(program.filePath("Icons"), "x");
    EXPECT_EQ(pick("", ""), std::pair(user.path(), O::UserData));
    // A build tree or a portable copy: the program's folder holds a writable Icons/.
    ASSERT_TRUE(QFile::remove(program.filePath("Icons")) && QDir(program.path()).mkdir("Icons"));
    EXPECT_EQ(pick("", ""), std::pair(program.path(), O::ProgramFolder));
    EXPECT_TRUE(QDir(program.filePath("Icons")).isEmpty()) << "the write probe leaves nothing behind";
}

TEST(AppPaths, AFreshFolderGetsItsFoldersTheShippedKeywordsAndTheShippedSpinner)
{
    QTemporaryDir shipped, home;
    ASSERT_TRUE(QDir(shipped.path()).mkdir("Images"));
    write(shipped.filePath("GoodLuck.txt"), "arrow#1\r\n");
    write(shipped.filePath("Images/load1.png"), "frame");
    const AppPaths paths(home.filePath("fresh"), {home.filePath("nowhere"), shipped.path()});

    // ensureLayout alone never creates the keyword list.
    paths.ensureLayout();
    for (const char* folder : {"Icons", "Images", "Downloads", "Sizes"})
        EXPECT_TRUE(QFileInfo(home.filePath(QString("fresh/") + folder)).isDir()) << folder;
    EXPECT_FALSE(QFile::exists(paths.goodLuck()));

    EXPECT_EQ(paths.prepare(), QString());
    EXPECT_EQ(read(paths.goodLuck()), "arrow#1\r\n");
    // The frame comes from where it shipped; one missing everywhere is looked for at home.
    EXPECT_EQ(paths.spinnerFrame(1), shipped.filePath("Images/load1.png"));
    EXPECT_EQ(paths.spinnerFrame(2), home.filePath("fresh/Images/load2.png"));

    // The folder's own files win, and a keyword list of its own is kept.
    write(paths.images() + "/load1.png", "own");
    write(paths.goodLuck(), "mine#3\r\n");
    EXPECT_EQ(paths.prepare(), QString());
    EXPECT_EQ(paths.spinnerFrame(1), paths.images() + "/load1.png");
    EXPECT_EQ(read(paths.goodLuck()), "mine#3\r\n");
}

TEST(AppPaths, AFolderThatCannotBeWrittenIsReportedByName)
{
    QTemporaryDir dir;
    write(dir.filePath("file"), "x");
    // Under a regular file no folder can be made, whoever runs the test.
    const QString message = AppPaths(dir.filePath("file/home")).prepare();
    EXPECT_TRUE(message.startsWith("Pictomine cannot write to its folder " + dir.filePath("file/home")))
        << message.toStdString();
    EXPECT_TRUE(message.contains("--home")) << "says what to do about it";

    // No folder given: the executable's folder, not the working directory.
    EXPECT_EQ(AppPaths().root(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(AppPaths::programFolder(), QCoreApplication::applicationDirPath());
}
