#include "platform/AppPaths.h"
#include "platform/PropertyBag.h"
#include "platform/Shell.h"
#include "platform/SiteAddress.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PropertyBag, DefaultsAreNotStored)
{
    PropertyBag bag;
    EXPECT_EQ(bag.read("Max", 100).toInt(), 100);
    bag.write("Max", 250, 100);
    EXPECT_EQ(bag.read("Max", 100).toInt(), 250);
    EXPECT_TRUE(bag.contains("Max"));
    // Writing the default again removes the stored value.
    bag.write("Max", 100, 100);
    EXPECT_FALSE(bag.contains("Max"));
    EXPECT_EQ(bag.size(), 0);
    // The unconditional write keeps even a default-looking value.
    bag.write("Min", 0);
    EXPECT_TRUE(bag.contains("Min"));
    EXPECT_EQ(bag.read("Min", 5).toInt(), 0);
    bag.write("Caption", QString("Go"), QString());
    EXPECT_EQ(bag.keys(), (QStringList{"Caption", "Min"}));
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

TEST(AppPaths, FixedTailsUnderTheRoot)
{
    QTemporaryDir dir;
    AppPaths::setRoot(dir.path());
    EXPECT_EQ(AppPaths::root(), dir.path());
    EXPECT_EQ(AppPaths::icons(), dir.path() + "/Icons");
    EXPECT_EQ(AppPaths::images(), dir.path() + "/Images");
    EXPECT_EQ(AppPaths::downloads(), dir.path() + "/Downloads");
    EXPECT_EQ(AppPaths::sizes(), dir.path() + "/Sizes");
    EXPECT_EQ(AppPaths::goodLuck(), dir.path() + "/GoodLuck.txt");
    EXPECT_EQ(AppPaths::spinnerFrame(14), dir.path() + "/Images/load14.png");
    AppPaths::ensureLayout();
    for (const QString& folder : {AppPaths::icons(), AppPaths::images(), AppPaths::downloads(), AppPaths::sizes()})
        EXPECT_TRUE(QFileInfo(folder).isDir()) << folder.toStdString();
    EXPECT_FALSE(QFile::exists(AppPaths::goodLuck()));  // the keyword file is never created
    EXPECT_EQ(AppPaths::defaultRoot("/some/home"), "/some/home");
    // An empty folder restores the default (the executable's folder), not the working directory.
    AppPaths::setRoot(QString());
    EXPECT_EQ(AppPaths::root().toStdString(), QCoreApplication::applicationDirPath().toStdString());
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

    ASSERT_TRUE(SiteAddress::setBase("http://127.0.0.1:41234/", &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_EQ(SiteAddress::base(), "http://127.0.0.1:41234/");
    // base (23 characters) + "YYYY/MM/DD/" (11): the name starts at character 35.
    EXPECT_EQ(SiteAddress::titleStart(), 35);
    ASSERT_TRUE(SiteAddress::setBase("https://icons.example/blog/"));
    EXPECT_EQ(SiteAddress::titleStart(), int(QString("https://icons.example/blog/").size()) + 12);
    ASSERT_TRUE(SiteAddress::setBase(original));
}
