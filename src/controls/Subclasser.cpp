#include "controls/Subclasser.h"

#include <QEvent>
#include <QObject>

// The per-window forwarder: an event filter on the window that hands events to its record.
class Subclasser::Forwarder : public QObject
{
public:
    Forwarder(Subclasser& owner, int index) : m_owner(owner), m_index(index) {}

    bool isDispatching() const { return m_depth > 0; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        ++m_depth;
        const bool intercepted = m_owner.forward(m_index, watched, event);
        --m_depth;
        return intercepted;
    }

private:
    Subclasser& m_owner;
    int m_index;
    int m_depth = 0;
};

Subclasser::Subclasser(EventInterceptor& owner) : m_owner(owner) {}

Subclasser::~Subclasser()
{
    detachAll();
}

int Subclasser::indexOf(const QObject* window) const
{
    if (window == nullptr)
        return -1;
    for (int i = int(m_records.size()) - 1; i >= 0; --i) {
        if (m_records[size_t(i)].window == window)
            return i;
    }
    return -1;
}

int Subclasser::attach(QObject* window)
{
    if (window == nullptr)
        return -1;
    if (const int existing = indexOf(window); existing >= 0)
        return existing;
    int index = -1;
    for (int i = int(m_records.size()) - 1; i >= 0 && index < 0; --i) {
        if (m_records[size_t(i)].isFree())
            index = i;
    }
    if (index < 0) {
        index = int(m_records.size());
        m_records.emplace_back();
        m_forwarders.emplace_back();
    }
    m_records[size_t(index)].window = window;
    auto forwarder = std::make_unique<Forwarder>(*this, index);
    window->installEventFilter(forwarder.get());
    // A window destroyed while subclassed frees its record instead of leaving a dangling one.
    QObject::connect(window, &QObject::destroyed, forwarder.get(),
                     [this, index] { m_records[size_t(index)].clear(); });
    m_forwarders[size_t(index)] = std::move(forwarder);
    return index;
}

void Subclasser::addMessage(QObject* window, int message, MessageWhen when)
{
    const int index = indexOf(window);
    if (index < 0)
        return;
    SubclassRecord& record = m_records[size_t(index)];
    const int flags = int(when);
    if (flags & int(MessageWhen::Before))
        record.before.add(message);
    if (flags & int(MessageWhen::After))
        record.after.add(message);
}

void Subclasser::detach(QObject* window)
{
    const int index = indexOf(window);
    if (index < 0)
        return;
    std::unique_ptr<Forwarder>& forwarder = m_forwarders[size_t(index)];
    window->removeEventFilter(forwarder.get());
    // A forwarder still inside its own filter call is deleted once that call has returned.
    if (forwarder->isDispatching())
        forwarder.release()->deleteLater();
    else
        forwarder.reset();
    m_records[size_t(index)].clear();
}

void Subclasser::detachAll()
{
    for (int i = int(m_records.size()) - 1; i >= 0; --i) {
        if (!m_records[size_t(i)].isFree())
            detach(m_records[size_t(i)].window);
    }
}

bool Subclasser::forward(int index, QObject* window, QEvent* event)
{
    const SubclassRecord& record = m_records[size_t(index)];
    if (record.window != window)
        return false;
    int message = WindowMessage::fromEvent(*event);
    const bool before = record.before.wants(message);
    const bool after = record.after.wants(message);
    if (!before && !after)
        return false;

    bool handled = false;
    qintptr result = 0;
    QObject* target = window;
    if (before)
        m_owner.interceptEvent(true, handled, result, target, message, event);
    // The window's own handling, run here so the after phase can see its result; calling event()
    // directly skips the filters, this forwarder among them.
    if (!handled && target != nullptr)
        result = target->event(event) ? 1 : 0;
    // The before phase may have unsubclassed the window; the after phase then no longer applies.
    if (after && m_records[size_t(index)].window == window)
        m_owner.interceptEvent(false, handled, result, target, message, event);
    return true;
}
