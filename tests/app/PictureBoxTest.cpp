#include "app/PictureBox.h"

#include <QTest>
#include <gtest/gtest.h>

TEST(PictureBox, SurfaceKeepsItsDrawingAcrossResizesAndReportsButtons)
{
    PictureBox box(nullptr, QColor(10, 20, 30));
    box.resize(20, 20);
    box.show();
    QTRY_COMPARE_WITH_TIMEOUT(box.surface().size(), QSize(20, 20), 5000);
    box.surface().setPixel(5, 5, qRgb(255, 0, 0));
    box.resize(40, 10);
    QTRY_COMPARE_WITH_TIMEOUT(box.surface().size(), QSize(40, 10), 5000);
    EXPECT_EQ(box.surface().pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(box.surface().pixel(30, 5), qRgb(10, 20, 30));  // new area on the background
    box.Cls();
    EXPECT_EQ(box.surface().pixel(5, 5), qRgb(10, 20, 30));

    int button = 0, shift = 0;
    QObject::connect(&box, &PictureBox::MouseUp, [&](int b, int s, float, float) { button = b; shift = s; });
    QTest::mousePress(&box, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(3, 3));
    QTest::mouseRelease(&box, Qt::RightButton, Qt::ShiftModifier | Qt::ControlModifier, QPoint(3, 3));
    EXPECT_EQ(button, 2);
    EXPECT_EQ(shift, 3);
}
