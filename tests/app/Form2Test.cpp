#include "app/Form2.h"
#include "platform/AppPaths.h"

#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
// Frames whose red channel tells the frame number; frame 5 is left missing.
void writeFrames(const QString& root)
{
    AppPaths::setRoot(root);
    AppPaths::ensureLayout();
    for (int n = 1; n <= 14; ++n) {
        if (n == 5)
            continue;
        QImage img(32, 32, QImage::Format_ARGB32);
        img.fill(QColor(n * 10, 0, 0));
        img.save(AppPaths::spinnerFrame(n));
    }
}

int drawnFrame(const Form2& w)
{
    const QColor c = w.surface().pixelColor(Form2::kSpinnerLeft + 16, (w.height() - 32) / 2 + 16);
    return c == Qt::white ? 0 : c.red() / 10;
}
} // namespace

TEST(Form2, CyclesThroughFourteenFramesAndSkipsMissingOnes)
{
    QTemporaryDir dir;
    writeFrames(dir.path());
    Form2 w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    EXPECT_TRUE(w.frames().slot(4).isNull());
    EXPECT_TRUE(w.frames().slot(14).isNull());
    std::vector<int> seen;
    // The running timer may already have advanced; align on frame 1 first.
    while (w.frames().index() != 0 && w.frames().index() != 14)
        w.drawNextFrame();
    for (int i = 0; i < 16; ++i) {
        w.drawNextFrame();
        seen.push_back(drawnFrame(w));
    }
    const std::vector<int> expected{1, 2, 3, 4, 0, 6, 7, 8, 9, 10, 11, 12, 13, 14, 1, 2};
    EXPECT_EQ(seen, expected);
}

TEST(Form2, AnimatesOnItsOwnAndCloseControlClosesIt)
{
    QTemporaryDir dir;
    writeFrames(dir.path());
    Form2 w;
    w.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
    const int start = w.frames().index();
    QTRY_VERIFY_WITH_TIMEOUT(w.frames().index() != start, 5000);
    EXPECT_EQ(w.closeControl()->toolTip(), "Cancel");
    QTest::mouseClick(w.closeControl(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!w.isVisible(), 5000);
}
