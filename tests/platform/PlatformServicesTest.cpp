#include "platform/BusyPointer.h"
#include "platform/DesktopShell.h"
#include "platform/Shell.h"
#include "platform/SiteAddress.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QCursor>
#include <QFile>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PlatformServices, ShellHandsOnlyWebAddressesOnAndSaysWhenNoBrowserTookThem)
{
    ScriptedDialogs dialogs;
    RecordingShell shell(dialogs);
    EXPECT_TRUE(shell.openUrl("http://127.0.0.1:8123/2016/05/12/arrow/") &&
                shell.openUrl("HTTPS://example.invalid/x"));
    for (const char* bad : {"", "file:///etc/passwd", "javascript:alert(1)", "ftp://h/x", "http://",
                            "/relative/path", "mailto:a@b", "http:///nohost"})
        EXPECT_FALSE(shell.openUrl(bad)) << bad;
    EXPECT_EQ(shell.opened,
              (QStringList{"http://127.0.0.1:8123/2016/05/12/arrow/", "https://example.invalid/x"}));
    // No browser took it: the user is told and finds the address on the clipboard.
    shell.browserAvailable = false;
    EXPECT_FALSE(shell.openUrl("http://127.0.0.1/post/"));
    EXPECT_EQ(dialogs.asked,
              QStringList{"inform:Pictomine|No web browser could be started to show the icon's "
                          "page.\nIts address is on the clipboard:\nhttp://127.0.0.1/post/"});
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "http://127.0.0.1/post/");
}

TEST(PlatformServices, TheDesktopShellLearnsFromXdgOpensStatusWhetherABrowserTookTheAddress)
{
    QTemporaryDir bin;
    ASSERT_TRUE(bin.isValid());
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", bin.path().toLocal8Bit());
    // xdg-open stand-ins: one that finds no browser (status 3), one that hands the address on.
    auto install = [&bin](int status) {
        QFile script(bin.filePath("xdg-open"));
        script.remove();
        const QByteArray text = "#!/bin/sh\necho \"$1\" > '" + bin.filePath("asked").toLocal8Bit() +
                                "'\nexit " + QByteArray::number(status) + "\n";
        return script.open(QIODevice::WriteOnly) && script.write(text) == text.size() &&
               script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    };
    auto running = [] { return !qApp->findChildren<QProcess*>().isEmpty(); };
    constexpr int kWaitMs = 30000;
    ScriptedDialogs dialogs;
    DesktopShell shell(dialogs);
    const QString page = "http://127.0.0.1:8123/2016/05/12/arrow/";
    const QString told = "inform:Pictomine|No web browser could be started to show the icon's page.\n"
                         "Its address is on the clipboard:\n" +
                         page;

    // No xdg-open at all, then one that finds no browser.
    for (const bool present : {false, true}) {
        ASSERT_TRUE(!present || install(3));
        dialogs.asked.clear();
        QGuiApplication::clipboard()->clear();
        EXPECT_TRUE(shell.openUrl(page)); // handed on; the outcome comes later
        WAIT_UNTIL(!dialogs.asked.isEmpty() && !running(), kWaitMs);
        EXPECT_EQ(dialogs.asked, QStringList{told});
        EXPECT_EQ(QGuiApplication::clipboard()->text(), page);
    }

    // A browser took it: nothing to say, the clipboard is left alone.
    ASSERT_TRUE(install(0));
    QFile::remove(bin.filePath("asked"));
    dialogs.asked.clear();
    QGuiApplication::clipboard()->setText("mine");
    EXPECT_TRUE(shell.openUrl(page));
    WAIT_UNTIL(QFile::exists(bin.filePath("asked")) && !running(), kWaitMs);
    EXPECT_TRUE(dialogs.asked.isEmpty());
    EXPECT_EQ(QGuiApplication::clipboard()->text(), "mine");
    QFile asked(bin.filePath("asked"));
    ASSERT_TRUE(asked.open(QIODevice::ReadOnly));
    EXPECT_EQ(asked.readAll().trimmed(), page.toLocal8Bit());
    qputenv("PATH", path);
}

TEST(PlatformServices, SiteAddressRefusesBadBases)
{
    SiteAddress site;
    EXPECT_EQ(site.base(), "http://127.0.0.1:8123/"); // the address built in
    QString error;
    for (const char* bad : {"http://127.0.0.1:8123", "ftp://127.0.0.1/", "127.0.0.1/", "http:///", "",
                            "http://127.0.0.1/?s=x/", "http://127.0.0.1/#top/"})
        EXPECT_FALSE(site.setBase(bad, &error) || error.isEmpty()) << bad;
    EXPECT_EQ(site.base(), "http://127.0.0.1:8123/"); // refused addresses change nothing
    ASSERT_TRUE(site.setBase("https://icons.example/blog/"));
    EXPECT_EQ(site.base(), "https://icons.example/blog/");
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
