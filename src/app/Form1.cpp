#include "app/Form1.h"

#include "app/AccessibleFactory.h"
#include "app/CaretRest.h"
#include "app/ChromeParts.h"
#include "app/Form2.h"
#include "app/GridScroll.h"
#include "app/KeyboardAccess.h"
#include "app/LoadMoreSlide.h"
#include "app/PictureBox.h"
#include "app/SearchButtonHover.h"
#include "app/WheelHook.h"
#include "controls/CtlLayers.h"
#include "controls/ucScrollbar.h"
#include "export/IconClipboard.h"
#include "export/IconDownloadFlow.h"
#include "grid/Artwork.h"
#include "grid/CategoryMenu.h"
#include "grid/IconGrid.h"
#include "grid/IconsOLE.h"
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
constexpr int kTimer4PeriodMs = LoadMoreSlide::kPeriodMs;
constexpr int kTimer6PeriodMs = 10;
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

Form1::Form1(const WindowServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), m_services(services),
      m_client(*this, services.pointer, AppPaths::icons(), services.files)
{
    setWindowTitle(QStringLiteral("Pictomine"));
    setWindowIcon(Artwork::icon());
    setAttribute(Qt::WA_DeleteOnClose, false);
    setMinimumSize(WindowLayout::kMinimumSize);
    m_screenWatch = new ScreenWatch(this);
    connect(m_screenWatch, &ScreenWatch::changed, this, &Form1::fitToWorkArea);
    AccessibleFactory::install();
    buildLeftColumn();
    buildTitleBar();
    buildToolbar();
    buildGrid();
    makeButtons();
    colourChrome();
    m_busy = new Form2(this);
    m_download = new IconDownloadFlow(Dialogs::instance(), m_services.pointer, m_services.files, this, this);
    connect(m_download, &IconDownloadFlow::downloadFinished, this, &Form1::onDownloadFinished);
    connect(m_busy, &Form2::cancelled, m_download, &IconDownloadFlow::cancel);
    connect(m_download, &IconDownloadFlow::downloadProgress, m_busy, &Form2::showProgress);
    connect(m_busy, &Form2::cancelled, this, &Form1::hideBusyWindow);
    m_copy = new IconClipboard(services.clipboard, Dialogs::instance(), services.files, this, this);
    connect(m_iconGrid, &IconGrid::copyImageRequested, m_copy, &IconClipboard::copyImage);
    connect(m_iconGrid, &IconGrid::copyAddressRequested, m_copy, &IconClipboard::copyAddress);

    m_menuWidth = WindowLayout::kMenuWidth;
    m_menuPanel->setVisible(true);
    m_client.keywords().LoadKeywords(AppPaths::goodLuck());
    MenuButtonLook::paintIdle(m_menuMain->surface());
    m_menuMain->update();
    // The category menu is filled by the layout pass, at the list's laid-out size: filled at
    // any other size its inner scrollbar would keep the range of that size.
    UpdateScrollRange();
    m_wheelHook = std::make_unique<WheelHook>(this, [this](int d) { m_scroll->step(d); });
    m_wheelHook->install();
    m_keyboard = new KeyboardAccess(*this);

    connect(&m_timer4, &QTimer::timeout, this, &Form1::slideLoadMore);
    m_timer4.setInterval(kTimer4PeriodMs);
    connect(&m_timer6, &QTimer::timeout, this, &Form1::onTimer6);
    m_timer6.setInterval(kTimer6PeriodMs);
    m_searchBar->setFocus();
    new CaretRest(this);
}

Form1::~Form1()
{
    shutdown();
    // The children go first, while the members their connections reach (the client, the scroll
    // model, the hooks) still live: a signal raised as a child is torn down must not land on a
    // member already destroyed.
    while (!children().isEmpty())
        delete children().constFirst();
}

