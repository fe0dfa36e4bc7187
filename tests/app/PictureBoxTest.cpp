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
    box.Cls();
    EXPECT_EQ(box.surface().pixel(5, 5), qRgb(10, 20, 30));
}

TEST(PictureBox, AClickIsAPressAndAReleaseBothOnTheArea)
{
    PictureBox box;
    box.resize(17, 17);
    int clicks = 0, releases = 0;
    QObject::connect(&box, &PictureBox::Click, [&] { ++clicks; });
    QObject::connect(&box, &PictureBox::MouseUp, [&] { ++releases; });
    QTest::mouseClick(&box, Qt::LeftButton, {}, QPoint(8, 8));
    // Dragged off before the release: a release, no click.
    QTest::mousePress(&box, Qt::LeftButton, {}, QPoint(8, 8));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(40, 8));
    // Another button, or a release without a press on the area: no click either.
    QTest::mouseClick(&box, Qt::RightButton, {}, QPoint(8, 8));
    QTest::mouseRelease(&box, Qt::LeftButton, {}, QPoint(8, 8));
    EXPECT_EQ(std::pair(clicks, releases), std::pair(1, 4));
}
