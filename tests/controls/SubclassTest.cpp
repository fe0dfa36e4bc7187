#include "controls/Subclasser.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QEvent>
#include <QStringList>

#include <functional>

namespace {

// A window whose own event handling logs what reached it.
class Window : public QObject {
public:
    Window(QStringList& log, QString name) : m_log(log), m_name(std::move(name)) {}
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
    QStringList log;
    std::function<void(bool, bool&, qintptr&)> react = [](bool, bool&, qintptr&) {};

    void zSubclass_Proc(bool bBefore, bool& bHandled, qintptr& lReturn, QObject*&, int& uMsg, QEvent*&) override
    {
        log << QString("%1:%2:ret%3").arg(bBefore ? "before" : "after").arg(uMsg).arg(lReturn);
        react(bBefore, bHandled, lReturn);
    }
};

// Sends an event (by default a palette change, which stands for message 21) and returns the log.
QStringList send(Handler& handler, QObject* target, QEvent::Type type = QEvent::PaletteChange)
{
    handler.log.clear();
    QEvent event(type);
    QCoreApplication::sendEvent(target, &event);
    return handler.log;
}

} // namespace

TEST(Subclass, BeforeThenOwnHandlingThenAfterWithTheResult)
{
    Handler handler;
    Subclasser subclasser(handler);
    Window window(handler.log, "w");
    EXPECT_EQ(subclasser.Subclass(&window), 0);
    EXPECT_EQ(send(handler, &window), (QStringList{"w:own:39"})) << "nothing registered";

    subclasser.AddMessage(&window, 21, MessageWhen::BeforeAndAfter);
    subclasser.AddMessage(&window, 21, MessageWhen::Before);
    EXPECT_EQ(subclasser.records()[0].before.count(), 1) << "registering twice keeps one entry";
    EXPECT_EQ(send(handler, &window), (QStringList{"before:21:ret0", "w:own:39", "after:21:ret1"}));
    EXPECT_EQ(send(handler, &window, QEvent::FontChange), (QStringList{"w:own:97"})) << "not registered";

    // Handled in the before phase: the own handling is skipped, the after phase still runs and
    // sees the result the before phase left.
    handler.react = [](bool before, bool& handled, qintptr& result) {
        if (before)
            handled = true, result = 7;
    };
    EXPECT_EQ(send(handler, &window), (QStringList{"before:21:ret0", "after:21:ret7"}));

    // "Every message" catches unmapped ones too.
    subclasser.AddMessage(&window, WindowMessage::kEveryMessage, MessageWhen::After);
    EXPECT_EQ(send(handler, &window, QEvent::User), (QStringList{"w:own:1000", "after:0:ret1"}));
}

TEST(Subclass, UnsubclassRestoresAndFreedRecordsAreReused)
{
    Handler handler;
    Subclasser subclasser(handler);
    Window a(handler.log, "a");
    Window b(handler.log, "b");
    EXPECT_EQ(subclasser.Subclass(&a), 0);
    EXPECT_EQ(subclasser.Subclass(&b), 1);
    subclasser.AddMessage(&a, 21, MessageWhen::Before);
    subclasser.AddMessage(&b, 21, MessageWhen::BeforeAndAfter);

    subclasser.Unsubclass(&a);
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"})) << "the own handling is back";
    EXPECT_EQ(subclasser.Subclass(&a), 0) << "the free record before growing";
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"})) << "a reused record starts empty";

    // A handler may unsubclass its window while a message is on its way.
    handler.react = [&](bool before, bool&, qintptr&) {
        if (before)
            subclasser.Unsubclass(&b);
    };
    EXPECT_EQ(send(handler, &b), (QStringList{"before:21:ret0", "b:own:39"}));
    EXPECT_EQ(send(handler, &b), (QStringList{"b:own:39"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A window destroyed while subclassed frees its record; unsubclass all clears the rest.
    {
        Window d(handler.log, "d");
        EXPECT_EQ(subclasser.Subclass(&d), 1);
    }
    EXPECT_TRUE(subclasser.records()[1].isFree());
    subclasser.AddMessage(&a, 21, MessageWhen::Before);
    subclasser.UnsubclassAll();
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"}));
}
