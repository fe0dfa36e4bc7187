#pragma once

#include "controls/ScrollbarInteraction.h"
#include "controls/ScrollbarLayout.h"
#include "controls/ScrollbarPainter.h"
#include "controls/Subclasser.h"
#include "controls/ThemeProbe.h"

#include <QWidget>

class PropertyBag;
class QPainter;

// A self-drawn scrollbar: arrow buttons, a paging track and a draggable thumb with press-and-hold
// auto-repeat and hover highlight, in four styles (ScrollbarStyle). The bar intercepts its own
// window's events (Subclasser): painting and sizing ahead of QWidget's handling, pointer, timer,
// palette and theme events after it. Enabled is QWidget's own enabled state; a disabled bar
// ignores the pointer and paints disabled. Geometry follows the widget's size notifications.
class Scrollbar : public QWidget, public EventInterceptor, private ScrollbarHost
{
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.3";

    explicit Scrollbar(QWidget* parent = nullptr);
    ~Scrollbar() override;

    void interceptEvent(bool before, bool& handled, qintptr& result, QObject*& target, int& message,
                        QEvent*& event) override;

    // Invalidates the whole bar.
    void refresh();

    [[nodiscard]] int value() const { return m_layout.value(); }
    // Clamped to [minimum, maximum]; valueChanged when the value moved.
    void setValue(int value);
    [[nodiscard]] int minimum() const { return m_layout.min(); }
    // minimum and maximum never cross; a value left outside is pulled in without valueChanged.
    void setMinimum(int minimum);
    [[nodiscard]] int maximum() const { return m_layout.max(); }
    void setMaximum(int maximum);
    [[nodiscard]] int smallChange() const { return m_layout.smallChange(); }
    void setSmallChange(int smallChange); // at least 1
    [[nodiscard]] int largeChange() const { return m_layout.largeChange(); }
    void setLargeChange(int largeChange); // at least 1
    [[nodiscard]] int changeDelay() const { return m_input.changeDelay(); }
    void setChangeDelay(int changeDelay); // at least 0 ms
    [[nodiscard]] int changeFrequency() const { return m_input.changeFrequency(); }
    void setChangeFrequency(int changeFrequency); // at least 25 ms
    [[nodiscard]] int orientation() const { return m_layout.orientation(); }
    void setOrientation(int orientation); // 0 vertical, 1 horizontal
    // The bar's Style property (ScrollbarStyle 0..3); named so as not to hide QWidget::style().
    [[nodiscard]] int scrollStyle() const { return m_style; }
    void setScrollStyle(int style);
    [[nodiscard]] bool showButtons() const { return m_layout.showButtons(); }
    void setShowButtons(bool show);

    [[nodiscard]] bool isXp() const { return m_caps.isXP; }
    [[nodiscard]] bool isThemed() const { return m_caps.isThemed; }

    // The about box, through Dialogs.
    void about();

    // Persisted properties; values equal to their defaults are not written. Values read are
    // held to the setters' rules.
    void readProperties(const PropertyBag& bag);
    void writeProperties(PropertyBag& bag) const;

    // Observers for the host and tests.
    [[nodiscard]] const ScrollbarLayout& layout() const { return m_layout; }
    [[nodiscard]] const ScrollbarInteraction& interaction() const { return m_input; }
    [[nodiscard]] bool isBarTimerActive(int id) const;

Q_SIGNALS:
    void valueChanged();
    void scrolled();
    void themeChanged();
    // Owner-drawn style: once per part while painting (part 0..5, state 0 normal, 1 pressed, 2 hot).
    void paintPart(QPainter* dc, int left, int top, int right, int bottom, int part, int state);

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void invalidate() override;
    void raiseChange() override;
    void raiseScroll() override;
    void startBarTimer(int id, int periodMs) override;
    void stopBarTimer(int id) override;

    void registerMessages();
    void paintBar();
    void handlePointer(int message, QEvent* event);
    void handleTimer(QEvent* event);
    void injectPress(QEvent* event);
    void stopAllTimers();

    ScrollbarLayout m_layout;
    ScrollbarInteraction m_input;
    ScrollbarPainter m_painter;
    Subclasser m_subclasser;
    ThemeCapabilities m_caps;
    int m_style = int(ScrollbarStyle::Classic);
    int m_timerIds[3] = {}; // Qt timer ids of bar timers 1 and 2; 0 when stopped
};
