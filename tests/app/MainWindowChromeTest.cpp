#include "MainWindowTest.h"

#include "app/PictureBox.h"
#include "controls/LayerList.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "grid/IconGrid.h"
#include "support/WaitFor.h"

#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include <set>

namespace
{
// Against a closed port every page load fails at once: the chrome works without a catalogue.
class MainWindowChrome : public MainWindowTest
{
protected:
    void SetUp() override
    {
        open("http://127.0.0.1:9/", "arrow#1\r\n");
        ASSERT_FALSE(HasFatalFailure());
        // The pending-search timer runs the first query right after the layout pass: the front page.
        WAIT_UNTIL(window->client().lastRequestUrl() == address.base(), kBoundMs);
    }
    // A widget's rectangle in window coordinates.
    QRect placed(QWidget* w) const { return QRect(w->mapTo(window.get(), QPoint(0, 0)), w->size()); }
};

// The smallest rectangle holding every dark pixel of the area.
QRect darkBounds(const QImage& image, const QRect& area)
{
    QRect bounds;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QRgb c = image.pixel(x, y); qRed(c) < 150 && qGreen(c) < 150 && qBlue(c) < 150)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// Whether the area holds exactly two colours laid out as a one-pixel checkerboard.
bool isCheckerboard(const QImage& image, const QRect& area)
{
    std::set<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            colours.insert(image.pixel(x, y));
            if (x < area.right() && image.pixel(x + 1, y) == image.pixel(x, y))
                return false;
        }
    }
    return colours.size() == 2;
}

void sendMove(QWidget* w, QPoint at)
{
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}
} // namespace

TEST_F(MainWindowTest, PendingSearchTimerRunsOnlyWhileTheFirstSearchIsPending)
{
    open("http://127.0.0.1:9/", "");
    ASSERT_FALSE(HasFatalFailure());
    // The layout pass ran while the window was shown and raised the flag; the query has not run.
    EXPECT_TRUE(window->isLaidOut());
    EXPECT_TRUE(window->pendingSearchTimer().isActive());
    EXPECT_EQ(window->pendingSearchTimer().interval(), 10);
    EXPECT_TRUE(window->client().lastRequestUrl().isEmpty());
    WAIT_UNTIL(window->client().lastRequestUrl() == address.base(), kBoundMs);
    EXPECT_FALSE(window->pendingSearchTimer().isActive()) << "no ticks while nothing is pending";
}

TEST_F(MainWindowChrome, FillsTheWorkAreaAboveThePanelAndShowsItsRegionsThere)
{
    // 1600 x 900 with a 40-pixel panel: the window covers all above the panel.
    EXPECT_EQ(window->geometry(), QRect(0, 0, 1600, 860));
    EXPECT_EQ(placed(window->menuPanel()), QRect(0, 105, 249, 755));
    EXPECT_EQ(placed(window->gridViewport()), QRect(249, 122, 1334, 738));
    EXPECT_EQ(placed(window->scrollbar()), QRect(1583, 122, 17, 738));
    EXPECT_EQ(placed(window->searchBar()), QRect(663, 42, 463, 17));
    EXPECT_EQ(placed(window->captionButton(1)), QRect(1565, 8, 17, 17));
    EXPECT_EQ(window->focusWidget(), window->searchBar()) << "typing goes to the search box at once";
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts << label->text();
    EXPECT_TRUE(texts.contains("Search and download through 300,000 icons. Powered by Pictomine."));

    const QImage screen = shown(window.get());
    EXPECT_EQ(screen.pixel(5, 5), qRgb(245, 245, 245)) << "logo area";
    EXPECT_EQ(screen.pixel(248, 50), qRgb(224, 224, 224)) << "its right border";
    EXPECT_EQ(screen.pixel(800, 4), qRgb(255, 255, 255)) << "title bar";
    EXPECT_EQ(screen.pixel(800, 121), qRgb(235, 235, 235)) << "toolbar's bottom line";
    EXPECT_EQ(screen.pixel(100, 858), qRgb(245, 245, 245)) << "the category list reaches the bottom";
    EXPECT_TRUE(darkBounds(screen, QRect(1565, 8, 17, 17)).isValid()) << "the close glyph";
    EXPECT_TRUE(darkBounds(screen, QRect(30, 105, 200, 30)).isValid()) << "the top row's caption";
    // The results scrollbar runs down the right edge to the bottom: its track pattern is there.
    EXPECT_TRUE(isCheckerboard(screen, QRect(1583, 800, 17, 40)));
    // Caption buttons: restore hidden and disabled, close with its tool tip.
    EXPECT_FALSE(window->captionButton(0)->isVisible() || window->captionButton(0)->isEnabled());
    EXPECT_EQ(window->captionButton(1)->toolTip(), "Exit");

    WAIT_UNTIL(window->notice()->isVisible(), kBoundMs);
    EXPECT_TRUE(
        window->notice()->text().startsWith("The catalogue at http://127.0.0.1:9/ could not be reached."))
        << window->notice()->text().toStdString();
    // No results: the scrollbar is disabled and the wheel and the keys move nothing.
    IconGrid* grid = window->iconGrid();
    EXPECT_FALSE(window->scrollbar()->isEnabled());
    turnWheel(grid, -120);
    QTest::keyClick(window->searchBar(), Qt::Key_PageDown);
    EXPECT_EQ(std::pair(window->scrollbar()->value(), grid->y()), std::pair(0, 0));
    // A surface exactly the viewport's height has nothing to scroll either.
    grid->resize(grid->width(), window->gridViewport()->height());
    window->updateScrollRange();
    EXPECT_EQ(window->scrollbar()->maximum(), 0);

    window->clearResults(); // what every new query does first
    EXPECT_FALSE(window->notice()->isVisible());
}

