#include "MainWindowTest.h"

#include "app/BusyWindow.h"
#include "app/PictureBox.h"
#include "catalogue/CategoryTable.h"
#include "controls/FocusMark.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "export/DownloadNames.h"
#include "export/FullIconFetch.h"
#include "export/IconDownloadFlow.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "grid/TileMenu.h"
#include "support/SiteProcess.h"
#include "support/WaitFor.h"

#include <QAccessible>
#include <QBuffer>
#include <QContextMenuEvent>
#include <QImageReader>
#include <QLineEdit>
#include <QMimeData>
#include <QMouseEvent>

namespace
{
// The window on the stand-in catalogue, driven with the keyboard alone.
class KeyboardFlow : public MainWindowTest
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
        open(site.baseUrl(), "flag#2\r\n");
        ASSERT_FALSE(HasFatalFailure());
        WAIT_UNTIL(window->client().resultList().size() == 30, kBoundMs);
        WAIT_UNTIL(!window->client().isLoading(), kBoundMs);
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    static QWidget* focused() { return QApplication::focusWidget(); }
    static void key(int k, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::keyClick(focused(), Qt::Key(k), modifiers);
    }
    // Tabs (at most a round of the window) until the focus is in `target`.
    void tabTo(QWidget* target)
    {
        for (int i = 0; i < 12 && !(focused() == target || target->isAncestorOf(focused())); ++i)
            key(Qt::Key_Tab);
        ASSERT_TRUE(focused() == target || target->isAncestorOf(focused()));
    }
    IconGrid* grid() const { return window->iconGrid(); }
    // Closes the tile menu; the headless platform hands activation to popups and does not give it
    // back, as a desktop does.
    void closeMenu()
    {
        grid()->tileMenu()->close();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }
    // Whether the widget's area shows the focus colour along its left edge.
    static bool showsMark(QWidget* w, int x = 0)
    {
        const QImage image = shown(w);
        return image.pixel(x, image.height() / 2) == FocusMark::kColour;
    }
    static QSize pngSize(const QMimeData& data)
    {
        QByteArray bytes = data.data("image/png");
        QBuffer buffer(&bytes);
        QImageReader reader(&buffer, "png");
        return reader.read().size();
    }

    SiteProcess site{{"--synthetic", "400"}};
};

QList<QAccessibleInterface*> descendants(QAccessibleInterface* iface)
{
    QList<QAccessibleInterface*> all;
    for (int i = 0; i < iface->childCount(); ++i) {
        all << iface->child(i);
        all << descendants(iface->child(i));
    }
    return all;
}
} // namespace

TEST_F(KeyboardFlow, TabVisitsEveryControlInOrderWithAVisibleMarkAndEnterActsOnIt)
{
    ASSERT_EQ(focused(), window->searchBar());
    const QList<QWidget*> order{window->searchButton(),   window->goodLuckButton(), window->menuButton(),
                                window->menuPanel(),      grid()->tile(0),          window->loadMorePanel(),
                                window->captionButton(2), window->captionButton(1), window->searchBar()};
    for (QWidget* next : order) {
        key(Qt::Key_Tab);
        EXPECT_EQ(focused(), next) << next->metaObject()->className() << " "
                                   << next->accessibleName().toStdString();
        if (next != window->menuPanel() && next != window->searchBar()) {
            EXPECT_TRUE(showsMark(next)) << next->accessibleName().toStdString();
        }
    }
    // The search box's ring sits just outside it, in the box's white surround.
    const QPoint ringAt = window->searchBar()->geometry().topLeft() + QPoint(-3, 4);
    EXPECT_EQ(shown(window->searchBar()->parentWidget()).pixel(ringAt), FocusMark::kColour);
    key(Qt::Key_Backtab);
    EXPECT_EQ(focused(), window->captionButton(1));
    EXPECT_FALSE(showsMark(window->searchButton())) << "only the focused control is marked";

    // Enter on the menu button hides the category list: Tab then goes past it; Space shows it.
    tabTo(window->menuButton());
    key(Qt::Key_Return);
    EXPECT_FALSE(window->menuPanel()->isVisible());
    key(Qt::Key_Tab);
    EXPECT_EQ(focused(), grid()->tile(0));
    key(Qt::Key_Backtab);
    key(Qt::Key_Space);
    EXPECT_TRUE(window->menuPanel()->isVisible());

    // Good Luck from the keyboard searches the remembered keyword.
    tabTo(window->goodLuckButton());
    key(Qt::Key_Space);
    EXPECT_EQ(window->searchBar()->text(), "flag");
    EXPECT_TRUE(window->client().lastRequestUrl().contains("flag"));

    // The category list: Home is the top row, Down the next; Enter runs it as a release does.
    tabTo(window->menuPanel());
    key(Qt::Key_Home);
    key(Qt::Key_Down);
    EXPECT_EQ(window->menuPanel()->selectedIndex(), 18);
    key(Qt::Key_Return);
    EXPECT_TRUE(window->client().lastRequestUrl().contains(CategoryTable::slug(18)))
        << window->client().lastRequestUrl().toStdString();
    WAIT_UNTIL(!window->client().isLoading() && window->client().resultList().size() > 0, kBoundMs);

    // Enter in the search box searches; Tab selected its text, so typing replaces it.
    tabTo(window->searchBar());
    QTest::keyClicks(focused(), "tree");
    key(Qt::Key_Return);
    EXPECT_EQ(window->searchBar()->text(), "tree");
    EXPECT_TRUE(window->client().lastRequestUrl().contains("tree"));
}