void Form1::buildLeftColumn()
{
    m_logoPic = new PictureBox(this);
    m_logo = new QLabel(m_logoPic);
    m_logo->setPixmap(Artwork::pixmap(Artwork::Piece::Logo, devicePixelRatioF()));
    m_logoText = new QLabel(m_logoPic);
    m_logoText->setPixmap(Artwork::pixmap(Artwork::Piece::Lettering, devicePixelRatioF()));
    m_line2 = filled(m_logoPic, kBorderColour);
    m_menuPanel = new CtlLayers(this);
    connect(m_menuPanel, &CtlLayers::MouseUp, this,
            [this] { chooseCategory(CategoryMenu::categoryIndexForSelected(m_menuPanel->SelectedIndex())); });
    m_menuPanelShape = outline(this, kBorderColour);
}

void Form1::buildTitleBar()
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
        connect(button, &PictureBox::Click, this, [this, i] { captionClicked(i); });
        m_mainControls[i] = button;
    }
    m_mainControls[0]->move(WindowLayout::kRestoreButtonLeft, WindowLayout::kCaptionButtonTop);
    m_mainControls[0]->setVisible(false);
    m_mainControls[0]->setEnabled(false);
}

void Form1::buildToolbar()
{
    m_toolbar = new PictureBox(this);
    m_shape3 = outline(m_toolbar, QColor(0, 128, 128));
    m_searchOle = filled(m_toolbar, Qt::white);
    m_searchButton = new PictureBox(m_searchOle);
    m_searchButton->setCursor(Qt::PointingHandCursor);
    connect(m_searchButton, &PictureBox::MouseUp, this, &Form1::StartQuery);
    connect(m_searchButton, &PictureBox::MouseMove, this,
            [this](int, int, float x, float y) { searchButtonMoved(x, y); });
    // Leaving quickly can skip the moves in the border; leaving always undoes the shade.
    connect(m_searchButton, &PictureBox::MouseLeave, m_searchButton, &PictureBox::Cls);
    m_searchBar = new QLineEdit(m_searchOle);
    m_searchBar->setFrame(false);
    m_searchBar->setFont(QFont("Verdana", 9));
    // Scoped to the box itself: its right-click menu keeps the platform's colours and frame.
    m_searchBar->setStyleSheet(
        QStringLiteral("QLineEdit { color: rgb(128, 128, 128); background: white; border: none; }"));

    m_menuMain = new PictureBox(m_toolbar);
    connect(m_menuMain, &PictureBox::MouseDown, this,
            [this](int, int, float x, float y) { menuPressed(x, y); });
    connect(m_menuMain, &PictureBox::MouseMove, this,
            [this](int, int, float x, float y) { menuMoved(x, y); });
    connect(m_menuMain, &PictureBox::MouseUp, this, &Form1::menuReleased);
    m_goodLuck = new PictureBox(m_toolbar);
    m_goodLuck->setCursor(Qt::PointingHandCursor);
    connect(m_goodLuck, &PictureBox::MouseDown, this,
            [this] { m_goodLuck->move(m_goodLuck->pos() + QPoint(0, 1)); });
    connect(m_goodLuck, &PictureBox::MouseUp, this, [this] {
        m_goodLuck->move(m_goodLuck->pos() - QPoint(0, 1));
        PickLuckyKeyword();
    });

    m_label1 = textLabel(m_toolbar, QString::fromLatin1(kHint), 10);
    m_line1 = filled(m_toolbar, kLineColour);
    m_progress = filled(m_toolbar, kProgressColour);
}

