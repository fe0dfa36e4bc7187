#include "app/MainWindow.h"

#include "app/AccessibleFactory.h"
#include "app/BusyWindow.h"
#include "app/CaretRest.h"
#include "app/ChromeParts.h"
#include "app/GridScroll.h"
#include "app/KeyboardAccess.h"
#include "app/LoadMoreSlide.h"
#include "app/PictureBox.h"
#include "app/SearchButtonHover.h"
#include "app/WheelHook.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "export/IconClipboard.h"
#include "export/IconDownloadFlow.h"
#include "grid/Artwork.h"
#include "grid/CategoryMenu.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "grid/MenuButtonLook.h"
#include "grid/WindowLayout.h"
#include "imaging/FileHelpers.h"
#include "platform/AppPaths.h"
#include "platform/Dialogs.h"
#include "platform/ScreenInfo.h"
#include "platform/ScreenWatch.h"
#include "platform/Shell.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QTextStream>

namespace
{
constexpr QColor kTitleBarColour(255, 255, 255);
constexpr QColor kLogoPicColour(245, 245, 245);
constexpr QColor kLineColour(235, 235, 235);
constexpr QColor kBorderColour(224, 224, 224);
constexpr QColor kLoadMoreColour(199, 240, 194);
constexpr QColor kSearchButtonColour(73, 192, 132);
constexpr QColor kProgressColour(128, 255, 128);
constexpr int kLoadMoreSlidePeriodMs = LoadMoreSlide::kPeriodMs;
constexpr int kPendingSearchPeriodMs = 10;
// The empty-result notice: a line across the grid, a little below its top.
constexpr int kNoticeTop = 60;
constexpr int kNoticeHeight = 40;
// The cache notice: a strip across the top of the grid, in the usual warning colours.
constexpr int kCacheNoticeHeight = 26;
const char* const kCacheNoticeStyle = "background: rgb(255, 243, 205); color: rgb(102, 77, 3);";
const char* const kHint = "Search and download through 300,000 icons. Powered by Pictomine.";
const char* const kLoadMoreText = "Load More Icons...";

// The Load More caption's type: large enough to read, small enough for its 134 x 16 label.
constexpr int kLoadMorePixelSize = 12;
} // namespace

using ChromeParts::filled;
using ChromeParts::outline;
using ChromeParts::placeLine;
using ChromeParts::textLabel;