TEST_F(MainWindowChrome, LoadMoreCaptionIsDrawnWholeAndCentred)
{
    QWidget* panel = window->loadMorePanel();
    const QImage shows = shown(panel);
    EXPECT_EQ(shows.pixel(3, 3), qRgb(199, 240, 194));
    const QRect text = darkBounds(shows, shows.rect());
    ASSERT_TRUE(text.isValid());
    // All of "Load More Icons...", the full stops included, and not cut at any edge.
    const QFontMetrics metrics(window->loadMoreCaption()->font());
    EXPECT_GE(text.width(), metrics.horizontalAdvance("Load More Icons...") - 3);
    EXPECT_GE(text.height(), metrics.capHeight());
    EXPECT_TRUE(text.top() > 0 && text.bottom() < panel->height() - 1);
    EXPECT_NEAR(text.center().x(), panel->width() / 2.0, 2.0);
    EXPECT_NEAR(text.center().y(), panel->height() / 2.0, 3.0);
}

TEST_F(MainWindowChrome, TheSearchBoxMenuUsesThePlatformsTextColoursAndFrame)
{
    QLineEdit* search = window->searchBar();
    search->setText("arrow");
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(10, 8), search->mapToGlobal(QPoint(10, 8)));
    QApplication::sendEvent(search, &event);
    WAIT_UNTIL(QApplication::activePopupWidget(), kBoundMs);
    QWidget* popup = QApplication::activePopupWidget();
    WAIT_UNTIL(popup->isVisible(), kBoundMs);
    const QImage menu = shown(popup);
    popup->close();
    // Enabled entries ("Select All") are written in the ordinary dark text colour, not the box's
    // grey 128.
    int darkest = 255;
    for (int y = 0; y < menu.height(); ++y)
        for (int x = 0; x < menu.width(); ++x)
            darkest = std::min(darkest, qGray(menu.pixel(x, y)));
    EXPECT_LT(darkest, 80);
    // A frame sets the menu off from what lies under it.
    const int middle = menu.height() / 2;
    EXPECT_NE(menu.pixel(0, middle), menu.pixel(menu.width() / 2, 2)) << "left edge";
    EXPECT_NE(menu.pixel(menu.width() / 2, 0), menu.pixel(menu.width() / 2, 2)) << "top edge";
}

TEST_F(MainWindowChrome, TheCategoryListsDisabledScrollbarShowsNoThumbAndIgnoresClicks)
{
    LayerListWidget* list = window->menuPanel();
    Scrollbar* m_scrollbar = list->scrollbar();
    // Twenty rows (602 pixels) fit the 755-pixel column: nothing to scroll.
    EXPECT_FALSE(m_scrollbar->isEnabled());
    EXPECT_EQ(placed(m_scrollbar), QRect(232, 105, 17, 755));
    const QImage before = shown(list);
    EXPECT_TRUE(isCheckerboard(before, QRect(232, 17, 17, 755 - 34)))
        << "the plain track, no thumb-like block";

    for (const QPoint at : {QPoint(8, 8), QPoint(8, 30), QPoint(8, 400), QPoint(8, 746)}) {
        MainWindowTest::click(m_scrollbar, at);
        QTest::mouseDClick(m_scrollbar, Qt::LeftButton, {}, at);
        QTest::mouseClick(m_scrollbar, Qt::RightButton, {}, at);
        sendMove(m_scrollbar, at);
    }
    EXPECT_EQ(shown(list), before) << "the list did not move";
    EXPECT_EQ(list->selectedIndex(), 0);
    EXPECT_TRUE(window->searchBar()->text().isEmpty()) << "no category was chosen";
    EXPECT_EQ(window->client().lastRequestUrl(), address.base());
}

