#include "app/BusyWindow.h"
#include "platform/AppPaths.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

TEST(BusyWindow, CyclesThroughFourteenFramesSkipsMissingOnesAndCancelClosesIt)
{
    // Frames whose red channel tells the frame number; frame 5 is left missing.
    QTemporaryDir dir;
    const AppPaths paths(dir.path(), {dir.filePath("nothing-shipped")});
    paths.ensureLayout();
    for (int n = 1; n <= 14; ++n) {
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(QColor(n * 10, 0, 0));
        ASSERT_TRUE(n == 5 || img.save(paths.spinnerFrame(n)));
    }
    BusyWindow w(paths);
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    auto drawnFrame = [&w] {
        const QColor c = w.surface().pixelColor(BusyWindow::kSpinnerLeft + 16, (w.height() - 32) / 2 + 16);
        return c == Qt::white ? 0 : c.red() / 10;
    };
    // The timer runs on its own.
    const int start = w.frames().index();
    ASSERT_TRUE(QTest::qWaitFor([&] { return w.frames().index() != start; }, 5000));

    // Align on frame 1 first, then step by hand.
    while (w.frames().index() != 0 && w.frames().index() != 14)
        w.drawNextFrame();
    std::vector<int> seen;
    for (int i = 0; i < 16; ++i) {
        w.drawNextFrame();
        seen.push_back(drawnFrame());
    }
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 1, 2}));

    // A long download says how much has arrived, under "Reading..." and inside the window; the
    // next showing starts without it.
    w.showProgress(430080, 1258291);
    EXPECT_EQ(w.progressText(), "420 KB of 1.2 MB");
    const QLabel* amount = nullptr;
    for (const QLabel* label : w.findChildren<QLabel*>())
        if (label->text() == "420 KB of 1.2 MB")
            amount = label;
    ASSERT_TRUE(amount && amount->isVisible());
    EXPECT_TRUE(w.rect().contains(amount->geometry()));
    EXPECT_GE(amount->width(), amount->sizeHint().width()); // not cut short
    w.showProgress(3 * 1024 * 1024 + 100, -1);
    EXPECT_EQ(w.progressText(), "3.0 MB");

    // The close control cancels (the download flow listens) and closes; hiding is no cancel.
    QSignalSpy cancelled(&w, &BusyWindow::cancelled);
    w.hide();
    EXPECT_EQ(w.progressText(), "");
    w.show();
    QTest::mouseClick(w.closeControl(), Qt::LeftButton);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !w.isVisible(); }, 5000));
    EXPECT_EQ(cancelled.count(), 1);
}
