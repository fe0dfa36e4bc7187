#include "app/FocusOrder.h"

#include <algorithm>

std::optional<FocusOrder::Stop> FocusOrder::next(std::optional<Stop> from, bool forward,
                                                 const std::function<bool(Stop)>& canFocus)
{
    const int count = int(kOrder.size());
    int at = forward ? -1 : count;
    if (from)
        at = int(std::find(kOrder.begin(), kOrder.end(), *from) - kOrder.begin());
    for (int step = 1; step <= count; ++step) {
        const int index = ((at + (forward ? step : -step)) % count + count) % count;
        if (canFocus(kOrder[std::size_t(index)]))
            return kOrder[std::size_t(index)];
    }
    return std::nullopt;
}

bool FocusOrder::enterStartsQuery(std::optional<Stop> focused)
{
    return !focused || *focused == Stop::SearchBox || *focused == Stop::SearchButton;
}
