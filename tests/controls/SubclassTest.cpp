#include "controls/Subclasser.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QStringList>

#include <functional>

namespace {

// A window whose own event handling logs what reached it.
class Window : public QObject {
public:
    explicit Window(QStringList& log, QString name) : m_log(log), m_name(std::move(name)) {}
    bool event(QEvent* e) override
    {
        m_log << m_name + ":own:" + QString::number(int(e->type()));
        return true;
    }

private:
    QStringList& m_log;
    QString m_name;
};

class Handler : public SubclassHandler {
public:
    QStringList& log;
    std::function<void(bool, bool&, qintptr&, QObject*&)> react;
    explicit Handler(QStringList& l) : log(l) {}

    void zSubclass_Proc(bool bBefore, bool& bHandled, qintptr& lReturn, QObject*& lhWnd, int& uMsg,
                        QEvent*&) override
    {
        log << QString("%1:%2:ret%3").arg(bBefore ? "before" : "after").arg(uMsg).arg(lReturn);
        if (react)
            react(bBefore, bHandled, lReturn, lhWnd);
    }
};

void sendPaletteChange(QObject* target)
{
    QEvent event(QEvent::PaletteChange);    // stands for message 21
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

TEST(Subclass, BeforeThenOwnHandlingThenAfterWithTheResult)
{
    QStringList log;
    Handler handler(log);
    Subclasser subclasser(handler);
    Window window(log, "w");
    EXPECT_EQ(subclasser.Subclass(&window), 0);

    sendPaletteChange(&window);
    EXPECT_EQ(log, (QStringList{"w:own:39"})) << "nothing registered, nothing intercepted";

    log.clear();
    subclasser.AddMessage(&window, 21, MessageWhen::BeforeAndAfter);
    subclasser.AddMessage(&window, 21, MessageWhen::Before);
    EXPECT_EQ(subclasser.records()[0].before.count(), 1) << "registering twice keeps one entry";
    EXPECT_EQ(subclasser.records()[0].after.count(), 1);
    sendPaletteChange(&window);
    EXPECT_EQ(log, (QStringList{"before:21:ret0", "w:own:39", "after:21:ret1"}));

    // Handled in the before phase: the own handling is skipped, the after phase still runs and
    // sees the result the before phase left.
    log.clear();
    handler.react = [](bool before, bool& handled, qintptr& result, QObject*&) {
        if (before) {
            handled = true;
            result = 7;
        }
    };
    sendPaletteChange(&window);
    EXPECT_EQ(log, (QStringList{"before:21:ret0", "after:21:ret7"}));

    // Other messages go to the window untouched.
    log.clear();
    QEvent other(QEvent::FontChange);
    QCoreApplication::sendEvent(&window, &other);
    EXPECT_EQ(log, (QStringList{"w:own:" + QString::number(int(QEvent::FontChange))}));
}

TEST(Subclass, EveryMessageAndRedirection)
{
    QStringList log;
    Handler handler(log);
    Subclasser subclasser(handler);
    Window window(log, "w");
    Window other(log, "o");
    subclasser.Subclass(&window);
    subclasser.AddMessage(&window, WindowMessage::kEveryMessage, MessageWhen::After);
    subclasser.AddMessage(&window, 21, MessageWhen::After);
    EXPECT_EQ(subclasser.records()[0].after.count(), -1);
    EXPECT_EQ(subclasser.records()[0].before.count(), 0);

    QEvent unmapped(QEvent::User);
    QCoreApplication::sendEvent(&window, &unmapped);
    EXPECT_EQ(log, (QStringList{"w:own:1000", "after:0:ret1"}));

    // A before-handler may hand the message to another window.
    log.clear();
    subclasser.AddMessage(&window, 21, MessageWhen::Before);
    handler.react = [&other](bool before, bool&, qintptr&, QObject*& target) {
        if (before)
            target = &other;
    };
    sendPaletteChange(&window);
    EXPECT_EQ(log, (QStringList{"before:21:ret0", "o:own:39", "after:21:ret1"}));
}

TEST(Subclass, UnsubclassRestoresAndFreedRecordsAreReused)
{
    QStringList log;
    Handler handler(log);
    Subclasser subclasser(handler);
    Window a(log, "a");
    Window b(log, "b");
    Window c(log, "c");
    EXPECT_EQ(subclasser.Subclass(&a), 0);
    EXPECT_EQ(subclasser.Subclass(&b), 1);
    EXPECT_EQ(subclasser.Subclass(&a), 0) << "already subclassed";
    subclasser.AddMessage(&a, 21, MessageWhen::Before);
    subclasser.AddMessage(&b, 21, MessageWhen::Before);

    subclasser.Unsubclass(&a);
    EXPECT_TRUE(subclasser.records()[0].isFree());
    EXPECT_EQ(subclasser.records()[0].before.count(), 0);
    EXPECT_EQ(subclasser.indexOf(&a), -1);
    sendPaletteChange(&a);
    EXPECT_EQ(log, (QStringList{"a:own:39"})) << "the window's own handling is back";

    EXPECT_EQ(subclasser.Subclass(&c), 0) << "the free record before growing";
    EXPECT_EQ(subclasser.records().size(), 2u);
    sendPaletteChange(&c);
    EXPECT_EQ(log.last(), "c:own:39") << "a reused record starts with empty tables";

    // A handler may unsubclass its window while a message is on its way.
    log.clear();
    handler.react = [&](bool before, bool&, qintptr&, QObject*&) {
        if (before)
            subclasser.Unsubclass(&b);
    };
    subclasser.AddMessage(&b, 21, MessageWhen::After);
    sendPaletteChange(&b);
    EXPECT_EQ(log, (QStringList{"before:21:ret0", "b:own:39"}));
    log.clear();
    sendPaletteChange(&b);
    EXPECT_EQ(log, (QStringList{"b:own:39"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A window destroyed while subclassed frees its record; unsubclass all clears the rest.
    {
        Window d(log, "d");
        EXPECT_EQ(subclasser.Subclass(&d), 1);
    }
    EXPECT_TRUE(subclasser.records()[1].isFree());
    subclasser.UnsubclassAll();
    EXPECT_TRUE(subclasser.records()[0].isFree());
    log.clear();
    sendPaletteChange(&c);
    EXPECT_EQ(log, (QStringList{"c:own:39"}));
}