void Form1::buildGrid()
{
    m_gridPic = filled(this, Qt::white);
    m_iconGrid = new IconGrid(m_gridPic);
    connect(m_iconGrid, &IconGrid::surfaceHeightChanged, this, &Form1::UpdateScrollRange);
    connect(m_iconGrid, &IconGrid::backgroundReleased, this, &Form1::gridBackgroundReleased);
    connect(m_iconGrid, &IconGrid::DownloadClick, this, &Form1::onDownloadClick);
    connect(m_iconGrid, &IconGrid::downloadRequested, this, &Form1::onDownloadRequested);
    // The shell refuses anything but http and https addresses.
    connect(m_iconGrid, &IconGrid::licenseRequested, this,
            [this](const QString& link) { m_services.shell.openUrl(link); });
    // A focused tile shows whole, above the Load More panel when that is up.
    connect(m_iconGrid, &IconGrid::tileFocused, this, [this](int, const QRect& cell) {
        const int panel = m_client.state().loadMore ? m_loadMore->height() : 0;
        m_scroll->showRange(cell.top(), cell.bottom() + 1 + panel);
    });
    m_notice = textLabel(m_gridPic, QString(), 13);
    m_notice->setAlignment(Qt::AlignCenter);
    m_notice->hide();
    m_cacheNotice = textLabel(m_gridPic, QString(), 12);
    m_cacheNotice->setAlignment(Qt::AlignCenter);
    m_cacheNotice->setAutoFillBackground(true);
    m_cacheNotice->setStyleSheet(QString::fromLatin1(kCacheNoticeStyle));
    m_cacheNotice->hide();

    m_loadMore = new PictureBox(m_gridPic);
    m_loadMore->setCursor(Qt::PointingHandCursor);
    connect(m_loadMore, &PictureBox::MouseUp, this, &Form1::LoadMoreResults);
    // The caption lets the pointer through: a release on it is the panel's release.
    m_label2 = textLabel(m_loadMore, QString::fromLatin1(kLoadMoreText), kLoadMorePixelSize);
    m_label2->setAlignment(Qt::AlignCenter);
    m_label2->setWordWrap(true); // a notice on the panel may take two lines on a narrow window
    m_label2->setAttribute(Qt::WA_TransparentForMouseEvents);

    m_scrollbar = new ucScrollbar(this);
    m_scrollbar->setScrollStyle(1);
    // While the Load More panel shows, or a page is coming in, the last row can scroll clear of it.
    m_scroll = std::make_unique<GridScroll>(
        m_gridPic, m_iconGrid, m_scrollbar, [this] { return !m_client.resultList().isEmpty(); },
        [this] { return m_client.state().loadMore || m_client.isLoading() ? m_loadMore->height() : 0; });
    connect(m_scrollbar, &ucScrollbar::Change, this, [this] { m_scroll->follow(); });
    connect(m_scrollbar, &ucScrollbar::Scroll, this, [this] { m_scroll->follow(); });
}

// Every button is a Tab stop with a name and a tool tip, activated by Enter or Space as by a click.
void Form1::makeButtons()
{
    m_searchButton->makeButton(QStringLiteral("Search"), QStringLiteral("Search"));
    m_goodLuck->makeButton(QStringLiteral("Good Luck"),
                           QStringLiteral("Good Luck: search a remembered keyword"));
    m_menuMain->makeButton(QStringLiteral("Categories"), QStringLiteral("Show or hide the categories"));
    m_mainControls[0]->makeButton(QStringLiteral("Fit to Screen"), QStringLiteral("Fit to Screen"));
    m_mainControls[1]->makeButton(QStringLiteral("Close"), QStringLiteral("Exit"));
    m_mainControls[2]->makeButton(QStringLiteral("Minimize"), QStringLiteral("Minimize"));
    m_loadMore->makeButton(QString::fromLatin1(kLoadMoreText), QStringLiteral("Show the next page of icons"));
    connect(m_searchButton, &PictureBox::activated, this, &Form1::StartQuery);
    connect(m_goodLuck, &PictureBox::activated, this, &Form1::PickLuckyKeyword);
    connect(m_menuMain, &PictureBox::activated, this, &Form1::menuReleased);
    for (int i = 0; i < 3; ++i)
        connect(m_mainControls[i], &PictureBox::activated, this, [this, i] { captionClicked(i); });
    connect(m_loadMore, &PictureBox::activated, this, &Form1::LoadMoreResults);
}

