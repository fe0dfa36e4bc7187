#include "grid/GridKeys.h"
#include "grid/IconTile.h"
#include "platform/AppPaths.h"

#include <gtest/gtest.h>

using Action = GridKeys::Action;

TEST(GridKeys, MapsKeysToTheTileActions)
{
    EXPECT_EQ(GridKeys::action(Qt::Key_Return, {}), Action::Download);
    EXPECT_EQ(GridKeys::action(Qt::Key_Enter, Qt::KeypadModifier), Action::Download);
    EXPECT_EQ(GridKeys::action(Qt::Key_Return, Qt::ControlModifier), Action::OpenPost);
    EXPECT_EQ(GridKeys::action(Qt::Key_Menu, {}), Action::ContextMenu);
    EXPECT_EQ(GridKeys::action(Qt::Key_F10, Qt::ShiftModifier), Action::ContextMenu);
    EXPECT_EQ(GridKeys::action(Qt::Key_F10, {}), Action::None);
    EXPECT_EQ(GridKeys::action(Qt::Key_C, Qt::ControlModifier), Action::CopyImage);
    EXPECT_EQ(GridKeys::action(Qt::Key_C, {}), Action::None); // typing goes nowhere
    EXPECT_EQ(GridKeys::action(Qt::Key_PageDown, {}), Action::PageDown);
}

TEST(GridKeys, MovesStayInsideAGridWithAShortLastRow)
{
    // 14 tiles in 5 columns: rows 0-4, 5-9, 10-13; a screen holds 2 rows.
    const auto to = [](Action a, int from) { return GridKeys::target(a, from, 14, 5, 2); };
    EXPECT_EQ(to(Action::Left, 0), 0);
    EXPECT_EQ(to(Action::Left, 5), 4); // reading order wraps to the row above
    EXPECT_EQ(to(Action::Right, 13), 13);
    EXPECT_EQ(to(Action::Up, 3), 3);
    EXPECT_EQ(to(Action::Up, 8), 3);
    EXPECT_EQ(to(Action::Down, 3), 8);
    EXPECT_EQ(to(Action::Down, 9), 13);  // no tile below: the last one
    EXPECT_EQ(to(Action::Down, 12), 12); // already on the last row
    EXPECT_EQ(to(Action::PageDown, 1), 11);
    EXPECT_EQ(to(Action::PageDown, 4), 13); // the last row lacks column 4
    EXPECT_EQ(to(Action::PageDown, 9), 13);
    EXPECT_EQ(to(Action::PageUp, 13), 3);
    EXPECT_EQ(to(Action::PageUp, 7), 2); // less than a page up: the same column of the first row
    EXPECT_EQ(to(Action::Home, 9), 0);
    EXPECT_EQ(to(Action::End, 2), 13);
    EXPECT_EQ(GridKeys::target(Action::PageDown, 0, 3, 5, 3), 0); // one short row
}

TEST(IconTile, ScreenReadersCallATileWithoutATitleByItsIconsFileName)
{
    const AppPaths folders;
    IconTile tile(folders);
    tile.setIconLocal(QStringLiteral("201511ab-150x150.png"));
    tile.setIconTitle(QStringLiteral("Red Apple"));
    EXPECT_EQ(tile.accessibleTitle(), "Red Apple");
    tile.setIconTitle(QStringLiteral("  "));
    EXPECT_EQ(tile.accessibleTitle(), "201511ab.png");
}
