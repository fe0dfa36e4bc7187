#pragma once

#include "controls/SubclassRecord.h"

#include <QtGlobal>

#include <memory>
#include <vector>

class QEvent;
class QObject;

// The receiver of intercepted messages. Called with before true ahead of the window's own
// handling and false after it. handled and result start at false and 0 for every message;
// a before-handler that sets handled keeps the window's own handling from running, and the
// result travels through result (after the own handling: 1 when it recognised the event).
// A before-handler may also redirect the own handling to another window or event by changing
// target or event; message is the message number the event stands for.
class EventInterceptor
{
public:
    virtual void interceptEvent(bool before, bool& handled, qintptr& result, QObject*& target, int& message,
                                QEvent*& event) = 0;

protected:
    ~EventInterceptor() = default;
};

// Per-window event interception for one owner: each subclassed window gets a forwarder (an event
// filter) that, for the registered messages, runs the owner's before phase, then the window's own
// event handling unless handled, then the after phase. Unregistered events pass untouched.
class Subclasser
{
public:
    explicit Subclasser(EventInterceptor& owner);
    ~Subclasser();
    Subclasser(const Subclasser&) = delete;
    Subclasser& operator=(const Subclasser&) = delete;

    // Installs a forwarder on `window` and returns its record index; a free record is reused
    // (searching from the highest index down) before the array grows. A window already
    // subclassed keeps its record.
    int attach(QObject* window);
    // Registers a message for the window's before and/or after phase; a number already present
    // is kept once, WindowMessage::kEveryMessage selects all. Unknown windows are ignored.
    void addMessage(QObject* window, int message, MessageWhen when);
    // Removes the forwarder and frees the record.
    void detach(QObject* window);
    // Unsubclasses every window, from the highest record down.
    void detachAll();

    [[nodiscard]] const std::vector<SubclassRecord>& records() const { return m_records; }
    // Record index of the window, -1 when it is not subclassed.
    [[nodiscard]] int indexOf(const QObject* window) const;

private:
    class Forwarder;
    friend class Forwarder;

    // Runs one event through the phases; true when the event was intercepted.
    bool forward(int index, QObject* window, QEvent* event);

    EventInterceptor& m_owner;
    std::vector<SubclassRecord> m_records;
    std::vector<std::unique_ptr<Forwarder>> m_forwarders;
};
