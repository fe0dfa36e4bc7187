#pragma once

#include "app/FocusOrder.h"

#include <array>
#include <functional>
#include <optional>

class QWidget;

// Applies the focus order to the window's widgets: which stop holds a focused widget, and moving
// the focus to the next stop that is shown, enabled and, by the window's own rule, available.
class FocusChain
{
public:
    explicit FocusChain(std::function<bool(FocusOrder::Stop)> isAvailable);

    void setWidget(FocusOrder::Stop stop, QWidget* widget);
    [[nodiscard]] QWidget* widget(FocusOrder::Stop stop) const;
    // The stop whose widget is `focused` or holds it (a tile is inside the grid).
    [[nodiscard]] std::optional<FocusOrder::Stop> stopOf(const QWidget* focused) const;
    // Moves the focus from the stop holding `focused` to the next one; false when none can take it.
    bool move(const QWidget* focused, bool forward);

private:
    [[nodiscard]] bool canFocus(FocusOrder::Stop stop) const;

    std::function<bool(FocusOrder::Stop)> m_isAvailable;
    std::array<QWidget*, FocusOrder::kOrder.size()> m_widgets{};
};