TEST_F(MainWindowChrome, CaptionButtonsActOnClicksOnlyAndTheSearchButtonDarkensUnderThePointer)
{
    // Pressed on a caption button and released over the grid, a release with no press, another
    // button: nothing happens.
    for (int i : {1, 2}) {
        QWidget* button = window->captionButton(i);
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(-300, 300));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(8, 8));
        QTest::mouseClick(button, Qt::RightButton, {}, QPoint(8, 8));
    }
    EXPECT_TRUE(window->isVisible() && !window->isMinimized());

    // The whole button darkens by black at alpha 20 while the pointer is 10 pixels in from the
    // sides and 5 from the top and bottom; it is plain again outside that or once the pointer left.
    PictureBox* button = window->searchButton();
    const QImage idle = shown(button);
    sendMove(button, QPoint(32, 20));
    const QImage dark = shown(button);
    for (const QPoint p : {QPoint(2, 2), QPoint(32, 20), QPoint(62, 38)})
        for (const int shift : {0, 8, 16})
            EXPECT_NEAR(dark.pixel(p) >> shift & 0xFF, (idle.pixel(p) >> shift & 0xFF) * 235 / 255.0, 1.0);
    for (const QPoint edge : {QPoint(9, 20), QPoint(55, 20), QPoint(32, 4), QPoint(32, 36)}) {
        sendMove(button, edge);
        EXPECT_EQ(shown(button), idle) << edge.x() << "," << edge.y();
    }
    sendMove(button, QPoint(10, 5));
    EXPECT_NE(shown(button), idle) << "left and top edges are inside";
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(button, &leave);
    EXPECT_EQ(shown(button), idle);
}

TEST_F(MainWindowChrome, GoodLuckAndEnterSearchAndTheKeywordListIsWrittenBeforeGoodLuckAndOnClose)
{
    auto keywordFile = [this] {
        QFile file(paths.goodLuck());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Good Luck first, while "arrow" is the only keyword listed: the list (the loaded entry and the
    // front page's empty search) is on disk before the query records the pick.
    click(window->goodLuckButton());
    EXPECT_EQ(window->searchBar()->text(), "arrow");
    EXPECT_EQ(window->client().lastRequestUrl(), address.base() + "?s=arrow");
    EXPECT_EQ(keywordFile(), "arrow#1\r\n#1\r\n");

    window->searchBar()->setText("arrowleft");
    QTest::keyClick(window->searchBar(), Qt::Key_A); // other keys start nothing
    EXPECT_EQ(window->client().lastRequestUrl(), address.base() + "?s=arrow");
    QTest::keyClick(window->searchBar(), Qt::Key_Return);
    EXPECT_EQ(window->client().lastRequestUrl(), address.base() + "?s=arrowlefta");

    click(window->captionButton(1), QPoint(8, 8));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(keywordFile(), "arrow#1\r\n#1\r\narrow#1\r\narrowlefta#1\r\n");
}

TEST_F(MainWindowChrome, CategoryRowsSearchAndTheMenuButtonAndGridBackgroundToggleTheList)
{
    // Rows show in reverse load order: "Arrow Icons" (index 18 of 20) is the second row from the top.
    LayerListWidget* list = window->menuPanel();
    ASSERT_TRUE(list->isVisible());
    const QPoint arrowRow(60, LayerList::kItemHeight * (20 - 1 - 18) + LayerList::kItemHeight / 2);
    QTest::mouseMove(list, arrowRow);
    WAIT_EQ(list->selectedIndex(), 18, kBoundMs);
    click(list, arrowRow);
    EXPECT_EQ(window->searchBar()->text(), "arrow");
    EXPECT_EQ(window->client().lastRequestUrl(), address.base() + "?s=arrow");

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
