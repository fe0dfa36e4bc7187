#include "app/CaretRest.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

TEST(CaretRest, TheCaretStopsBlinkingWhenLeftAloneAndBlinksAgainOnInput)
{
    const int blink = QApplication::cursorFlashTime();
    ASSERT_GT(blink, 0);
    QLineEdit edit;
    {
        CaretRest rest(nullptr, 50);
        WAIT_UNTIL(rest.isResting(), 10000);
        EXPECT_EQ(QApplication::cursorFlashTime(), 0) << "a steady caret";
        EXPECT_FALSE(rest.timer().isActive()) << "and no timer left running";

        QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
        QApplication::sendEvent(&edit, &key);
        EXPECT_FALSE(rest.isResting());
        EXPECT_EQ(QApplication::cursorFlashTime(), blink);
        EXPECT_TRUE(rest.timer().isActive()) << "counting the quiet time again";
    }
    EXPECT_EQ(QApplication::cursorFlashTime(), blink) << "restored when it goes";
}
