#include "platform/StallMeter.h"
#include "support/WaitFor.h"

#include <QElapsedTimer>

#include <gtest/gtest.h>

TEST(StallMeter, MeasuresHowLongTheLoopWasBlocked)
{
    StallMeter meter(5);
    meter.start();
    WAIT_UNTIL(meter.ticks() >= 5, 10000);
    QElapsedTimer busy; // the loop is held for 300 ms, as a long handler would
    busy.start();
    while (busy.elapsed() < 300) {
    }
    WAIT_UNTIL(meter.ticks() >= 10, 10000);
    meter.stop();
    const double blocked = meter.longestStallMs();
    EXPECT_GE(blocked, 250.0);
    EXPECT_LT(blocked, 10000.0);

    meter.start(); // a fresh start forgets the earlier stall
    WAIT_UNTIL(meter.ticks() >= 3, 10000);
    EXPECT_LT(meter.longestStallMs(), blocked);
}
