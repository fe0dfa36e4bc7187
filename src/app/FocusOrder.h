#pragma once

#include <array>
#include <functional>
#include <optional>

// The main window's keyboard focus order for Tab and Shift+Tab, and what Enter does where.
class FocusOrder
{
public:
    enum class Stop {
        SearchBox,
        SearchButton,
        GoodLuck,
        MenuButton,
        CategoryList,
        Grid,
        LoadMore,
        Minimize,
        Close
    };

    static constexpr std::array<Stop, 9> kOrder = {Stop::SearchBox,  Stop::SearchButton, Stop::GoodLuck,
                                                   Stop::MenuButton, Stop::CategoryList, Stop::Grid,
                                                   Stop::LoadMore,   Stop::Minimize,     Stop::Close};

    // The stop after `from` (before it when going backward) that can take the focus, wrapping
    // around; from no stop, the first (or last) one that can. Nothing when no stop can.
    [[nodiscard]] static std::optional<Stop> next(std::optional<Stop> from, bool forward,
                                                  const std::function<bool(Stop)>& canFocus);
    // Enter starts a query from the search box, the search button and where no stop has the
    // focus; on any other stop it activates that control.
    [[nodiscard]] static bool enterStartsQuery(std::optional<Stop> focused);
};