MainWindow::MainWindow(const WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services),
      m_client(*this, services.pointer, services.site, services.paths.icons(), services.files)
{
    setWindowTitle(QStringLiteral("Pictomine"));
    setWindowIcon(Artwork::icon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumSize(WindowLayout::kMinimumSize);
    m_screenWatch = new ScreenWatch(services.screens, this);
    connect(m_screenWatch, &ScreenWatch::changed, this, &MainWindow::fitToWorkArea);
    AccessibleFactory::install();
    buildLeftColumn();
    buildTitleBar();
    buildToolbar();
    buildGrid();
    makeButtons();
    colourChrome();
    m_busy = new BusyWindow(services.paths, this);
    m_download = new IconDownloadFlow(services.dialogs, services.pointer, services.files, services.paths,
                                      services.site, services.settings, this, this);
    connect(m_download, &IconDownloadFlow::downloadFinished, this, &MainWindow::onDownloadFinished);
    connect(m_busy, &BusyWindow::cancelled, m_download, &IconDownloadFlow::cancel);
    connect(m_download, &IconDownloadFlow::downloadProgress, m_busy, &BusyWindow::showProgress);
    connect(m_busy, &BusyWindow::cancelled, this, &MainWindow::hideBusyWindow);
    m_copy = new IconClipboard(services.clipboard, services.dialogs, services.files, services.paths,
                               services.site, this, this);
    connect(m_iconGrid, &IconGrid::copyImageRequested, m_copy, &IconClipboard::copyImage);
    connect(m_iconGrid, &IconGrid::copyAddressRequested, m_copy, &IconClipboard::copyAddress);

    m_menuWidth = WindowLayout::kMenuWidth;
    m_menuPanel->setVisible(true);
    m_client.keywords().loadKeywords(services.paths.goodLuck());
    MenuButtonLook::paintIdle(m_menuButton->surface());
    m_menuButton->update();
    // The category menu is filled by the layout pass, at the list's laid-out size: filled at
    // any other size its inner scrollbar would keep the range of that size.
    updateScrollRange();
    m_wheelHook = std::make_unique<WheelHook>(this, [this](int d) { m_scroll->step(d); });
    m_wheelHook->install();
    m_keyboard = new KeyboardAccess(*this);

    connect(&m_loadMoreSlideTimer, &QTimer::timeout, this, &MainWindow::slideLoadMore);
    m_loadMoreSlideTimer.setInterval(kLoadMoreSlidePeriodMs);
    connect(&m_pendingSearchTimer, &QTimer::timeout, this, &MainWindow::runPendingSearch);
    m_pendingSearchTimer.setInterval(kPendingSearchPeriodMs);
    m_searchBar->setFocus();
    new CaretRest(this);
}

MainWindow::~MainWindow()
{
    shutdown();
    // The children go first, while the members their connections reach (the client, the scroll
    // model, the hooks) still live: a signal raised as a child is torn down must not land on a
    // member already destroyed.
    while (!children().isEmpty())
        delete children().constFirst();
}

void MainWindow::buildLeftColumn()
{
    m_logoPic = new PictureBox(this);
    m_logo = new QLabel(m_logoPic);
    m_logo->setPixmap(Artwork::pixmap(Artwork::Piece::Logo, devicePixelRatioF()));
    m_logoText = new QLabel(m_logoPic);
    m_logoText->setPixmap(Artwork::pixmap(Artwork::Piece::Lettering, devicePixelRatioF()));
    m_logoLine = filled(m_logoPic, kBorderColour);
    m_menuPanel = new LayerListWidget(this);
    connect(m_menuPanel, &LayerListWidget::mouseReleased, this,
            [this] { chooseCategory(CategoryMenu::categoryIndexForSelected(m_menuPanel->selectedIndex())); });
    m_menuPanelShape = outline(this, kBorderColour);
}

void MainWindow::buildTitleBar()
{
    m_titleBar = new PictureBox(this);
    const Artwork::Piece glyphs[3] = {Artwork::Piece::CaptionRestore, Artwork::Piece::CaptionClose,
                                      Artwork::Piece::CaptionMinimise};
    for (int i = 0; i < 3; ++i) {
        auto* button = new PictureBox(m_titleBar);
        button->resize(WindowLayout::kCaptionButtonSize, WindowLayout::kCaptionButtonSize);
        button->setPicture(Artwork::pixmap(glyphs[i], devicePixelRatioF()));
        button->setCursor(Qt::PointingHandCursor);
        // A click: pressed and released on the button; a release dragged off it does nothing.
        connect(button, &PictureBox::clicked, this, [this, i] { captionClicked(i); });
        m_mainControls[i] = button;
    }
    m_mainControls[0]->move(WindowLayout::kRestoreButtonLeft, WindowLayout::kCaptionButtonTop);
    m_mainControls[0]->setVisible(false);
    m_mainControls[0]->setEnabled(false);
}

void MainWindow::buildToolbar()
{
    m_toolbar = new PictureBox(this);
    m_searchFrame = outline(m_toolbar, QColor(0, 128, 128));
    m_searchBox = filled(m_toolbar, Qt::white);
    m_searchButton = new PictureBox(m_searchBox);
    m_searchButton->setCursor(Qt::PointingHandCursor);
    connect(m_searchButton, &PictureBox::mouseReleased, this, &MainWindow::startQuery);
    connect(m_searchButton, &PictureBox::mouseMoved, this,
            [this](int, int, float x, float y) { searchButtonMoved(x, y); });
    // Leaving quickly can skip the moves in the border; leaving always undoes the shade.
    connect(m_searchButton, &PictureBox::mouseLeft, m_searchButton, &PictureBox::clear);
    m_searchBar = new QLineEdit(m_searchBox);
    m_searchBar->setFrame(false);
    m_searchBar->setFont(QFont("Verdana", 9));
    // Scoped to the box itself: its right-click menu keeps the platform's colours and frame.
    m_searchBar->setStyleSheet(
        QStringLiteral("QLineEdit { color: rgb(128, 128, 128); background: white; border: none; }"));

    m_menuButton = new PictureBox(m_toolbar);
    connect(m_menuButton, &PictureBox::mousePressed, this,
            [this](int, int, float x, float y) { menuPressed(x, y); });
    connect(m_menuButton, &PictureBox::mouseMoved, this,
            [this](int, int, float x, float y) { menuMoved(x, y); });
    connect(m_menuButton, &PictureBox::mouseReleased, this, &MainWindow::menuReleased);
    m_goodLuck = new PictureBox(m_toolbar);
    m_goodLuck->setCursor(Qt::PointingHandCursor);
    connect(m_goodLuck, &PictureBox::mousePressed, this,
            [this] { m_goodLuck->move(m_goodLuck->pos() + QPoint(0, 1)); });
    connect(m_goodLuck, &PictureBox::mouseReleased, this, [this] {
        m_goodLuck->move(m_goodLuck->pos() - QPoint(0, 1));
        pickLuckyKeyword();
    });

    m_hint = textLabel(m_toolbar, QString::fromLatin1(kHint), 10);
    m_toolbarLine = filled(m_toolbar, kLineColour);
    m_progress = filled(m_toolbar, kProgressColour);
}

void MainWindow::buildGrid()
{
    m_gridViewport = filled(this, Qt::white);
    m_iconGrid = new IconGrid(m_services.paths, m_gridViewport);
    connect(m_iconGrid, &IconGrid::surfaceHeightChanged, this, &MainWindow::updateScrollRange);
    connect(m_iconGrid, &IconGrid::backgroundReleased, this, &MainWindow::gridBackgroundReleased);
    connect(m_iconGrid, &IconGrid::downloadClicked, this, &MainWindow::onDownloadClick);
    connect(m_iconGrid, &IconGrid::downloadRequested, this, &MainWindow::onDownloadRequested);
    // The shell refuses anything but http and https addresses.
    connect(m_iconGrid, &IconGrid::licenseRequested, this,
            [this](const QString& link) { m_services.shell.openUrl(link); });
    // A focused tile shows whole, above the Load More panel when that is up.
    connect(m_iconGrid, &IconGrid::tileFocused, this, [this](int, const QRect& cell) {
        const int panel = m_client.state().loadMore ? m_loadMore->height() : 0;
        m_scroll->showRange(cell.top(), cell.bottom() + 1 + panel);
    });
    m_notice = textLabel(m_gridViewport, QString(), 13);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->hide();
    m_cacheNotice = textLabel(m_gridViewport, QString(), 12);
    m_cacheNotice->setAlignment(Qt::AlignCenter);
    m_cacheNotice->setAutoFillBackground(true);
    m_cacheNotice->setStyleSheet(QString::fromLatin1(kCacheNoticeStyle));
    m_cacheNotice->hide();

    m_loadMore = new PictureBox(m_gridViewport);
    m_loadMore->setCursor(Qt::PointingHandCursor);
    connect(m_loadMore, &PictureBox::mouseReleased, this, &MainWindow::loadMoreResults);
    // The caption lets the pointer through: a release on it is the panel's release.
    m_loadMoreCaption = textLabel(m_loadMore, QString::fromLatin1(kLoadMoreText), kLoadMorePixelSize);
    m_loadMoreCaption->setAlignment(Qt::AlignCenter);
    m_loadMoreCaption->setWordWrap(true); // a notice on the panel may take two lines on a narrow window
    m_loadMoreCaption->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_scrollbar = new Scrollbar(this);
    m_scrollbar->setScrollStyle(1);
    // While the Load More panel shows, or a page is coming in, the last row can scroll clear of it.
    m_scroll = std::make_unique<GridScroll>(
        m_gridViewport, m_iconGrid, m_scrollbar, [this] { return !m_client.resultList().isEmpty(); },
        [this] { return m_client.state().loadMore || m_client.isLoading() ? m_loadMore->height() : 0; });
    connect(m_scrollbar, &Scrollbar::valueChanged, this, [this] { m_scroll->follow(); });
    connect(m_scrollbar, &Scrollbar::scrolled, this, [this] { m_scroll->follow(); });
}

// Every button is a Tab stop with a name and a tool tip, activated by Enter or Space as by a click.
void MainWindow::makeButtons()
{
    m_searchButton->makeButton(QStringLiteral("Search"), QStringLiteral("Search"));
    m_goodLuck->makeButton(QStringLiteral("Good Luck"),
                           QStringLiteral("Good Luck: search a remembered keyword"));
    m_menuButton->makeButton(QStringLiteral("Categories"), QStringLiteral("Show or hide the categories"));
    m_mainControls[0]->makeButton(QStringLiteral("Fit to Screen"), QStringLiteral("Fit to Screen"));
    m_mainControls[1]->makeButton(QStringLiteral("Close"), QStringLiteral("Exit"));
    m_mainControls[2]->makeButton(QStringLiteral("Minimize"), QStringLiteral("Minimize"));
    m_loadMore->makeButton(QString::fromLatin1(kLoadMoreText), QStringLiteral("Show the next page of icons"));
    connect(m_searchButton, &PictureBox::activated, this, &MainWindow::startQuery);
    connect(m_goodLuck, &PictureBox::activated, this, &MainWindow::pickLuckyKeyword);
    connect(m_menuButton, &PictureBox::activated, this, &MainWindow::menuReleased);
    for (int i = 0; i < 3; ++i)
        connect(m_mainControls[i], &PictureBox::activated, this, [this, i] { captionClicked(i); });
    connect(m_loadMore, &PictureBox::activated, this, &MainWindow::loadMoreResults);
}

void MainWindow::colourChrome()
{
    m_titleBar->setBackground(kTitleBarColour);
    m_logoPic->setBackground(kLogoPicColour);
    m_loadMore->setBackground(kLoadMoreColour);
    m_toolbar->setBackground(Qt::white);
    m_searchButton->setBackground(kSearchButtonColour);
    m_searchButton->setPicture(Artwork::pixmap(Artwork::Piece::SearchButton, devicePixelRatioF()));
    m_goodLuck->setPicture(Artwork::pixmap(Artwork::Piece::GoodLuck, devicePixelRatioF()));
    m_menuButton->setBackground(Qt::white);
    for (PictureBox* button : m_mainControls)
        button->setBackground(kTitleBarColour);
}

// The first resize fits the window to the work area, lays it out and starts the first search;
// every later one (a screen or work area change refits the window) lays it out again.
void MainWindow::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_firstLayout) {
        relayOut();
        return;
    }
    m_screenWatch->attach(windowHandle());
    fitToWorkArea();
    m_firstLayout = false;
    layOut();
    m_searchPending = true;
    m_pendingSearchTimer.start();
}

