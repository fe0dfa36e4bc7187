#pragma once

#include "grid/TileStrip.h"

#include <QImage>
#include <QRectF>
#include <QTimer>
#include <QWidget>

#include <optional>

class AppPaths;
class QLabel;
class QMimeData;
class TileButton;

// One result tile: a white surface showing the thumbnail the grid draws into it, the result's
// texts, and a download and a licence button that slide up from the bottom edge while the tile is
// the hovered one. The surface persists: it shows the last drawIcon until the next one.
class IconTile : public QWidget
{
    Q_OBJECT
public:
    static constexpr QSize kInitialSize{304, 187};

    // A drag takes the icon from the folders of `paths`, which outlives the tile.
    explicit IconTile(const AppPaths& paths, QWidget* parent = nullptr);

    // The write-only properties iconTitle, iconLicense and iconLocal, in Qt setter naming.
    void setIconTitle(const QString& title);
    void setIconLicense(const QString& license);
    void setIconLocal(const QString& path);

    [[nodiscard]] bool iconDownloaded() const { return m_downloaded; }
    void setIconDownloaded(bool downloaded) { m_downloaded = downloaded; }

    // Clears the surface and draws icon into (x, y, w, h), each rounded halves to even, in
    // logical pixels. An image carrying a device pixel ratio (decoded at w x h times the ratio)
    // is drawn pixel for pixel on a screen of that ratio. The tile keeps its own copy of what it
    // drew, at the screen's resolution, so redraw can repaint it; icon stays the caller's.
    void drawIcon(const QImage& icon, float x, float y, float w, float h);
    // Starts revealing the button strip (nothing when it is already active).
    void activate();
    // Repaints the retained thumbnail and starts hiding the strip.
    void redraw();
    // Starts hiding the strip.
    void redrawBlank();

    // The download and the post page, as the tile's buttons start them (keys, menu, assistive
    // technology).
    void requestDownload();
    void openPostPage();
    // What assistive technology calls the tile: its title, or its icon's file name without one.
    [[nodiscard]] QString accessibleTitle() const;
    [[nodiscard]] const QString& thumbName() const { return m_thumbName; }
    // What a drag out of the tile carries: the full-size icon once it is downloaded, the
    // thumbnail before (file and image/png); null when neither can be read.
    [[nodiscard]] QMimeData* dragData() const;

    // Back to a fresh tile for a new result set: default texts, empty surface, "Loading..." shown,
    // strip hidden at once.
    void resetContent();

    // Observers for the host and tests.
    [[nodiscard]] int stripTop() const { return m_strip.top(); }
    [[nodiscard]] const TileStrip& strip() const { return m_strip; }
    // What the tile shows (white with the thumbnail), at the device pixel ratio.
    [[nodiscard]] QImage surface() const;
    [[nodiscard]] const QImage& retained() const { return m_retained; }
    [[nodiscard]] QRectF imageRect() const { return m_imageRect; }
    [[nodiscard]] bool isLoadingShown() const;
    [[nodiscard]] QWidget* downloadButton() const;
    [[nodiscard]] QWidget* licenseButton() const;

Q_SIGNALS:
    void tileMouseMoved(int button, int modifiers, float x, float y);
    void downloadClicked(int button, int modifiers, float x, float y);
    // Raised right after downloadClicked: the host runs the download of this tile's thumbnail.
    void downloadRequested(const QString& thumbName);
    // A pointer button was released over the licence button: the host opens the post link.
    void licenseRequested(const QString& postLink);
    // The tile took the keyboard focus.
    void focusEntered();
    // A right-click or the Menu key asks for the tile's menu at a point of the screen.
    void menuRequested(QPoint globalPos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void renderRetained(const QImage& source);
    void followSize();
    void placeButtons();
    void syncTimers();
    void onRevealTick();
    void onHideTick();
    void onDownloadReleased(int button, int modifiers, float x, float y);
    void startDrag();

    const AppPaths& m_paths;
    TileStrip m_strip;
    QTimer m_revealTimer;
    QTimer m_hideTimer;
    TileButton* m_download = nullptr;
    TileButton* m_info = nullptr;
    QLabel* m_loadingCap = nullptr;

    QString m_title;
    QString m_license;
    QString m_thumbName;
    bool m_downloaded = false;
    std::optional<QPoint> m_pressAt; // a left press that may become a drag

    // The retained thumbnail, rendered over white at its drawn size and clipped to the tile; it
    // is the whole content of the otherwise white surface.
    QImage m_retained;
    QPoint m_retainedPos;
    QRectF m_imageRect;
};