void Form1::colourChrome()
{
    m_titleBar->setBackground(kTitleBarColour);
    m_logoPic->setBackground(kLogoPicColour);
    m_loadMore->setBackground(kLoadMoreColour);
    m_toolbar->setBackground(Qt::white);
    m_searchButton->setBackground(kSearchButtonColour);
    m_searchButton->setPicture(Artwork::pixmap(Artwork::Piece::SearchButton, devicePixelRatioF()));
    m_goodLuck->setPicture(Artwork::pixmap(Artwork::Piece::GoodLuck, devicePixelRatioF()));
    m_menuMain->setBackground(Qt::white);
    for (PictureBox* button : m_mainControls)
        button->setBackground(kTitleBarColour);
}

// The first resize fits the window to the work area, lays it out and starts the first search;
// every later one (a screen or work area change refits the window) lays it out again.
void Form1::resizeEvent(QResizeEvent* event)
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
    m_timer6.start();
}

// The grid reflows to the new column count; the row that was at the top keeps its first tile in view.
void Form1::relayOut()
{
    const int topTile = m_iconGrid->firstTileAt(m_scrollbar->Value());
    const int surfaceHeight = m_iconGrid->height();
    layOut();
    m_iconGrid->resize(m_iconGrid->width(), surfaceHeight);
    m_iconGrid->reflow(m_client.records(), gridWidth());
    if (m_client.state().loadMore && !m_timer4.isActive())
        m_loadMore->move(0, m_gridPic->height() - m_loadMore->height());
    setLoadMoreCaption(m_label2->text());
    m_notice->setGeometry(0, kNoticeTop, m_gridPic->width(), kNoticeHeight);
    UpdateScrollRange();
    m_scrollbar->setValue(m_iconGrid->rowTopOf(topTile));
}

void Form1::fitToWorkArea()
{
    const QRect screen = ScreenInfo::screenGeometry();
    // The gap comes in twips; the window is measured in pixels.
    const int gap = ScreenInfo::pixelsFromTwips(FileHelpers::WorkAreaBottomGap());
    setGeometry(screen.left(), screen.top(), screen.width(), screen.height() - gap);
}

void Form1::layOut()
{
    const WindowLayout::Regions r = WindowLayout::compute(width(), height(), m_menuWidth);
    m_logoPic->setGeometry(r.LogoPic);
    m_logo->setGeometry(r.Logopic1);
    m_logoText->setGeometry(r.LogoText);
    placeLine(m_line2, r.Line2);
    m_menuPanel->setGeometry(r.menuPanel);
    // Filled once; later sizes reach its scrollbar through its own resize.
    if (m_menuPanel->layers().count() == 0)
        CategoryMenu::fill(*m_menuPanel);
    m_menuPanelShape->setGeometry(r.menuPanelShape);
    m_titleBar->setGeometry(r.TitleBar);
    for (int i = 1; i < 3; ++i)
        m_mainControls[i]->setGeometry(r.mainControls[size_t(i)]);
    m_toolbar->setGeometry(r.Toolbar);
    m_gridPic->setGeometry(r.GridPIC);
    m_searchOle->setGeometry(r.SearchOLE);
    m_searchButton->setGeometry(r.SearchButton);
    m_searchBar->setGeometry(r.SearchBar);
    m_goodLuck->setGeometry(r.GoodLuck);
    placeLine(m_line1, r.Line1);
    m_shape3->setGeometry(r.Shape3);
    m_menuMain->setGeometry(r.menuMainVisible);
    MenuButtonLook::paintIdle(m_menuMain->surface());
    m_label1->setGeometry(r.Label1);
    m_scrollbar->setGeometry(r.ucScrollbar1);
    m_progress->setGeometry(r.Progress);
    m_iconGrid->setGeometry(r.IconGrid);
    m_loadMore->setGeometry(r.LoadMore);
    m_label2->setGeometry(r.Label2);
    m_loadMore->raise();
    m_menuPanelShape->raise();
}