TEST_F(KeyboardFlow, GridKeysMoveTheFocusedTileWithItsStripScrollItIntoViewAndDownloadIt)
{
    tabTo(grid());
    ASSERT_FALSE(HasFatalFailure());
    IconTile* first = grid()->tile(0);
    EXPECT_EQ(focused(), first);
    WAIT_UNTIL(first->strip().isActive(), kBoundMs);
    EXPECT_TRUE(showsMark(first, 1));

    // Focus and hover share the one last tile: one strip up at a time.
    key(Qt::Key_Right);
    EXPECT_EQ(focused(), grid()->tile(1));
    EXPECT_FALSE(first->strip().isActive());
    QMouseEvent move(QEvent::MouseMove, QPointF(20, 20), grid()->tile(5)->mapToGlobal(QPointF(20, 20)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(grid()->tile(5), &move);
    EXPECT_TRUE(grid()->tile(5)->strip().isActive());
    EXPECT_EQ(focused(), grid()->tile(5)) << "the focus follows the pointer's tile";
    EXPECT_FALSE(grid()->tile(1)->strip().isActive());

    // Page Down by the rows a screen holds, scrolled so the whole tile shows.
    const int columns = grid()->gridGeometry().columns();
    const int viewport = window->gridViewport()->height();
    const int rows = viewport / 200;
    ASSERT_GE(rows, 2);
    key(Qt::Key_PageDown);
    const int paged = 5 + rows * columns;
    ASSERT_LT(paged, 30);
    EXPECT_EQ(grid()->focusedTile(), paged);
    const QRect cell = grid()->tile(paged)->geometry().translated(0, grid()->y());
    EXPECT_GE(cell.top(), 0);
    EXPECT_LE(cell.bottom(), viewport);
    EXPECT_EQ(-grid()->y(), window->scrollbar()->value());
    key(Qt::Key_End);
    EXPECT_EQ(grid()->focusedTile(), 29);
    EXPECT_EQ(window->scrollbar()->value(), window->scrollbar()->maximum());
    key(Qt::Key_Home);
    EXPECT_EQ(std::pair(grid()->focusedTile(), grid()->y()), std::pair(0, 0));
    key(Qt::Key_Down);
    EXPECT_EQ(grid()->focusedTile(), columns);

    // Ctrl+Enter opens the post page; Enter downloads and saves.
    key(Qt::Key_Return, Qt::ControlModifier);
    EXPECT_EQ(shell.opened,
              QStringList{QUrl(window->client().records()[std::size_t(columns)].postLink).toString()});
    const QString target = home.filePath("by-keys.png");
    dialogs.saveAnswer = target;
    key(Qt::Key_Enter);
    EXPECT_TRUE(window->busyWindow()->isVisible());
    WAIT_UNTIL(QFile::exists(target), kBoundMs);
    EXPECT_EQ(QImageReader(target).size(), QSize(512, 512));

    // Escape cancels the busy window's download: only the next download asks where to save.
    dialogs.asked.clear();
    key(Qt::Key_Right);
    key(Qt::Key_Return);
    ASSERT_TRUE(window->busyWindow()->isVisible());
    key(Qt::Key_Escape);
    EXPECT_FALSE(window->busyWindow()->isVisible());
    key(Qt::Key_Right);
    dialogs.saveAnswer = home.filePath("after-cancel.png");
    key(Qt::Key_Return);
    WAIT_UNTIL(QFile::exists(dialogs.saveAnswer), kBoundMs);
    EXPECT_EQ(dialogs.asked.filter("save:").size(), 1) << dialogs.asked.join('\n').toStdString();
}

TEST_F(KeyboardFlow, TileMenuAndCtrlCPutTheIconOnTheClipboardAsPngAndFile)
{
    tabTo(grid());
    ASSERT_FALSE(HasFatalFailure());
    key(Qt::Key_Right);
    key(Qt::Key_Right);
    IconTile* tile = grid()->tile(2);
    key(Qt::Key_Menu);
    TileMenu* menu = grid()->tileMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    QStringList texts;
    for (QAction* a : menu->actions())
        texts << a->text().remove('&');
    EXPECT_EQ(texts, (QStringList{"Download...", "Copy Image", "Copy Image Address", "Open Post Page"}));
    EXPECT_EQ(menu->palette(), QMenu().palette()) << "the platform's ordinary menu colours";

    // Copy Image fetches the full-size icon first, then offers it as PNG and as the downloaded file.
    const QString full = FullIconFetch::pathFor(paths, tile->thumbName());
    ASSERT_FALSE(QFile::exists(full));
    menu->copyImage->trigger();
    closeMenu();
    WAIT_EQ(clipboard.copies, 1, kBoundMs);
    ASSERT_TRUE(clipboard.held);
    EXPECT_EQ(pngSize(*clipboard.held), QSize(512, 512));
    ASSERT_EQ(clipboard.held->urls().size(), 1);
    EXPECT_EQ(clipboard.held->urls()[0].toLocalFile(), full);
    EXPECT_TRUE(QFile::exists(full));

    // Copy Image Address: the full-size icon's address as text. Shift+F10 opens the menu too.
    key(Qt::Key_F10, Qt::ShiftModifier);
    ASSERT_TRUE(grid()->tileMenu() && grid()->tileMenu()->isVisible());
    grid()->tileMenu()->copyAddress->trigger();
    closeMenu();
    EXPECT_EQ(clipboard.held->text(), DownloadNames::derive(tile->thumbName()).fullSizeUrl(address.base()));

    // Ctrl+C on the focused tile copies its image.
    key(Qt::Key_Right);
    key(Qt::Key_C, Qt::ControlModifier);
    WAIT_EQ(clipboard.copies, 3, kBoundMs);
    EXPECT_EQ(clipboard.held->urls().value(0).toLocalFile(),
              FullIconFetch::pathFor(paths, grid()->tile(3)->thumbName()));
    EXPECT_EQ(pngSize(*clipboard.held), QSize(512, 512));

    // A right-click opens the menu of the tile under the pointer, which takes the focus.
    IconTile* other = grid()->tile(7);
    QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(30, 30),
                                 other->mapToGlobal(QPoint(30, 30)));
    QApplication::sendEvent(other, &rightClick);
    ASSERT_TRUE(grid()->tileMenu() && grid()->tileMenu()->isVisible());
    EXPECT_EQ(grid()->focusedTile(), 7);
    grid()->tileMenu()->openPost->trigger();
    EXPECT_EQ(shell.opened, QStringList{QUrl(window->client().records()[7].postLink).toString()});
    grid()->tileMenu()->download->trigger();
    EXPECT_TRUE(window->busyWindow()->isVisible());
    window->busyWindow()->cancel();
}

TEST_F(KeyboardFlow, DragCarriesTheThumbnailUntilTheFullSizeIconIsDownloaded)
{
    IconTile* tile = grid()->tile(4);
    std::unique_ptr<QMimeData> before(tile->dragData());
    ASSERT_TRUE(before);
    EXPECT_EQ(before->urls().value(0).toLocalFile(), window->client().resultList()[4]);
    EXPECT_EQ(pngSize(*before), QImageReader(window->client().resultList()[4]).size());

    tile->setFocus();
    key(Qt::Key_C, Qt::ControlModifier);
    WAIT_EQ(clipboard.copies, 1, kBoundMs);
    std::unique_ptr<QMimeData> after(tile->dragData());
    ASSERT_TRUE(after);
    EXPECT_EQ(after->urls().value(0).toLocalFile(), FullIconFetch::pathFor(paths, tile->thumbName()));
    EXPECT_EQ(pngSize(*after), QSize(512, 512));
}

TEST_F(KeyboardFlow, ScreenReadersSeeNamedButtonsTheCategoriesTheTilesAndTheScrollbar)
{
    QAccessibleInterface* root = QAccessible::queryAccessibleInterface(window.get());
    ASSERT_TRUE(root);
    const QList<QAccessibleInterface*> all = descendants(root);
    QStringList buttons;
    for (QAccessibleInterface* i : all) {
        if (i->role() == QAccessible::Button && !i->state().invisible) {
            buttons << i->text(QAccessible::Name);
            auto* w = qobject_cast<QWidget*>(i->object());
            EXPECT_TRUE(w && !w->toolTip().isEmpty()) << i->text(QAccessible::Name).toStdString();
        }
    }
    EXPECT_EQ(QSet<QString>(buttons.begin(), buttons.end()),
              (QSet<QString>{"Search", "Good Luck", "Categories", "Minimize", "Close", "Load More Icons...",
                             "Download", "License"}));

    QAccessibleInterface* categories = QAccessible::queryAccessibleInterface(window->menuPanel());
    ASSERT_EQ(categories->childCount(), 20);
    EXPECT_EQ(categories->role(), QAccessible::List);
    EXPECT_EQ(categories->child(0)->text(QAccessible::Name), "Animal Icons");
    EXPECT_EQ(categories->child(13)->text(QAccessible::Name), "Map & Navigation Icons");
    EXPECT_EQ(categories->child(19)->text(QAccessible::Name), "Mobile Icons");
    EXPECT_TRUE(categories->child(19)->state().selected) << "the bottom row is selected at start";
    EXPECT_FALSE(categories->child(0)->state().selected);

    QAccessibleInterface* tiles = QAccessible::queryAccessibleInterface(grid());
    EXPECT_EQ(tiles->role(), QAccessible::List);
    ASSERT_EQ(tiles->childCount(), 30);
    QAccessibleInterface* third = tiles->child(2);
    EXPECT_EQ(third->role(), QAccessible::ListItem);
    EXPECT_FALSE(window->client().records()[2].title.isEmpty());
    EXPECT_EQ(third->text(QAccessible::Name), window->client().records()[2].title);
    EXPECT_EQ(tiles->indexOfChild(third), 2);
    ASSERT_EQ(third->childCount(), 2);
    EXPECT_EQ(third->child(0)->text(QAccessible::Name), "Download");
    EXPECT_EQ(third->child(1)->text(QAccessible::Name), "License");
    third->actionInterface()->doAction("Open Post Page");
    EXPECT_EQ(shell.opened, QStringList{QUrl(window->client().records()[2].postLink).toString()});
    third->child(0)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_TRUE(window->busyWindow()->isVisible()) << "the Download button pressed by a screen reader";
    QTest::keyClick(window->busyWindow(), Qt::Key_Escape);
    EXPECT_FALSE(window->busyWindow()->isVisible());

    QAccessibleValueInterface* bar =
        QAccessible::queryAccessibleInterface(window->scrollbar())->valueInterface();
    ASSERT_TRUE(bar);
    EXPECT_EQ(bar->maximumValue().toInt(), window->scrollbar()->maximum());
    EXPECT_EQ(bar->minimumStepSize().toInt(), 200);
    ASSERT_GT(window->scrollbar()->maximum(), 200);
    bar->setCurrentValue(200);
    EXPECT_EQ(std::pair(bar->currentValue().toInt(), grid()->y()), std::pair(200, -200));

    tabTo(grid());
    EXPECT_EQ(tiles->focusChild(), tiles->child(0));
    EXPECT_TRUE(tiles->child(0)->state().focused);
}
