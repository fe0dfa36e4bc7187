#pragma once

#include "catalogue/IconRecord.h"
#include "catalogue/ThumbnailImage.h"
#include "grid/GridGeometry.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include <vector>

class AppPaths;
class GridLineOverlay;
class IconTile;
class TileMenu;

// The results grid surface: its grid lines, the control array of tiles Icons (element 0 exists
// from the start), the placement cursor and the hover rule. The surface grows a row of 200 pixels
// at a time and scrolls inside its viewport; the host moves it. For the keyboard the grid is one
// Tab stop whose focused tile is the last hovered tile: focus and hover share it, so one strip at
// most is up, and the grid's keys move it (GridKeys).
class IconGrid : public QWidget
{
    Q_OBJECT
public:
    static constexpr QRgb kLineColour = 0xFFE6E6E6; // RGB(230, 230, 230)

    // Its tiles drag icons from the folders of `paths`, which outlives the grid.
    explicit IconGrid(const AppPaths& paths, QWidget* parent = nullptr);

    // Places the tile of the newest result-list entry (index n - 1): grows the surface, draws the
    // grid lines, creates the tile, gives it the record's texts, moves it into its cell, draws
    // the thumbnail fitted by its natural size and advances the cursor. Records are added when the
    // array is shorter, with empty texts. Returns the surface height (also reported by
    // surfaceHeightChanged).
    int placeNextTile(const QStringList& resultList, std::vector<IconRecord>& records, float gridWidth,
                      const ThumbnailImage& thumbnail);

    // The grid width changed: every placed tile moves to its cell for the new column count (its
    // thumbnail re-centred, scaled down only when the tile became narrower), the surface takes the new height
    // and the cursor continues after the last tile.
    void reflow(float gridWidth);
    // Tiles placed so far.
    [[nodiscard]] int placedCount() const { return m_row * m_geometry.columns() + m_column; }
    // The first tile of the row at the given surface offset, and the offset of the row holding a tile.
    [[nodiscard]] int firstTileAt(int offset) const;
    [[nodiscard]] int rowTopOf(int index) const;

    // A new query: unloads every tile but tile 0, resets tile 0, the cursor, the geometry and the
    // last hovered tile, clears the drawing and sets the height to 0.
    void resetGrid();

    // The hover rule, on tileMouseMoved from tile k. While a tile has the keyboard focus, the
    // focus follows the pointer to tile k.
    void hoverTile(int k);
    // Gives tile k the keyboard focus (it becomes the last hovered tile).
    void focusTile(int k);
    // The tile that has the keyboard focus, -1 when none has.
    [[nodiscard]] int focusedTile() const;
    // Focuses tile `index` and pops its menu up at a point of the screen.
    void showTileMenu(int index, const QPoint& globalPos);
    // The tile menu last shown (null once it is gone).
    [[nodiscard]] TileMenu* tileMenu() const;

    [[nodiscard]] const std::vector<IconTile*>& Icons() const { return m_icons; }
    [[nodiscard]] IconTile* tile(int index) const;
    [[nodiscard]] int tileCount() const { return int(m_icons.size()); }
    // The tiles that show a result: none while tile 0 waits hidden for the first one.
    [[nodiscard]] int shownTileCount() const;
    [[nodiscard]] const GridGeometry& gridGeometry() const { return m_geometry; }
    [[nodiscard]] int cursorRow() const { return m_row; }
    [[nodiscard]] int cursorColumn() const { return m_column; }
    [[nodiscard]] int lastHovered() const { return m_lastHovered; }
    // The drawing of the surface (grid lines on white), for observers.
    [[nodiscard]] QImage surface() const;

Q_SIGNALS:
    // The surface changed height; the host updates the scroll range at once.
    void surfaceHeightChanged(int height);
    // A pointer button was released on the background between tiles.
    void backgroundReleased(int button, int modifiers, float x, float y);
    // Re-raised from tile `index`.
    void downloadClicked(int index, int button, int modifiers, float x, float y);
    void downloadRequested(int index, const QString& thumbName);
    // Re-raised from a tile's licence button: the host opens the post link.
    void licenseRequested(const QString& postLink);
    // Tile `index` took the keyboard focus; the host scrolls its cell into view.
    void tileFocused(int index, const QRect& cell);
    // A tile's menu or Ctrl+C asks for the full-size icon, or its address, on the clipboard.
    void copyImageRequested(const QString& thumbName);
    void copyAddressRequested(const QString& thumbName);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // The grid's Tab stop hands the focus to the last hovered tile.
    void focusInEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void onTileFocused(int index);
    IconTile* makeTile(int index);
    void drawLines(int oldHeight);
    void paintLines(QPainter& painter, const QRect& area) const;
    void advanceCursor();
    // Moves tile `index` into the cell under the cursor and stores that geometry in its record.
    QRect placeTile(IconTile* icon);

    GridLineOverlay* m_lines = nullptr;
    std::vector<IconTile*> m_icons;
    QPointer<TileMenu> m_menu;
    const AppPaths& m_paths;
    GridGeometry m_geometry;
    int m_row = 0;
    int m_column = 0;
    int m_lastHovered = 0;
    // The grid lines as last drawn: the geometry and surface size they were drawn for.
    bool m_linesDrawn = false;
    GridGeometry m_linesGeometry;
    QSize m_linesSize;
};
