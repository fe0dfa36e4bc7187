#include "grid/IconGrid.h"

#include "grid/Artwork.h"
#include "grid/GridKeys.h"
#include "grid/GridLineOverlay.h"
#include "grid/IconTile.h"
#include "grid/TileMenu.h"
#include "platform/MouseCodes.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

IconGrid::IconGrid(const AppPaths& paths, QWidget* parent) : QWidget(parent), m_paths(paths)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    // Growing by a row paints only the new row, not the tiles already shown.
    setAttribute(Qt::WA_StaticContents);
    m_lines = new GridLineOverlay(this, [this](QPainter& p, const QRect& area) { paintLines(p, area); });
    setFocusPolicy(Qt::TabFocus);
    makeTile(0)->hide();
}

IconTile* IconGrid::makeTile(int index)
{
    auto* tile = new IconTile(m_paths, this);
    tile->hide();
    connect(tile, &IconTile::tileMouseMoved, this, [this, index] { hoverTile(index); });
    connect(tile, &IconTile::downloadClicked, this,
            [this, index](int b, int s, float x, float y) { Q_EMIT downloadClicked(index, b, s, x, y); });
    connect(tile, &IconTile::downloadRequested, this,
            [this, index](const QString& name) { Q_EMIT downloadRequested(index, name); });
    connect(tile, &IconTile::licenseRequested, this, &IconGrid::licenseRequested);
    connect(tile, &IconTile::focusEntered, this, [this, index] { onTileFocused(index); });
    connect(tile, &IconTile::menuRequested, this, [this, index](QPoint at) { showTileMenu(index, at); });
    m_icons.push_back(tile);
    m_lines->raise();
    return tile;
}

IconTile* IconGrid::tile(int index) const
{
    if (index < 0 || index >= int(m_icons.size()))
        return nullptr;
    return m_icons[std::size_t(index)];
}

int IconGrid::shownTileCount() const
{
    return m_icons[0]->isHidden() ? 0 : tileCount();
}

int IconGrid::placeNextTile(const QStringList& resultList, std::vector<IconRecord>& records, float gridWidth,
                            const ThumbnailImage& thumbnail)
{
    const int n = int(resultList.size());
    if (n == 0)
        return height();
    m_geometry = GridGeometry(gridWidth);
    // Below one column no cell can be computed; nothing is placed.
    if (!m_geometry.isUsable())
        return height();

    const int surfaceHeight = m_geometry.surfaceHeight(n);
    const int oldHeight = height();
    move(x(), 0);
    resize(width(), surfaceHeight);
    Q_EMIT surfaceHeightChanged(surfaceHeight);
    drawLines(oldHeight);

    const int i = n - 1;
    while (int(m_icons.size()) <= i)
        makeTile(int(m_icons.size()));
    if (int(records.size()) <= i)
        records.resize(std::size_t(i) + 1);
    IconRecord& record = records[std::size_t(i)];
    IconTile* icon = m_icons[std::size_t(i)];

    // A thumbnail that could not be decoded shows the missing-picture sign in its place, so the
    // tile does not look like one still loading or left blank by mistake.
    const bool missing = thumbnail.image.isNull();
    const QSize natural = missing ? Artwork::size(Artwork::Piece::MissingPicture) : thumbnail.natural;
    icon->setIconTitle(record.title);
    icon->setIconLicense(record.postLink);
    icon->setIconLocal(record.thumbFile);

    const QRect tileRect = placeTile(icon);
    const QRect image = GridGeometry::imageRect(natural.width(), natural.height(), tileRect.size());
    const QImage picture =
        missing ? Artwork::image(Artwork::Piece::MissingPicture, devicePixelRatioF()) : thumbnail.image;
    icon->drawIcon(picture, float(image.left()), float(image.top()), float(image.width()),
                   float(image.height()));
    icon->show();

    advanceCursor();
    return surfaceHeight;
}

QRect IconGrid::placeTile(IconTile* icon)
{
    const QRect tileRect = m_geometry.tileRect(m_row, m_column);
    icon->setGeometry(tileRect);
    return tileRect;
}

void IconGrid::reflow(float gridWidth)
{
    const int placed = placedCount();
    const GridGeometry geometry(gridWidth);
    if (!geometry.isUsable())
        return;
    const bool sameCells =
        geometry.columns() == m_geometry.columns() && geometry.cellStep() == m_geometry.cellStep();
    m_geometry = geometry;
    if (sameCells && placed > 0) {
        // Only the window's height changed: the tiles stay; the surface keeps its rows.
        const int oldHeight = height();
        resize(width(), m_geometry.surfaceHeight(placed));
        drawLines(oldHeight);
        Q_EMIT surfaceHeightChanged(height());
        return;
    }
    m_row = 0;
    m_column = 0;
    if (placed == 0)
        return;
    for (int i = 0; i < placed; ++i) {
        IconTile* icon = m_icons[size_t(i)];
        const QRect tileRect = placeTile(icon);
        // The thumbnail as drawn is the source now: it keeps its size unless the tile got narrower.
        const QImage drawn = icon->retained();
        const QSize size = drawn.deviceIndependentSize().toSize();
        const QRect image = GridGeometry::imageRect(size.width(), size.height(), tileRect.size());
        icon->drawIcon(drawn, float(image.left()), float(image.top()), float(image.width()),
                       float(image.height()));
        advanceCursor();
    }
    const int oldHeight = height();
    resize(width(), m_geometry.surfaceHeight(placed));
    m_linesDrawn = false; // new columns: every line is drawn again
    drawLines(oldHeight);
    Q_EMIT surfaceHeightChanged(height());
}

int IconGrid::firstTileAt(int offset) const
{
    return std::max(offset, 0) / GridGeometry::kRowHeight * std::max(m_geometry.columns(), 1);
}

