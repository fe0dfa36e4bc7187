#include "MainWindowTest.h"

#include "controls/CtlLayers.h"
#include "controls/LayerList.h"
#include "controls/ucScrollbar.h"
#include "grid/IconGrid.h"
#include "grid/WindowLayout.h"
#include "platform/ScreenInfo.h"

#include <QLabel>
#include <QLineEdit>

namespace
{
// Against a closed port every page load fails at once: the chrome works without a catalogue.
class Form1Chrome : public MainWindowTest
{
protected:
    void SetUp() override
    {
        open("http://127.0.0.1:9/", "arrow#1\r\n");
        ASSERT_FALSE(HasFatalFailure());
        // Timer6 runs the first query right after the layout pass: the front page.
        ASSERT_TRUE(QTest::qWaitFor([&] { return window->client().lastRequestUrl() == SiteAddress::base(); },
                                    kBoundMs));
    }
};
} // namespace

TEST_F(Form1Chrome, LayoutFillsTheWorkAreaAndAnEmptyResultSetSaysWhyAndDoesNotScroll)
{
    const QRect screen = ScreenInfo::screenGeometry();
    EXPECT_EQ(window->pos(), screen.topLeft());
    EXPECT_EQ(window->width(), screen.width());
    const WindowLayout::Regions r = WindowLayout::compute(window->width(), window->height());
    EXPECT_EQ(window->gridViewport()->geometry(), r.GridPIC);
    EXPECT_EQ(window->scrollbar()->geometry(), r.ucScrollbar1);
    EXPECT_EQ(window->scrollbar()->ScrollStyle(), 1);
    EXPECT_EQ(window->menuPanel()->geometry(), r.menuPanel);
    // Caption buttons: restore hidden and disabled, close with its tool tip.
    EXPECT_FALSE(window->captionButton(0)->isVisible() || window->captionButton(0)->isEnabled());
    EXPECT_EQ(window->captionButton(1)->toolTip(), "Exit");

    ASSERT_TRUE(QTest::qWaitFor([&] { return window->notice()->isVisible(); }, kBoundMs));
    EXPECT_TRUE(window->notice()->text().startsWith("The catalogue could not be reached."));
    EXPECT_EQ(window->notice()->parentWidget(), window->gridViewport());
    // No results: the scrollbar is disabled and the wheel moves nothing.
    IconGrid* grid = window->iconGrid();
    EXPECT_FALSE(window->scrollbar()->isEnabled());
    turnWheel(grid, -120);
    EXPECT_EQ(window->scrollbar()->Value(), 0);
    EXPECT_EQ(grid->y(), 0);
    // A surface exactly the viewport's height has nothing to scroll either.
    grid->resize(grid->width(), window->gridViewport()->height());
    window->UpdateScrollRange();
    EXPECT_EQ(window->scrollbar()->Max(), 0);

    window->clearResults(); // what every new query does first
    EXPECT_FALSE(window->notice()->isVisible());
}

TEST_F(Form1Chrome, GoodLuckAndEnterSearchAndCloseWritesTheKeywordListBack)
{
    // Good Luck first, while "arrow" is the only keyword listed.
    click(window->goodLuckButton());
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrow");

    window->searchBar()->setText("arrowleft");
    QTest::keyClick(window->searchBar(), Qt::Key_A); // other keys start nothing
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrow");
    QTest::keyClick(window->searchBar(), Qt::Key_Return);
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrowlefta");

    click(window->captionButton(1));
    EXPECT_FALSE(window->isVisible());
    QFile keywords(AppPaths::goodLuck());
    ASSERT_TRUE(keywords.open(QIODevice::ReadOnly));
    // Loaded entry, the front page's empty search, the Good Luck one and the typed one.
    EXPECT_EQ(keywords.readAll(), QByteArray("arrow#1\r\n#1\r\narrow#1\r\narrowlefta#1\r\n"));
}

TEST_F(Form1Chrome, CategoryRowsSearchAndTheMenuButtonAndGridBackgroundToggleTheList)
{
    // Rows show in reverse load order: "Arrow Icons" (index 18 of 20) is the second row from the top.
    CtlLayers* list = window->menuPanel();
    ASSERT_TRUE(list->isVisible());
    const QPoint arrowRow(60, LayerList::kItemHeight * (20 - 1 - 18) + LayerList::kItemHeight / 2);
    QTest::mouseMove(list, arrowRow);
    ASSERT_TRUE(QTest::qWaitFor([&] { return list->SelectedIndex() == 18; }, kBoundMs));
    click(list, arrowRow);
    EXPECT_EQ(window->searchBar()->text(), "arrow");
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrow");

    // The menu button is not hidden under the Good Luck picture: it can always bring the list back.
    QWidget* menu = window->menuButton();
    EXPECT_FALSE(menu->geometry().intersects(window->goodLuckButton()->geometry()));
    click(window->iconGrid(), QPoint(5, 5));
    EXPECT_FALSE(list->isVisible());
    click(menu);
    EXPECT_TRUE(list->isVisible());
    click(menu);
    EXPECT_FALSE(list->isVisible());
}
