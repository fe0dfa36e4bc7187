#include "app/Form1.h"
#include "app/Form2.h"
#include "controls/CtlLayers.h"
#include "controls/LayerList.h"
#include "controls/ucScrollbar.h"
#include "grid/IconGrid.h"
#include "grid/WindowLayout.h"
#include "platform/AppPaths.h"
#include "platform/ScreenInfo.h"
#include "platform/SiteAddress.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 20000;

// A main window against a closed port: every page load fails at once, so the chrome can be
// exercised without a catalogue.
class Form1Chrome : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home.isValid());
        AppPaths::setRoot(home.path());
        AppPaths::ensureLayout();
        QFile keywords(AppPaths::goodLuck());
        ASSERT_TRUE(keywords.open(QIODevice::WriteOnly));
        keywords.write("arrow#1\r\n");
        keywords.close();
        ASSERT_TRUE(SiteAddress::setBase("http://127.0.0.1:9/"));
        window = std::make_unique<Form1>();
        window->show();
        QTRY_VERIFY_WITH_TIMEOUT(window->isLaidOut(), kBoundMs);
        // Timer6 runs the first query right after the layout pass: the front page.
        QTRY_COMPARE_WITH_TIMEOUT(window->client().lastRequestUrl(), SiteAddress::base(), kBoundMs);
    }
    void TearDown() override
    {
        window.reset();
        AppPaths::setRoot(QString());
    }

    static void release(QWidget* w, QPoint at = QPoint(20, 20))
    {
        QTest::mousePress(w, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w, Qt::LeftButton, {}, at);
    }

    QTemporaryDir home;
    std::unique_ptr<Form1> window;
};
} // namespace

TEST_F(Form1Chrome, LayoutPassFillsTheWorkAreaAndPlacesTheRegions)
{
    const QRect screen = ScreenInfo::screenGeometry();
    EXPECT_EQ(window->pos(), screen.topLeft());
    EXPECT_EQ(window->width(), screen.width());
    const WindowLayout::Regions r = WindowLayout::compute(window->width(), window->height());
    EXPECT_EQ(window->gridViewport()->geometry(), r.GridPIC);
    EXPECT_EQ(window->scrollbar()->geometry(), r.ucScrollbar1);
    EXPECT_EQ(window->scrollbar()->ScrollStyle(), 1);
    EXPECT_EQ(window->menuPanel()->geometry(), r.menuPanel);
    EXPECT_TRUE(window->menuPanel()->isVisible());
    // The Load More panel waits just below the visible grid.
    EXPECT_EQ(window->loadMorePanel()->y(), r.GridPIC.height());
    // Caption buttons: restore hidden and disabled, close and minimise at the right edge.
    EXPECT_FALSE(window->captionButton(0)->isVisible());
    EXPECT_FALSE(window->captionButton(0)->isEnabled());
    EXPECT_EQ(window->captionButton(1)->x(), r.TitleBar.width() - 35);
    EXPECT_EQ(window->captionButton(1)->toolTip(), "Exit");
    EXPECT_EQ(window->captionButton(2)->x(), r.TitleBar.width() - 70);
    // No results: the scrollbar is disabled with an empty range.
    EXPECT_FALSE(window->scrollbar()->isEnabled());
    EXPECT_EQ(window->scrollbar()->Max(), 0);
}

TEST_F(Form1Chrome, AnUnreachableCatalogueIsSaidOverTheGridUntilTheNextQuery)
{
    QTRY_VERIFY_WITH_TIMEOUT(window->notice()->isVisible(), kBoundMs);
    EXPECT_TRUE(window->notice()->text().startsWith("The catalogue could not be reached."));
    EXPECT_EQ(window->notice()->parentWidget(), window->gridViewport());
    EXPECT_EQ(window->notice()->width(), window->gridViewport()->width());

    window->clearResults();  // what every new query does first
    EXPECT_FALSE(window->notice()->isVisible());
}

TEST_F(Form1Chrome, EnterStartsTheQueryOfTheSearchBox)
{
    window->searchBar()->setFocus();
    window->searchBar()->setText("arrow left");
    QTest::keyClick(window->searchBar(), Qt::Key_Return);
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrowleft");
    // Other keys start nothing.
    window->searchBar()->setText("cat");
    QTest::keyClick(window->searchBar(), Qt::Key_A);
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrowleft");
}

TEST_F(Form1Chrome, MenuButtonTogglesTheCategoryListAndTheGridBackgroundHidesIt)
{
    QWidget* menu = window->menuButton();
    ASSERT_TRUE(menu->isVisible());
    // Not hidden under the Good Luck picture: the whole button can be reached.
    EXPECT_FALSE(menu->geometry().intersects(window->goodLuckButton()->geometry()));
    release(menu);
    EXPECT_FALSE(window->menuPanel()->isVisible());
    release(menu);
    EXPECT_TRUE(window->menuPanel()->isVisible());
    release(window->iconGrid(), QPoint(5, 5));
    EXPECT_FALSE(window->menuPanel()->isVisible());
    release(menu);
    EXPECT_TRUE(window->menuPanel()->isVisible());
}

TEST_F(Form1Chrome, GoodLuckSearchesAListedKeywordAndCloseWritesTheListBack)
{
    release(window->goodLuckButton());
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrow");
    const QPoint before = window->goodLuckButton()->pos();
    release(window->goodLuckButton());
    EXPECT_EQ(window->goodLuckButton()->pos(), before);  // pressed down 1 pixel, released back up

    release(window->captionButton(1));
    QFile keywords(AppPaths::goodLuck());
    ASSERT_TRUE(keywords.open(QIODevice::ReadOnly));
    // Loaded entry, the front page's empty search, and the two Good Luck searches.
    EXPECT_EQ(keywords.readAll(), QByteArray("arrow#1\r\n#1\r\narrow#1\r\narrow#1\r\n"));
}

TEST_F(Form1Chrome, DownloadClickShowsTheBusyWindowOwnedByTheMainWindow)
{
    Q_EMIT window->iconGrid()->DownloadClick(0, 1, 0, 0, 0);
    EXPECT_TRUE(window->busyWindow()->isVisible());
    EXPECT_EQ(window->busyWindow()->parentWidget(), window.get());
    EXPECT_FALSE(window->busyWindow()->isModal());
}

TEST_F(Form1Chrome, ChoosingACategoryRowSearchesItsWord)
{
    // Rows show in reverse load order: "Arrow Icons" (index 18 of 20) is the second row from the top.
    CtlLayers* menu = window->menuPanel();
    const QPoint arrowRow(60, LayerList::kItemHeight * (20 - 1 - 18) + LayerList::kItemHeight / 2);
    QTest::mouseMove(menu, arrowRow);
    QTRY_COMPARE_WITH_TIMEOUT(menu->SelectedIndex(), 18, kBoundMs);
    release(menu, arrowRow);
    EXPECT_EQ(window->searchBar()->text(), "arrow");
    EXPECT_EQ(window->client().lastRequestUrl(), SiteAddress::base() + "?s=arrow");
}