// The grid reflows to the new column count; the row that was at the top keeps its first tile in view.
void MainWindow::relayOut()
{
    const int topTile = m_iconGrid->firstTileAt(m_scrollbar->value());
    const int surfaceHeight = m_iconGrid->height();
    layOut();
    m_iconGrid->resize(m_iconGrid->width(), surfaceHeight);
    m_iconGrid->reflow(gridWidth());
    if (m_client.state().loadMore && !m_loadMoreSlideTimer.isActive())
        m_loadMore->move(0, m_gridViewport->height() - m_loadMore->height());
    setLoadMoreCaption(m_loadMoreCaption->text());
    m_notice->setGeometry(0, kNoticeTop, m_gridViewport->width(), kNoticeHeight);
    updateScrollRange();
    m_scrollbar->setValue(m_iconGrid->rowTopOf(topTile));
}

void MainWindow::fitToWorkArea()
{
    const ScreenInfo& screens = m_services.screens;
    const QRect screen = screens.screenGeometry();
    // The gap comes in twips; the window is measured in pixels.
    const int gap = screens.pixelsFromTwips(FileHelpers::workAreaBottomGap(screens));
    setGeometry(screen.left(), screen.top(), screen.width(), screen.height() - gap);
}

void MainWindow::layOut()
{
    const WindowLayout::Regions r = WindowLayout::compute(width(), height(), m_menuWidth);
    m_logoPic->setGeometry(r.logoPanel);
    m_logo->setGeometry(r.logoPicture);
    m_logoText->setGeometry(r.logoText);
    placeLine(m_logoLine, r.logoLine);
    m_menuPanel->setGeometry(r.menuPanel);
    // Filled once; later sizes reach its scrollbar through its own resize.
    if (m_menuPanel->layers().count() == 0)
        CategoryMenu::fill(*m_menuPanel);
    m_menuPanelShape->setGeometry(r.menuPanelShape);
    m_titleBar->setGeometry(r.titleBar);
    for (int i = 1; i < 3; ++i)
        m_mainControls[i]->setGeometry(r.mainControls[size_t(i)]);
    m_toolbar->setGeometry(r.toolbar);
    m_gridViewport->setGeometry(r.gridViewport);
    m_searchBox->setGeometry(r.searchBox);
    m_searchButton->setGeometry(r.searchButton);
    m_searchBar->setGeometry(r.searchBar);
    m_goodLuck->setGeometry(r.goodLuck);
    placeLine(m_toolbarLine, r.toolbarLine);
    m_searchFrame->setGeometry(r.searchFrame);
    m_menuButton->setGeometry(r.menuButtonVisible);
    MenuButtonLook::paintIdle(m_menuButton->surface());
    m_hint->setGeometry(r.hint);
    m_scrollbar->setGeometry(r.scrollbar);
    m_progress->setGeometry(r.progress);
    m_iconGrid->setGeometry(r.iconGrid);
    m_loadMore->setGeometry(r.loadMore);
    m_loadMoreCaption->setGeometry(r.loadMoreCaption);
    m_loadMore->raise();
    m_menuPanelShape->raise();
}

