#pragma once

#include "app/Form1.h"
#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <memory>

// Generous bound for anything that waits on the window, a timer or the site.
constexpr int kBoundMs = 30000;

// The main window in a fresh application folder, driven with a person's clicks and wheel turns.
class MainWindowTest : public ::testing::Test
{
protected:
    // Lays out the folder with the given keyword list and opens the window on the catalogue.
    void open(const QString& base, const QByteArray& keywords)
    {
        ASSERT_TRUE(home.isValid());
        AppPaths::setRoot(home.path());
        AppPaths::ensureLayout();
        QFile file(AppPaths::goodLuck());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(keywords) == keywords.size());
        file.close();
        ASSERT_TRUE(SiteAddress::setBase(base));
        window = std::make_unique<Form1>();
        window->show();
    }
    void TearDown() override
    {
        window.reset();
        AppPaths::setRoot(QString());
    }

    static void click(QWidget* w, QPoint at = QPoint(20, 20))
    {
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }
    static void turnWheel(QWidget* over, int delta)
    {
        const QPointF at(over->width() / 2.0, over->height() / 2.0);
        QWheelEvent wheel(at, over->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    }

    QTemporaryDir home;
    std::unique_ptr<Form1> window;
};