int IconGrid::rowTopOf(int index) const
{
    return index / std::max(m_geometry.columns(), 1) * GridGeometry::kRowHeight;
}

// The lines follow the cell step, the surface width and its height. With the same step and width
// only the newly added rows need painting, so the tiles already placed are not repainted.
void IconGrid::drawLines(int oldHeight)
{
    const bool sameColumns =
        m_linesDrawn && m_linesGeometry.cellStep() == m_geometry.cellStep() && m_linesSize.width() == width();
    m_linesDrawn = true;
    m_linesGeometry = m_geometry;
    m_linesSize = size();
    if (!sameColumns)
        m_lines->update();
    else if (height() > oldHeight)
        m_lines->update(QRect(0, oldHeight, width(), height() - oldHeight));
}

void IconGrid::advanceCursor()
{
    ++m_column;
    if (m_column >= m_geometry.columns()) {
        m_column = 0;
        ++m_row;
    }
}

void IconGrid::resetGrid()
{
    // Tiles may be the sender of the event that started the query: delete them later.
    for (std::size_t k = 1; k < m_icons.size(); ++k) {
        m_icons[k]->disconnect(this);
        m_icons[k]->hide();
        m_icons[k]->deleteLater();
    }
    m_icons.resize(1);
    m_icons[0]->resetContent();
    m_icons[0]->hide();

    m_row = 0;
    m_column = 0;
    m_geometry = GridGeometry();
    m_lastHovered = 0;
    m_linesDrawn = false;
    move(x(), 0);
    resize(width(), 0);
    m_lines->update();
    Q_EMIT surfaceHeightChanged(0);
}

void IconGrid::hoverTile(int k)
{
    IconTile* hovered = tile(k);
    if (!hovered)
        return;
    if (m_lastHovered != k) {
        if (IconTile* previous = tile(m_lastHovered))
            previous->redrawBlank();
    }
    hovered->activate();
    m_lastHovered = k;
    if (focusedTile() >= 0 && !hovered->hasFocus())
        hovered->setFocus(Qt::MouseFocusReason);
}

void IconGrid::focusTile(int k)
{
    if (IconTile* t = tile(k); t && !t->isHidden())
        t->setFocus(Qt::OtherFocusReason);
}

int IconGrid::focusedTile() const
{
    for (int k = 0; k < tileCount(); ++k) {
        if (m_icons[std::size_t(k)]->hasFocus())
            return k;
    }
    return -1;
}

void IconGrid::onTileFocused(int index)
{
    hoverTile(index);
    Q_EMIT tileFocused(index, m_icons[std::size_t(index)]->geometry());
}

void IconGrid::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    focusTile(m_lastHovered);
}

void IconGrid::keyPressEvent(QKeyEvent* event)
{
    const int current = focusedTile();
    const GridKeys::Action action = GridKeys::action(event->key(), event->modifiers());
    if (current < 0 || action == GridKeys::Action::None) {
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
    IconTile* focused = tile(current);
    const int viewport = parentWidget() ? parentWidget()->height() : height();
    if (GridKeys::isMove(action))
        focusTile(GridKeys::target(action, current, shownTileCount(), m_geometry.columns(),
                                   GridGeometry::rowsPerScreen(viewport)));
    else if (action == GridKeys::Action::Download)
        focused->requestDownload();
    else if (action == GridKeys::Action::OpenPost)
        focused->openPostPage();
    else if (action == GridKeys::Action::ContextMenu)
        showTileMenu(current, focused->mapToGlobal(focused->rect().center()));
    else
        Q_EMIT copyImageRequested(focused->thumbName());
}

TileMenu* IconGrid::tileMenu() const
{
    return m_menu;
}

void IconGrid::showTileMenu(int index, const QPoint& globalPos)
{
    IconTile* t = tile(index);
    if (!t)
        return;
    focusTile(index);
    delete m_menu;
    m_menu = new TileMenu(this);
    connect(m_menu->download, &QAction::triggered, t, &IconTile::requestDownload);
    connect(m_menu->copyImage, &QAction::triggered, this,
            [this, t] { Q_EMIT copyImageRequested(t->thumbName()); });
    connect(m_menu->copyAddress, &QAction::triggered, this,
            [this, t] { Q_EMIT copyAddressRequested(t->thumbName()); });
    connect(m_menu->openPost, &QAction::triggered, t, &IconTile::openPostPage);
    m_menu->popup(globalPos);
}

QImage IconGrid::surface() const
{
    QImage image(size(), QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    paintLines(painter, image.rect());
    return image;
}

void IconGrid::paintLines(QPainter& painter, const QRect& area) const
{
    if (!m_linesDrawn)
        return;
    painter.setPen(QPen(QColor::fromRgba(kLineColour), 1));
    const int bottom = m_linesSize.height();
    for (int x : m_linesGeometry.verticalLines(m_linesSize.width())) {
        if (x >= area.left() && x <= area.right())
            painter.drawLine(x, std::max(area.top(), 0), x, std::min(area.bottom(), bottom));
    }
    for (int y : GridGeometry::horizontalLines(bottom)) {
        if (y >= area.top() && y <= area.bottom())
            painter.drawLine(area.left(), y, area.right(), y);
    }
}

// White under the tiles; the lines are drawn above them by the overlay.
void IconGrid::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
}

void IconGrid::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    m_lines->setGeometry(rect());
}

void IconGrid::mousePressEvent(QMouseEvent* event)
{
    // Accepted, so the release of the same button comes back to the surface.
    event->accept();
}

void IconGrid::mouseReleaseEvent(QMouseEvent* event)
{
    Q_EMIT backgroundReleased(MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()),
                              float(event->position().x()), float(event->position().y()));
}
