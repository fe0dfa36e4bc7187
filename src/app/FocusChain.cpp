#include "app/FocusChain.h"

#include <QWidget>

FocusChain::FocusChain(std::function<bool(FocusOrder::Stop)> isAvailable)
    : m_isAvailable(std::move(isAvailable))
{
}

void FocusChain::setWidget(FocusOrder::Stop stop, QWidget* widget)
{
    m_widgets[std::size_t(stop)] = widget;
}

QWidget* FocusChain::widget(FocusOrder::Stop stop) const
{
    return m_widgets[std::size_t(stop)];
}

std::optional<FocusOrder::Stop> FocusChain::stopOf(const QWidget* focused) const
{
    for (const QWidget* w = focused; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        for (const FocusOrder::Stop stop : FocusOrder::kOrder) {
            if (widget(stop) == w)
                return stop;
        }
    }
    return std::nullopt;
}

bool FocusChain::canFocus(FocusOrder::Stop stop) const
{
    const QWidget* w = widget(stop);
    return w && w->isVisible() && w->isEnabled() && m_isAvailable(stop);
}

bool FocusChain::move(const QWidget* focused, bool forward)
{
    const std::optional<FocusOrder::Stop> to =
        FocusOrder::next(stopOf(focused), forward, [this](FocusOrder::Stop s) { return canFocus(s); });
    if (!to)
        return false;
    widget(*to)->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
