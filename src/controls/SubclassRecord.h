#pragma once

#include "controls/WindowMessage.h"

#include <algorithm>
#include <vector>

class QObject;

// The message numbers one phase of a subclassed window intercepts. Every number is held once;
// registering kEveryMessage selects all messages (count -1) for good.
class MessageTable
{
public:
    void add(int message)
    {
        if (message == WindowMessage::kEveryMessage) {
            m_every = true;
            m_entries.clear();
            return;
        }
        if (m_every || message == WindowMessage::kNull || contains(message))
            return;
        m_entries.push_back(message);
    }

    [[nodiscard]] bool wants(int message) const
    {
        return m_every || (message != WindowMessage::kNull && contains(message));
    }

    // Number of entries, -1 when every message is selected.
    [[nodiscard]] int count() const { return m_every ? -1 : int(m_entries.size()); }
    [[nodiscard]] const std::vector<int>& entries() const { return m_entries; }

    void clear()
    {
        m_every = false;
        m_entries.clear();
    }

private:
    [[nodiscard]] bool contains(int message) const
    {
        return std::find(m_entries.begin(), m_entries.end(), message) != m_entries.end();
    }

    std::vector<int> m_entries;
    bool m_every = false;
};

// When a registered message reaches the handler; the two may be combined.
enum class MessageWhen { After = 1, Before = 2, BeforeAndAfter = 3 };

// One subclassed window: the window (nullptr marks a free record) and its two message tables.
struct SubclassRecord {
    QObject* window = nullptr;
    MessageTable before;
    MessageTable after;

    [[nodiscard]] bool isFree() const { return window == nullptr; }
    void clear()
    {
        window = nullptr;
        before.clear();
        after.clear();
    }
};
