#pragma once

#include "app/MainWindow.h"
#include "platform/AppPaths.h"
#include "platform/BusyPointer.h"
#include "platform/ScreenInfo.h"
#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"
#include "support/RecordingClipboard.h"
#include "support/RecordingShell.h"
#include "support/ScriptedDialogs.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

// Generous bound for anything that waits on the window, a timer or the site.
constexpr int kBoundMs = 30000;

// The main window in a fresh application folder, driven with a person's clicks and wheel turns.
// The test screen is 1600 x 900 with a 40-pixel panel at the bottom (a work area 860 high).
class MainWindowTest : public ::testing::Test
{
protected:
    static constexpr QRect kWorkArea{0, 0, 1600, 860};

    // Lays out the folder with the given keyword list and opens the window on the catalogue.
    void open(const QString& base, const QByteArray& keywords)
    {
        ASSERT_TRUE(home.isValid());
        ASSERT_EQ(screens.screenGeometry(), QRect(0, 0, 1600, 900)) << "the desktop-sized test screen";
        screens.overrideWorkArea(kWorkArea);
        paths.ensureLayout();
        QFile file(paths.goodLuck());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(keywords) == keywords.size());
        file.close();
        ASSERT_TRUE(address.setBase(base));
        window = std::make_unique<MainWindow>(
            WindowServices{paths, address, shell, pointer, clipboard, dialogs, screens, settings});
        window->show();
    }
    // Opens the window on the site and waits until its first page of 30 tiles has come in.
    void openOnFirstPage(const SiteProcess& site)
    {
        ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
        open(site.baseUrl(), "flag#2\r\n");
        ASSERT_FALSE(HasFatalFailure());
        WAIT_UNTIL(window->client().resultList().size() == 30, kBoundMs);
        WAIT_UNTIL(!window->client().isLoading(), kBoundMs);
    }

    static void click(QWidget* w, QPoint at = QPoint(20, 20))
    {
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }
    // A vertical wheel turn (delta y), or any angle.
    static void turnWheel(QWidget* over, int delta) { turnWheel(over, QPoint(0, delta)); }
    static void turnWheel(QWidget* over, QPoint angle)
    {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }
    // What a widget shows, as the screen would get it.
    static QImage shown(QWidget* w) { return w->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    QTemporaryDir home;
    // The files the program ships (the spinner frames) come from beside the program.
    const AppPaths paths{home.path(), {QFileInfo(PICTOMINE_BIN).absolutePath()}};
    SiteAddress address;
    ScriptedDialogs dialogs; // answers the window's questions; none is asked unless a test scripts it
    RecordingShell shell{dialogs};
    ScreenInfo screens; // the test screen, with a panel the headless platform does not have
    const UserSettings settings{home.filePath("pictomine.conf")};
    BusyPointer pointer;
    RecordingClipboard clipboard; // what the window copies
    std::unique_ptr<MainWindow> window;
};
