#include "platform/BusyPointer.h"
#include "platform/Shell.h"
#include "platform/SiteAddress.h"
#include "support/RecordingShell.h"

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PlatformServices, ShellHandsOnlyWebAddressesOnAndSaysWhenNoBrowserTookThem)
{
    RecordingShell shell;
    EXPECT_TRUE(shell.openUrl("http://127.0.0.1:8123/2016/05/12/arrow/") &&
                shell.openUrl("HTTPS://example.invalid/x"));
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x", "http://",
                            "/relative/path", "mailto:a@b", "http:///nohost"})
        EXPECT_FALSE(shell.openUrl(bad)) << bad;
    EXPECT_EQ(shell.opened,
              (QStringList{"http://127.0.0.1:8123/2016/05/12/arrow/", "https://example.invalid/x"}));
    shell.browserAvailable = false;
    EXPECT_FALSE(shell.openUrl("http://127.0.0.1/post/"));
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

TEST(PlatformServices, PointerStaysBusyWhileAnyFlowHoldsItsClaim)
{
    using Shape = BusyPointer::Shape;
    auto screenShape = [] {
        const QCursor* c = QGuiApplication::overrideCursor();
        return c ? c->shape() : Qt::ArrowCursor;
    };
    BusyPointer pointer;
    BusyPointer::Claim page = pointer.claim(Shape::ArrowHourglass);
    EXPECT_EQ(screenShape(), Qt::BusyCursor);
    BusyPointer::Claim download = pointer.claim(Shape::Hourglass);
    BusyPointer::Claim exporting = pointer.claim(Shape::Hourglass);
    EXPECT_EQ(std::pair(pointer.shape(), screenShape()), std::pair(Shape::Hourglass, Qt::WaitCursor));
    // The download ends first: the export still holds the hourglass.
    download.release();
    download.release(); // releasing twice gives back nothing more
    EXPECT_EQ(pointer.shape(), Shape::Hourglass);
    // A claim handed on (moved) is held once: its old owner gives nothing back.
    {
        BusyPointer::Claim movedTo = std::move(exporting);
        EXPECT_FALSE(exporting.isHeld());
        exporting.release();
        EXPECT_EQ(pointer.shape(), Shape::Hourglass);
    }
    EXPECT_EQ(std::pair(pointer.shape(), screenShape()), std::pair(Shape::ArrowHourglass, Qt::BusyCursor));
    page = BusyPointer::Claim(); // assigning over a claim releases it
    EXPECT_EQ(std::pair(pointer.shape(), pointer.claimCount()), std::pair(Shape::Default, 0));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}