void Form1::captionClicked(int index)
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

void Form1::searchButtonMoved(float x, float y)
{
    m_searchButton->Cls();
    if (SearchButtonHover::isInside(m_searchButton->size(), x, y)) {
        QPainter p(&m_searchButton->surface());
        p.fillRect(QRectF(QPointF(0, 0), QSizeF(m_searchButton->size())),
                   QColor::fromRgba(SearchButtonHover::kShade));
    }
    m_searchButton->update();
}

void Form1::menuPressed(float x, float y)
{
    m_menuPressed = true;
    MenuButtonLook::paintPointer(m_menuMain->surface(), x, y, true);
    m_menuMain->update();
}

void Form1::menuMoved(float x, float y)
{
    if (m_menuPressed)
        return;
    MenuButtonLook::paintPointer(m_menuMain->surface(), x, y, false);
    m_menuMain->update();
}

void Form1::menuReleased()
{
    m_menuPressed = false;
    setMenuVisible(!m_menuPanel->isVisible());
}

void Form1::setMenuVisible(bool visible)
{
    m_menuPanel->setVisible(visible);
    m_menuPanelShape->setVisible(visible);
}

void Form1::gridBackgroundReleased()
{
    m_menuPressed = false;
    setMenuVisible(false);
}

void Form1::StartQuery()
{
    m_client.StartQuery(m_searchBar->text());
}

void Form1::chooseCategory(int selectedIndex)
{
    m_searchBar->setText(m_client.chooseCategory(selectedIndex));
    StartQuery();
}

void Form1::PickLuckyKeyword()
{
    KeywordList& keywords = m_client.keywords();
    const QString keyword = keywords.PickLuckyKeyword();
    if (keyword.isNull())
        return; // no keyword to pick
    m_searchBar->setText(keyword);
    saveKeywords();
    StartQuery();
}

void Form1::LoadMoreResults()
{
    m_client.LoadMoreResults(m_searchBar->text());
}

void Form1::clearResults()
{
    m_downloadTile = -1; // its tile is gone with the old results
    m_iconGrid->resetGrid();
    m_iconGrid->move(0, 0);
    m_notice->hide();
    m_cacheNotice->hide();
    UpdateScrollRange();
}

float Form1::gridWidth() const
{
    return float(width() - m_menuWidth - WindowLayout::kScrollbarWidth);
}

void Form1::PlaceNextTile(const ThumbnailImage& thumbnail)
{
    m_iconGrid->PlaceNextTile(m_client.resultList(), m_client.records(), gridWidth(), thumbnail);
}

// Every tile is as wide as the cell step less its grid line; thumbnails fit into that by 100.
QSize Form1::thumbnailBox() const
{
    const GridGeometry geometry(gridWidth());
    return {std::max(geometry.cellStep() - 1, 1), GridGeometry::kImageBoxHeight};
}

void Form1::loadMoreChanged(bool shown)
{
    setLoadMoreCaption(QString::fromLatin1(kLoadMoreText));
    m_timer4.start();
    // Taking the panel away keeps the range until the next page's rows come in.
    if (shown)
        UpdateScrollRange();
}

void Form1::showLoadMoreNotice(const QString& text)
{
    setLoadMoreCaption(text);
}

// The caption sits in its design box; a longer notice takes the panel's whole width.
void Form1::setLoadMoreCaption(const QString& text)
{
    m_label2->setText(text);
    const QRect box = WindowLayout::compute(width(), height(), m_menuWidth).Label2;
    m_label2->setGeometry(text == QLatin1String(kLoadMoreText) ? box : m_loadMore->rect());
}

void Form1::setProgressWidth(int width)
{
    m_progress->resize(width, m_progress->height());
}

