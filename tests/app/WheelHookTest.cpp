#include "app/WheelHook.h"

#include <QApplication>
#include <QWheelEvent>
#include <QWidget>
#include <gtest/gtest.h>

namespace {
bool sendWheel(QWidget* target, int delta)
{
    QWheelEvent e(QPointF(5, 5), target->mapToGlobal(QPointF(5, 5)), QPoint(), QPoint(0, delta), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    return QApplication::sendEvent(target, &e) && e.isAccepted();
}
} // namespace

TEST(WheelHook, TurnsEveryWheelEventOfItsWindowIntoOneStep)
{
    QWidget window;
    QWidget* child = new QWidget(&window);
    QWidget other;
    std::vector<int> steps;
    WheelHook hook(&window, [&](int s) { steps.push_back(s); });
    hook.install();

    sendWheel(child, -120);  // toward the user: down
    sendWheel(&window, 120);
    sendWheel(child, -8);    // a fine high-resolution delta is still one full step
    sendWheel(&other, -120); // another window is not ours
    EXPECT_EQ(steps, (std::vector<int>{+1, -1, +1}));

    hook.remove();
    sendWheel(child, -120);
    EXPECT_EQ(steps.size(), 3u);
}
