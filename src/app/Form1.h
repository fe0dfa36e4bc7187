#pragma once

#include "app/PictureBox.h"
#include "app/WindowServices.h"
#include "catalogue/CatalogueClient.h"
#include "catalogue/ResultView.h"

#include <QLabel>
#include <QTimer>
#include <QWidget>

#include <memory>

class CtlLayers;
class Form2;
class GridScroll;
class IconClipboard;
class IconDownloadFlow;
class IconGrid;
class KeyboardAccess;
class QFrame;
class QLineEdit;
class ScreenWatch;
class ucScrollbar;
class WheelHook;

// The main window: a frameless window fitted to the work area, whose regions the program lays out
// itself (again whenever the screen or its work area changes), the search row, the category column, the
// results grid with its scrollbar and Load More panel, and the busy window of a tile's download. The
// catalogue work lives in CatalogueClient; this class routes events and draws the chrome.
class Form1 : public QWidget, public ResultView
{
    Q_OBJECT
public:
    explicit Form1(const WindowServices& services, QWidget* parent = nullptr);
    ~Form1() override;

    // ResultView
    void clearResults() override;
    void PlaceNextTile(const ThumbnailImage& thumbnail) override;
    void loadMoreChanged(bool shown) override;
    void setProgressWidth(int width) override;
    void pageLoadEnded(bool superseded) override;
    void showNotice(const QString& text) override;
    void showLoadMoreNotice(const QString& text) override;
    void thumbnailsNotCached(const QString& reason) override;
    [[nodiscard]] QSize thumbnailBox() const override;
    [[nodiscard]] qreal devicePixelRatio() const override { return devicePixelRatioF(); }

    void StartQuery();
    void UpdateScrollRange();
    void PickLuckyKeyword();
    void LoadMoreResults();
    // A category row was chosen in the menu.
    void chooseCategory(int selectedIndex);

    // Observers for tests and the screenshot.
    [[nodiscard]] CatalogueClient& client() { return m_client; }
    [[nodiscard]] IconGrid* iconGrid() const { return m_iconGrid; }
    [[nodiscard]] ucScrollbar* scrollbar() const { return m_scrollbar; }
    [[nodiscard]] QWidget* loadMorePanel() const { return m_loadMore; }
    [[nodiscard]] QWidget* loadMoreCaption() const { return m_label2; }
    [[nodiscard]] QWidget* gridViewport() const { return m_gridPic; }
    [[nodiscard]] QLabel* notice() const { return m_notice; }
    [[nodiscard]] QLabel* cacheNotice() const { return m_cacheNotice; }
    [[nodiscard]] CtlLayers* menuPanel() const { return m_menuPanel; }
    [[nodiscard]] QWidget* menuButton() const { return m_menuMain; }
    [[nodiscard]] QWidget* captionButton(int index) const { return m_mainControls[index]; }
    [[nodiscard]] QWidget* goodLuckButton() const { return m_goodLuck; }
    [[nodiscard]] PictureBox* searchButton() const { return m_searchButton; }
    [[nodiscard]] QWidget* logo() const { return m_logo; }
    [[nodiscard]] QLineEdit* searchBar() const { return m_searchBar; }
    [[nodiscard]] Form2* busyWindow() const { return m_busy; }
    [[nodiscard]] IconDownloadFlow* downloadFlow() const { return m_download; }
    [[nodiscard]] IconClipboard* iconClipboard() const { return m_copy; }
    [[nodiscard]] bool isLaidOut() const { return !m_firstLayout; }
    // Timer6 runs only while a search is pending.
    [[nodiscard]] const QTimer& timer6() const { return m_timer6; }

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
    void onTimer6();
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
    Form2* m_busy = nullptr;
    IconDownloadFlow* m_download = nullptr;
    KeyboardAccess* m_keyboard = nullptr;
    IconClipboard* m_copy = nullptr;
    int m_downloadTile = -1; // the tile whose download runs

    PictureBox* m_logoPic = nullptr;
    QLabel* m_logo = nullptr;
    QLabel* m_logoText = nullptr;
    QWidget* m_line2 = nullptr;
    CtlLayers* m_menuPanel = nullptr;
    QFrame* m_menuPanelShape = nullptr;
    PictureBox* m_titleBar = nullptr;
    PictureBox* m_mainControls[3] = {};
    PictureBox* m_toolbar = nullptr;
    QWidget* m_searchOle = nullptr;
    PictureBox* m_searchButton = nullptr;
    QLineEdit* m_searchBar = nullptr;
    QFrame* m_shape3 = nullptr;
    PictureBox* m_goodLuck = nullptr;
    PictureBox* m_menuMain = nullptr;
    QLabel* m_label1 = nullptr;
    QWidget* m_line1 = nullptr;
    QWidget* m_progress = nullptr;
    QWidget* m_gridPic = nullptr;
    IconGrid* m_iconGrid = nullptr;
    QLabel* m_notice = nullptr;      // why the result set is empty
    QLabel* m_cacheNotice = nullptr; // thumbnails shown but not cached (a full disk)
    PictureBox* m_loadMore = nullptr;
    QLabel* m_label2 = nullptr;
    ucScrollbar* m_scrollbar = nullptr;

    QTimer m_timer4; // Load More slide
    QTimer m_timer6; // runs the pending search; runs only while one is pending
    int m_menuWidth = 0;
    bool m_firstLayout = true;
    bool m_searchPending = false;
    bool m_menuPressed = false;
    bool m_firstPageSeen = false;
    bool m_shutDown = false;
};