void Form1::pageLoadEnded(bool superseded)
{
    UpdateScrollRange();
    if (superseded || m_firstPageSeen)
        return;
    m_firstPageSeen = true;
    Q_EMIT firstPageShown();
}

void Form1::showNotice(const QString& text)
{
    m_notice->setText(text);
    m_notice->setGeometry(0, kNoticeTop, m_gridPic->width(), kNoticeHeight);
    m_notice->raise();
    m_notice->show();
}

// The reason reads "Cannot write PATH: why"; the strip says why, the tooltip the whole of it.
void Form1::thumbnailsNotCached(const QString& reason)
{
    const qsizetype colon = reason.lastIndexOf(QStringLiteral(": "));
    const QString why = colon < 0 ? reason : reason.mid(colon + 2);
    m_cacheNotice->setText(QStringLiteral("Thumbnails are shown but not kept in the cache: %1.").arg(why));
    m_cacheNotice->setToolTip(reason);
    m_cacheNotice->setGeometry(0, 0, m_gridPic->width(), kCacheNoticeHeight);
    m_cacheNotice->raise();
    m_cacheNotice->show();
}

void Form1::UpdateScrollRange()
{
    m_scroll->UpdateScrollRange();
}

void Form1::slideLoadMore()
{
    const LoadMoreSlide::Step step = LoadMoreSlide::tick(m_client.state().loadMore, m_loadMore->y(),
                                                         m_gridPic->height(), m_loadMore->height());
    m_loadMore->move(m_loadMore->x(), step.top);
    if (step.done)
        m_timer4.stop();
}

void Form1::onTimer6()
{
    // Nothing else to wait for: the timer sleeps until the next pending search.
    m_timer6.stop();
    if (!m_searchPending)
        return;
    m_searchPending = false;
    StartQuery();
}

void Form1::onDownloadClick()
{
    m_busy->show();
}

// The keyboard stays in this window once the busy window goes, when it was here before.
void Form1::hideBusyWindow()
{
    const QWidget* active = QApplication::activeWindow();
    const bool keyboardHere = active == this || active == m_busy;
    m_busy->hide();
    if (keyboardHere && QApplication::activeWindow() != this)
        activateWindow();
}

void Form1::onDownloadRequested(int index, const QString& thumbName)
{
    m_downloadTile = index;
    m_download->start(thumbName);
}

// The fetch half is over: the busy window goes and the tile knows its icon was fetched.
void Form1::onDownloadFinished()
{
    hideBusyWindow();
    if (IconsOLE* tile = m_iconGrid->tile(m_downloadTile))
        tile->setIconDownloaded(true);
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    if (m_scroll->handleKey(event->key(), event->modifiers()))
        event->accept();
    else
        QWidget::keyPressEvent(event);
}

bool Form1::focusNextPrevChild(bool next)
{
    return (m_keyboard && m_keyboard->moveFocus(next)) || QWidget::focusNextPrevChild(next);
}

void Form1::closeEvent(QCloseEvent* event)
{
    shutdown();
    event->accept();
    QApplication::quit();
}

// Stops the network work, removes the hooks and writes the keyword list back; runs once.
void Form1::shutdown()
{
    if (m_shutDown)
        return;
    m_shutDown = true;
    m_timer4.stop();
    m_timer6.stop();
    m_client.stop();
    m_iconGrid->resetGrid();
    delete m_keyboard;
    m_keyboard = nullptr;
    m_wheelHook->remove();
    saveKeywords();
}

// The keyword list is the program's own: a failed write keeps the old file and is said on stderr.
void Form1::saveKeywords()
{
    QString error;
    if (!m_client.keywords().SaveKeywords(AppPaths::goodLuck(), m_services.files, &error) && !error.isEmpty())
        QTextStream(stderr) << "pictomine: the Good Luck keyword list was not saved. " << error << '\n';
}