void MainWindow::captionClicked(int index)
{
    switch (index) {
    case 0:
        fitToWorkArea();
        break;
    case 1:
        close();
        break;
    default:
        showMinimized();
        break;
    }
}

void MainWindow::searchButtonMoved(float x, float y)
{
    m_searchButton->clear();
    if (SearchButtonHover::isInside(m_searchButton->size(), x, y)) {
        QPainter p(&m_searchButton->surface());
        p.fillRect(QRectF(QPointF(0, 0), QSizeF(m_searchButton->size())),
                   QColor::fromRgba(SearchButtonHover::kShade));
    }
    m_searchButton->update();
}

void MainWindow::menuPressed(float x, float y)
{
    m_menuPressed = true;
    MenuButtonLook::paintPointer(m_menuButton->surface(), x, y, true);
    m_menuButton->update();
}

void MainWindow::menuMoved(float x, float y)
{
    if (m_menuPressed)
        return;
    MenuButtonLook::paintPointer(m_menuButton->surface(), x, y, false);
    m_menuButton->update();
}

void MainWindow::menuReleased()
{
    m_menuPressed = false;
    setMenuVisible(!m_menuPanel->isVisible());
}

void MainWindow::setMenuVisible(bool visible)
{
    m_menuPanel->setVisible(visible);
    m_menuPanelShape->setVisible(visible);
}

