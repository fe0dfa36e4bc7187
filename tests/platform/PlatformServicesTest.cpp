#include "platform/AppPaths.h"
#include "platform/PropertyBag.h"
#include "platform/Shell.h"
#include "platform/SiteAddress.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PropertyBag, AValueEqualToItsDefaultIsNotStored)
{
    PropertyBag bag;
    bag.write("Max", 250, 100);
    EXPECT_EQ(bag.read("Max", 100).toInt(), 250);
    bag.write("Max", 100, 100);  // writing the default again removes the stored value
    EXPECT_FALSE(bag.contains("Max"));
    EXPECT_EQ(bag.read("Max", 100).toInt(), 100);
    bag.write("Min", 0);  // the unconditional write keeps even a default-looking value
    EXPECT_EQ(bag.read("Min", 5).toInt(), 0);
}

TEST(Shell, OnlyWebAddressesAreHandedOn)
{
    QStringList opened;
    Shell::setOpener([&opened](const QString& a) { opened << a; });
    EXPECT_TRUE(Shell::openUrl("http://127.0.0.1:8123/2016/05/12/arrow/"));
    EXPECT_TRUE(Shell::openUrl("HTTPS://example.invalid/x"));
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x", "http://", "/relative/path",
                            "mailto:a@b", "http:///nohost"})
        EXPECT_FALSE(Shell::openUrl(QString::fromLatin1(bad))) << bad;
    Shell::setOpener({});
    EXPECT_EQ(opened, (QStringList{"http://127.0.0.1:8123/2016/05/12/arrow/", "HTTPS://example.invalid/x"}));
}

TEST(AppPaths, FixedFoldersUnderTheRootAndNoKeywordFileCreated)
{
    QTemporaryDir dir;
    AppPaths::setRoot(dir.path());
    EXPECT_EQ(AppPaths::spinnerFrame(14), dir.path() + "/Images/load14.png");
    AppPaths::ensureLayout();
    for (const char* folder : {"Icons", "Images", "Downloads", "Sizes"})
        EXPECT_TRUE(QFileInfo(dir.filePath(folder)).isDir()) << folder;
    EXPECT_EQ(AppPaths::icons(), dir.path() + "/Icons");
    EXPECT_EQ(AppPaths::goodLuck(), dir.path() + "/GoodLuck.txt");
    EXPECT_FALSE(QFile::exists(AppPaths::goodLuck()));
    EXPECT_EQ(AppPaths::defaultRoot("/some/home"), "/some/home");
    AppPaths::setRoot(QString());  // back to the executable's folder, not the working directory
    EXPECT_EQ(AppPaths::root(), QCoreApplication::applicationDirPath());
}

TEST(SiteAddress, BaseValidationAndTitleStart)
{
    const QString original = SiteAddress::base();
    QString error;
    for (const char* bad : {"http://127.0.0.1:8123", "ftp://127.0.0.1/", "127.0.0.1/", "http:///", "",
                            "http://127.0.0.1/?s=x/", "http://127.0.0.1/#top/"}) {
        EXPECT_FALSE(SiteAddress::setBase(QString::fromLatin1(bad), &error)) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
    EXPECT_EQ(SiteAddress::base(), original);  // refused addresses change nothing
    ASSERT_TRUE(SiteAddress::setBase("http://127.0.0.1:41234/"));
    EXPECT_EQ(SiteAddress::titleStart(), 35);  // 23 characters + "YYYY/MM/DD/" + 1
    ASSERT_TRUE(SiteAddress::setBase("https://icons.example/blog/"));
    EXPECT_EQ(SiteAddress::titleStart(), 27 + 12);
    ASSERT_TRUE(SiteAddress::setBase(original));
}
