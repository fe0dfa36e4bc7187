#pragma once

#include "app/FocusChain.h"

#include <QObject>

class MainWindow;

// The main window's keyboard and screen-reader wiring: names and tool tips of its controls, the
// Tab order, and the keys the window previews before its controls: Enter starts a query from the
// search box and the search button (on any other control that control handles it), Escape
// cancels the busy window's download.
class KeyboardAccess : public QObject
{
    Q_OBJECT
public:
    explicit KeyboardAccess(MainWindow& window);
    ~KeyboardAccess() override;

    // Tab and Shift+Tab: moves the focus to the next stop; false when no stop can take it.
    bool moveFocus(bool forward);
    [[nodiscard]] const FocusChain& chain() const { return m_chain; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void nameControls();
    [[nodiscard]] bool isAvailable(FocusOrder::Stop stop) const;

    MainWindow& m_window;
    FocusChain m_chain;
};