void MainWindow::gridBackgroundReleased()
{
    m_menuPressed = false;
    setMenuVisible(false);
}

void MainWindow::startQuery()
{
    m_client.startQuery(m_searchBar->text());
}

void MainWindow::chooseCategory(int selectedIndex)
{
    m_searchBar->setText(m_client.chooseCategory(selectedIndex));
    startQuery();
}

void MainWindow::pickLuckyKeyword()
{
    KeywordList& keywords = m_client.keywords();
    const QString keyword = keywords.pickLuckyKeyword();
    if (keyword.isNull())
        return; // no keyword to pick
    m_searchBar->setText(keyword);
    saveKeywords();
    startQuery();
}

void MainWindow::loadMoreResults()
{
    m_client.loadMoreResults(m_searchBar->text());
}

void MainWindow::clearResults()
{
    m_downloadTile = -1; // its tile is gone with the old results
    m_iconGrid->resetGrid();
    m_iconGrid->move(0, 0);
    m_notice->hide();
    m_cacheNotice->hide();
    updateScrollRange();
}

float MainWindow::gridWidth() const
{
    return float(width() - m_menuWidth - WindowLayout::kScrollbarWidth);
}

void MainWindow::placeNextTile(const ThumbnailImage& thumbnail)
{
    m_iconGrid->placeNextTile(m_client.resultList(), m_client.records(), gridWidth(), thumbnail);
}

// Every tile is as wide as the cell step less its grid line; thumbnails fit into that by 100.
QSize MainWindow::thumbnailBox() const
{
    const GridGeometry geometry(gridWidth());
    return {std::max(geometry.cellStep() - 1, 1), GridGeometry::kImageBoxHeight};
}

void MainWindow::loadMoreChanged(bool shown)
{
    setLoadMoreCaption(QString::fromLatin1(kLoadMoreText));
    m_loadMoreSlideTimer.start();
    // Taking the panel away keeps the range until the next page's rows come in.
    if (shown)
        updateScrollRange();
}

