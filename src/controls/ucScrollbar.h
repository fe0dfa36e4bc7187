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
class ucScrollbar : public QWidget, public SubclassHandler, private ScrollbarHost
{
    Q_OBJECT
public:
    static constexpr const char* kVersion = "1.0.3";

    explicit ucScrollbar(QWidget* parent = nullptr);
    ~ucScrollbar() override;

    void zSubclass_Proc(bool bBefore, bool& bHandled, qintptr& lReturn, QObject*& lhWnd, int& uMsg,
                        QEvent*& event) override;

    // Invalidates the whole bar.
    void Refresh();

    [[nodiscard]] int Value() const { return m_layout.value(); }
    // Clamped to [Min, Max]; Change when the value moved.
    void setValue(int New_Value);
    [[nodiscard]] int Min() const { return m_layout.min(); }
    // Min and Max never cross; a Value left outside is pulled in without Change.
    void setMin(int New_Min);
    [[nodiscard]] int Max() const { return m_layout.max(); }
    void setMax(int New_Max);
    [[nodiscard]] int SmallChange() const { return m_layout.smallChange(); }
    void setSmallChange(int New_SmallChange); // at least 1
    [[nodiscard]] int LargeChange() const { return m_layout.largeChange(); }
    void setLargeChange(int New_LargeChange); // at least 1
    [[nodiscard]] int ChangeDelay() const { return m_input.changeDelay(); }
    void setChangeDelay(int New_ChangeDelay); // at least 0 ms
    [[nodiscard]] int ChangeFrequency() const { return m_input.changeFrequency(); }
    void setChangeFrequency(int New_ChangeFrequency); // at least 25 ms
    [[nodiscard]] int Orientation() const { return m_layout.orientation(); }
    void setOrientation(int New_Orientation); // 0 vertical, 1 horizontal
    // The bar's Style property (ScrollbarStyle 0..3); named so as not to hide QWidget::style().
    [[nodiscard]] int ScrollStyle() const { return m_style; }
    void setScrollStyle(int New_Style);
    [[nodiscard]] bool ShowButtons() const { return m_layout.showButtons(); }
    void setShowButtons(bool New_ShowButtons);

    [[nodiscard]] bool IsXP() const { return m_caps.isXP; }
    [[nodiscard]] bool IsThemed() const { return m_caps.isThemed; }

    // The about box, through Dialogs.
    void About();

    // Persisted properties; values equal to their defaults are not written. Values read are
    // held to the setters' rules.
    void ReadProperties(const PropertyBag& bag);
    void WriteProperties(PropertyBag& bag) const;

    // Observers for the host and tests.
    [[nodiscard]] const ScrollbarLayout& layout() const { return m_layout; }
    [[nodiscard]] const ScrollbarInteraction& interaction() const { return m_input; }
    [[nodiscard]] bool isBarTimerActive(int id) const;

Q_SIGNALS:
    void Change();
    void Scroll();
    void ThemeChanged();
    // Owner-drawn style: once per part while painting (part 0..5, state 0 normal, 1 pressed, 2 hot).
    void OnPaint(QPainter* dc, int left, int top, int right, int bottom, int part, int state);

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
    void handlePointer(int uMsg, QEvent* event);
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
