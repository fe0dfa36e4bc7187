#include "app/FocusOrder.h"
#include "app/GridScroll.h"

#include <gtest/gtest.h>

#include <set>

using Stop = FocusOrder::Stop;

TEST(FocusOrder, TabVisitsTheAvailableStopsInOrderBothWaysAndWraps)
{
    std::set<Stop> unavailable{Stop::MenuButton, Stop::LoadMore};
    const auto can = [&](Stop s) { return !unavailable.count(s); };
    std::vector<Stop> forward;
    std::optional<Stop> at;
    for (int i = 0; i < 8; ++i) {
        at = FocusOrder::next(at, true, can);
        forward.push_back(*at);
    }
    EXPECT_EQ(forward,
              (std::vector<Stop>{Stop::SearchBox, Stop::SearchButton, Stop::GoodLuck, Stop::CategoryList,
                                 Stop::Grid, Stop::Minimize, Stop::Close, Stop::SearchBox}));
    EXPECT_EQ(FocusOrder::next(Stop::SearchBox, false, can), Stop::Close);
    EXPECT_EQ(FocusOrder::next(Stop::Minimize, false, can), Stop::Grid);
    // The focus on a stop that has just become unavailable still moves on from its place.
    EXPECT_EQ(FocusOrder::next(Stop::LoadMore, true, can), Stop::Minimize);
    EXPECT_EQ(FocusOrder::next(std::nullopt, false, can), Stop::Close);
    EXPECT_EQ(FocusOrder::next(Stop::Grid, true, [](Stop) { return false; }), std::nullopt);

    EXPECT_TRUE(FocusOrder::enterStartsQuery(Stop::SearchBox));
    EXPECT_TRUE(FocusOrder::enterStartsQuery(Stop::SearchButton));
    EXPECT_TRUE(FocusOrder::enterStartsQuery(std::nullopt));
    for (Stop s :
         {Stop::GoodLuck, Stop::MenuButton, Stop::CategoryList, Stop::Grid, Stop::LoadMore, Stop::Close})
        EXPECT_FALSE(FocusOrder::enterStartsQuery(s));
}

TEST(GridScroll, ScrollsAsLittleAsNeededToShowARange)
{
    EXPECT_EQ(GridScroll::valueShowing(400, 500, 700, 738), 400);   // already shown
    EXPECT_EQ(GridScroll::valueShowing(400, 1000, 1200, 738), 462); // below: bottom edge meets it
    EXPECT_EQ(GridScroll::valueShowing(400, 200, 400, 738), 200);   // above: top edge meets it
    EXPECT_EQ(GridScroll::valueShowing(0, 0, 900, 738), 0);         // taller than the view: its top
}