void MainWindow::showLoadMoreNotice(const QString& text)
{
    setLoadMoreCaption(text);
}

// The caption sits in its design box; a longer notice takes the panel's whole width.
void MainWindow::setLoadMoreCaption(const QString& text)
{
    m_loadMoreCaption->setText(text);
    const QRect box = WindowLayout::compute(width(), height(), m_menuWidth).loadMoreCaption;
    m_loadMoreCaption->setGeometry(text == QLatin1String(kLoadMoreText) ? box : m_loadMore->rect());
}

void MainWindow::setProgressWidth(int width)
{
    m_progress->resize(width, m_progress->height());
}

void MainWindow::pageLoadEnded(bool superseded)
{
    updateScrollRange();
    if (superseded || m_firstPageSeen)
        return;
    m_firstPageSeen = true;
    Q_EMIT firstPageShown();
}

void MainWindow::showNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setGeometry(0, kNoticeTop, m_gridViewport->width(), kNoticeHeight);
    m_notice->raise();
    m_notice->show();
}

// The reason reads "Cannot write PATH: why"; the strip says why, the tooltip the whole of it.
void MainWindow::thumbnailsNotCached(const QString& reason)
{
    const qsizetype colon = reason.lastIndexOf(QStringLiteral(": "));
    const QString why = colon < 0 ? reason : reason.mid(colon + 2);
    m_cacheNotice->setText(QStringLiteral("Thumbnails are shown but not kept in the cache: %1.").arg(why));
    m_cacheNotice->setToolTip(reason);
    m_cacheNotice->setGeometry(0, 0, m_gridViewport->width(), kCacheNoticeHeight);
    m_cacheNotice->raise();
    m_cacheNotice->show();
}

void MainWindow::updateScrollRange()
{
    m_scroll->updateScrollRange();
}

void MainWindow::slideLoadMore()
{
    const LoadMoreSlide::Step step = LoadMoreSlide::tick(m_client.state().loadMore, m_loadMore->y(),
                                                         m_gridViewport->height(), m_loadMore->height());
    m_loadMore->move(m_loadMore->x(), step.top);
    if (step.done)
        m_loadMoreSlideTimer.stop();
}

void MainWindow::runPendingSearch()
{
    // Nothing else to wait for: the timer sleeps until the next pending search.
    m_pendingSearchTimer.stop();
    if (!m_searchPending)
        return;
    m_searchPending = false;
    startQuery();
}

void MainWindow::onDownloadClick()
{
    m_busy->show();
}

// The keyboard stays in this window once the busy window goes, when it was here before.
void MainWindow::hideBusyWindow()
{
    const QWidget* active = QApplication::activeWindow();
    const bool keyboardHere = active == this || active == m_busy;
    m_busy->hide();
    if (keyboardHere && QApplication::activeWindow() != this)
        activateWindow();
}

void MainWindow::onDownloadRequested(int index, const QString& thumbName)
{
    m_downloadTile = index;
    m_download->start(thumbName);
}

// The fetch half is over: the busy window goes and the tile knows its icon was fetched.
void MainWindow::onDownloadFinished()
{
    hideBusyWindow();
    if (IconTile* tile = m_iconGrid->tile(m_downloadTile))
        tile->setIconDownloaded(true);
}

void MainWindow::keyPressEvent(QKeyEvent* event)
{
    if (m_scroll->handleKey(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool MainWindow::focusNextPrevChild(bool next)
{
    return (m_keyboard && m_keyboard->moveFocus(next)) || QWidget::focusNextPrevChild(next);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    shutdown();
    event->accept();
    QApplication::quit();
}

// Stops the network work, removes the hooks and writes the keyword list back; runs once.
void MainWindow::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_loadMoreSlideTimer.stop();
    m_pendingSearchTimer.stop();
    m_client.stop();
    m_iconGrid->resetGrid();
    delete m_keyboard;
    m_keyboard = nullptr;
    m_wheelHook->remove();
    saveKeywords();
}

// The keyword list is the program's own: a failed write keeps the old file and is said on stderr.
void MainWindow::saveKeywords()
{
    QString error;
    if (!m_client.keywords().saveKeywords(m_services.paths.goodLuck(), m_services.files, &error) &&
        !error.isEmpty())
        QTextStream(stderr) << "pictomine: the Good Luck keyword list was not saved. " << error << '\n';
}
