#include "platform/Shell.h"
#include "platform/SiteAddress.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PlatformServices, ShellHandsOnlyWebAddressesOn)
{
    QStringList opened;
    Shell::setOpener([&opened](const QString& a) { opened << a; });
    EXPECT_TRUE(Shell::openUrl("http://127.0.0.1:8123/2016/05/12/arrow/") &&
                Shell::openUrl("HTTPS://example.invalid/x"));
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x", "http://",
                            "/relative/path", "mailto:a@b", "http:///nohost"})
        EXPECT_FALSE(Shell::openUrl(bad)) << bad;
    Shell::setOpener({});
    EXPECT_EQ(opened, (QStringList{"http://127.0.0.1:8123/2016/05/12/arrow/", "HTTPS://example.invalid/x"}));
}

TEST(PlatformServices, SiteAddressRefusesBadBases)
{
    const QString original = SiteAddress::base();
    QString error;
    for (const char* bad : {"http://127.0.0.1:8123", "ftp://127.0.0.1/", "127.0.0.1/", "http:///", "",
                            "http://127.0.0.1/?s=x/", "http://127.0.0.1/#top/"})
        EXPECT_FALSE(SiteAddress::setBase(bad, &error) || error.isEmpty()) << bad;
    EXPECT_EQ(SiteAddress::base(), original); // refused addresses change nothing
    ASSERT_TRUE(SiteAddress::setBase("https://icons.example/blog/"));
    EXPECT_EQ(SiteAddress::base(), "https://icons.example/blog/");
    ASSERT_TRUE(SiteAddress::setBase(original));
}
