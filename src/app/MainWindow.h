#pragma once

#include "app/PictureBox.h"
#include "app/WindowServices.h"
#include "catalogue/CatalogueClient.h"
#include "catalogue/ResultView.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <memory>

class LayerListWidget;
class BusyWindow;
class GridScroll;
class IconClipboard;
class IconDownloadFlow;
class IconGrid;
class KeyboardAccess;
class QFrame;
class QLineEdit;
class ScreenWatch;
class Scrollbar;
class WheelHook;

// The main window: a frameless window fitted to the work area, whose regions the program lays out
// itself (again whenever the screen or its work area changes), the search row, the category column, the
// results grid with its scrollbar and Load More panel, and the busy window of a tile's download. The
// catalogue work lives in CatalogueClient; this class routes events and draws the chrome.
class MainWindow : public QWidget, public ResultView
{
    Q_OBJECT
public:
    explicit MainWindow(const WindowServices& services, QWidget* parent = nullptr);
    ~MainWindow() override;

    // ResultView
    void clearResults() override;
    void placeNextTile(const ThumbnailImage& thumbnail) override;
    void loadMoreChanged(bool shown) override;
    void setProgressWidth(int width) override;
    void pageLoadEnded(bool superseded) override;
    void showNotice(const QString& text) override;
    void showLoadMoreNotice(const QString& text) override;
    void thumbnailsNotCached(const QString& reason) override;
    [[nodiscard]] QSize thumbnailBox() const override;
    [[nodiscard]] qreal devicePixelRatio() const override { return devicePixelRatioF(); }

    void startQuery();
    void updateScrollRange();
    void pickLuckyKeyword();
    void loadMoreResults();
    // A category row was chosen in the menu.
    void chooseCategory(int selectedIndex);

    // Observers for tests and the screenshot.
    [[nodiscard]] CatalogueClient& client() { return m_client; }
    [[nodiscard]] IconGrid* iconGrid() const { return m_iconGrid; }
    [[nodiscard]] Scrollbar* scrollbar() const { return m_scrollbar; }
    [[nodiscard]] QWidget* loadMorePanel() const { return m_loadMore; }
    [[nodiscard]] QWidget* loadMoreCaption() const { return m_loadMoreCaption; }
    [[nodiscard]] QWidget* gridViewport() const { return m_gridViewport; }
    [[nodiscard]] QLabel* notice() const { return m_notice; }
    [[nodiscard]] QLabel* cacheNotice() const { return m_cacheNotice; }
    [[nodiscard]] LayerListWidget* menuPanel() const { return m_menuPanel; }
    [[nodiscard]] QWidget* menuButton() const { return m_menuButton; }
    [[nodiscard]] QWidget* captionButton(int index) const { return m_mainControls[index]; }
    [[nodiscard]] QWidget* goodLuckButton() const { return m_goodLuck; }
    [[nodiscard]] PictureBox* searchButton() const { return m_searchButton; }
    [[nodiscard]] QWidget* logo() const { return m_logo; }
    [[nodiscard]] QLineEdit* searchBar() const { return m_searchBar; }
    [[nodiscard]] BusyWindow* busyWindow() const { return m_busy; }
    [[nodiscard]] IconDownloadFlow* downloadFlow() const { return m_download; }
    [[nodiscard]] IconClipboard* iconClipboard() const { return m_copy; }
    [[nodiscard]] bool isLaidOut() const { return !m_firstLayout; }
    // Runs only while a search is pending.
    [[nodiscard]] const QTimer& pendingSearchTimer() const { return m_pendingSearchTimer; }

Q_SIGNALS:
    // The first result page has finished loading (or failed): every tile of it is drawn.
    void firstPageShown();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Keys the focused control leaves alone: Page Up and Page Down scroll the grid by the rows
    // the viewport holds, Ctrl+Home and Ctrl+End to its ends.
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void buildLeftColumn();
    void buildTitleBar();
    void buildToolbar();
    void buildGrid();
    void makeButtons();
    void colourChrome();
    void layOut();
    void relayOut();
    void fitToWorkArea();
    [[nodiscard]] float gridWidth() const;
    void captionClicked(int index);
    void searchButtonMoved(float x, float y);
    void menuPressed(float x, float y);
    void menuMoved(float x, float y);
    void menuReleased();
    void setMenuVisible(bool visible);
    void gridBackgroundReleased();
    void slideLoadMore();
    void setLoadMoreCaption(const QString& text);
    void runPendingSearch();
    void onDownloadClick();
    void onDownloadRequested(int index, const QString& thumbName);
    void onDownloadFinished();
    void hideBusyWindow();
    void shutdown();
    void saveKeywords();

    WindowServices m_services;
    CatalogueClient m_client;
    std::unique_ptr<GridScroll> m_scroll;
    std::unique_ptr<WheelHook> m_wheelHook;
    ScreenWatch* m_screenWatch = nullptr;
    BusyWindow* m_busy = nullptr;
    IconDownloadFlow* m_download = nullptr;
    KeyboardAccess* m_keyboard = nullptr;
    IconClipboard* m_copy = nullptr;
    int m_downloadTile = -1; // the tile whose download runs

    PictureBox* m_logoPic = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_logoText = nullptr;
    QWidget* m_logoLine = nullptr;
    LayerListWidget* m_menuPanel = nullptr;
    QFrame* m_menuPanelShape = nullptr;
    PictureBox* m_titleBar = nullptr;
    PictureBox* m_mainControls[3] = {};
    PictureBox* m_toolbar = nullptr;
    QWidget* m_searchBox = nullptr;
    PictureBox* m_searchButton = nullptr;
    QLineEdit* m_searchBar = nullptr;
    QFrame* m_searchFrame = nullptr;
    PictureBox* m_goodLuck = nullptr;
    PictureBox* m_menuButton = nullptr;
    QLabel* m_hint = nullptr;
    QWidget* m_toolbarLine = nullptr;
    QWidget* m_progress = nullptr;
    QWidget* m_gridViewport = nullptr;
    IconGrid* m_iconGrid = nullptr;
    QLabel* m_notice = nullptr;      // why the result set is empty
    QLabel* m_cacheNotice = nullptr; // thumbnails shown but not cached (a full disk)
    PictureBox* m_loadMore = nullptr;
    QLabel* m_loadMoreCaption = nullptr;
    Scrollbar* m_scrollbar = nullptr;

    QTimer m_loadMoreSlideTimer; // Load More slide
    QTimer m_pendingSearchTimer; // runs the pending search; runs only while one is pending
    int m_menuWidth = 0;
    bool m_firstLayout = true;
    bool m_searchPending = false;
    bool m_menuPressed = false;
    bool m_firstPageSeen = false;
    bool m_shutDown = false;
};
