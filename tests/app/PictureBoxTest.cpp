#include "app/PictureBox.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(PictureBox, SurfaceKeepsItsDrawingAcrossResizes)
{
    PictureBox box(nullptr, QColor(10, 20, 30));
    box.resize(20, 20);
    box.show();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.surface().size() == QSize(20, 20); }, 5000));
    box.surface().setPixel(5, 5, qRgb(255, 0, 0));
    box.resize(40, 10);
    ASSERT_TRUE(QTest::qWaitFor([&] { return box.surface().size() == QSize(40, 10); }, 5000));
    EXPECT_EQ(box.surface().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(box.surface().pixel(30, 5), qRgb(10, 20, 30)); // new area on the background
    box.clear();
    EXPECT_EQ(box.surface().pixel(5, 5), qRgb(10, 20, 30));
}
