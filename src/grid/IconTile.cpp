#include "grid/IconTile.h"

#include "catalogue/ThumbnailCache.h"
#include "controls/FocusMark.h"
#include "export/DownloadNames.h"
#include "export/FullIconFetch.h"
#include "export/IconMimeData.h"
#include "grid/TileButton.h"
#include "platform/AppPaths.h"
#include "platform/MouseCodes.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace
{
const QString kDefaultTitle = QStringLiteral("Title");
const QString kDefaultLicense = QStringLiteral("License: ");

QLabel* makeLoadingCaption(QWidget* parent)
{
    auto* label = new QLabel(QStringLiteral("Loading..."), parent);
    label->setGeometry(120, 80, 65, 16);
    QFont font;
    font.setFamilies({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(9.75);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(palette);
    // The pointer over the caption still counts as over the tile.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}
} // namespace

IconTile::IconTile(const AppPaths& paths, QWidget* parent)
    : QWidget(parent), m_paths(paths), m_title(kDefaultTitle), m_license(kDefaultLicense)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    m_download = new TileButton(Artwork::Piece::Download, QStringLiteral("Download"), this);
    m_info = new TileButton(Artwork::Piece::License, QStringLiteral("License"), this);
    m_loadingCap = makeLoadingCaption(this);

    m_revealTimer.setInterval(TileStrip::kRevealPeriodMs);
    m_hideTimer.setInterval(TileStrip::kHidePeriodMs);
    connect(&m_revealTimer, &QTimer::timeout, this, &IconTile::onRevealTick);
    connect(&m_hideTimer, &QTimer::timeout, this, &IconTile::onHideTick);
    connect(m_download, &TileButton::released, this, &IconTile::onDownloadReleased);
    connect(m_info, &TileButton::released, this, [this] { Q_EMIT licenseRequested(m_license); });

    resize(kInitialSize);
    followSize();
}

void IconTile::setIconTitle(const QString& title)
{
    m_title = title;
}

void IconTile::setIconLicense(const QString& license)
{
    m_license = license;
}

void IconTile::setIconLocal(const QString& path)
{
    m_thumbName = path;
}

void IconTile::drawIcon(const QImage& icon, float x, float y, float w, float h)
{
    m_imageRect = QRectF(x, y, w, h);
    renderRetained(icon);
    update();
    m_loadingCap->hide();
}

void IconTile::renderRetained(const QImage& source)
{
    m_retained = QImage();
    const QRect target(int(std::lrint(m_imageRect.x())), int(std::lrint(m_imageRect.y())),
                       int(std::lrint(m_imageRect.width())), int(std::lrint(m_imageRect.height())));
    // Only the part inside the tile is kept, so an oversized rectangle cannot cost memory.
    const QRect visible = target.intersected(rect());
    if (source.isNull() || visible.isEmpty())
        return;
    // Kept at the screen's resolution: a thumbnail decoded at the fitted size times the device
    // pixel ratio lands on the screen pixel for pixel.
    const qreal dpr = devicePixelRatioF();
    QImage copy(visible.size() * dpr, QImage::Format_RGB32);
    copy.setDevicePixelRatio(dpr);
    copy.fill(Qt::white);
    QPainter painter(&copy);
    // Bilinear filtering, like the default quality of the original drawing library.
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(QRect(target.topLeft() - visible.topLeft(), target.size()), source);
    painter.end();
    m_retained = copy;
    m_retainedPos = visible.topLeft();
}

void IconTile::activate()
{
    followSize();
    m_strip.mouseActive();
    syncTimers();
}

void IconTile::redraw()
{
    followSize();
    // The surface is white plus the retained thumbnail at its rectangle: repainting it is a refresh.
    update();
    m_strip.hide();
    syncTimers();
}

void IconTile::redrawBlank()
{
    followSize();
    m_strip.hide();
    syncTimers();
}

void IconTile::resetContent()
{
    m_title = kDefaultTitle;
    m_license = kDefaultLicense;
    m_thumbName.clear();
    m_retained = QImage();
    m_imageRect = QRectF();
    m_loadingCap->show();
    m_strip.reset();
    syncTimers();
    placeButtons();
    update();
}

QImage IconTile::surface() const
{
    const qreal dpr = devicePixelRatioF();
    QImage image(size() * dpr, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::white);
    if (!m_retained.isNull()) {
        QPainter painter(&image);
        painter.drawImage(m_retainedPos, m_retained);
    }
    return image;
}

bool IconTile::isLoadingShown() const
{
    return !m_loadingCap->isHidden();
}

QWidget* IconTile::downloadButton() const
{
    return m_download;
}

QWidget* IconTile::licenseButton() const
{
    return m_info;
}

void IconTile::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (!m_retained.isNull())
        painter.drawImage(m_retainedPos, m_retained);
    if (hasFocus())
        FocusMark::paint(painter, rect());
}

void IconTile::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    update();
    Q_EMIT focusEntered();
}

void IconTile::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    const QPoint at = event->reason() == QContextMenuEvent::Mouse ? event->pos() : rect().center();
    Q_EMIT menuRequested(mapToGlobal(at));
}

void IconTile::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    update();
}

void IconTile::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    followSize();
}

// A hidden widget gets its resize event only when it is shown; the strip follows the new size as
// soon as it is used, and the late event then finds it already placed.
void IconTile::followSize()
{
    if (m_strip.tileSize() == size())
        return;
    m_strip.resize(width(), height());
    placeButtons();
}

void IconTile::mouseMoveEvent(QMouseEvent* event)
{
    if (m_pressAt && (event->buttons() & Qt::LeftButton) &&
        (event->position().toPoint() - *m_pressAt).manhattanLength() >= QApplication::startDragDistance()) {
        m_pressAt.reset();
        startDrag();
        return;
    }
    Q_EMIT tileMouseMoved(MouseCodes::button(event->buttons()), MouseCodes::shift(event->modifiers()),
                          float(event->position().x()), float(event->position().y()));
}

// Presses and releases on the tile are the tile's own: they must not reach the grid background,
// whose release hides the category list.
void IconTile::mousePressEvent(QMouseEvent* event)
{
    event->accept();
    if (event->button() == Qt::LeftButton)
        m_pressAt = event->position().toPoint();
}

void IconTile::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    m_pressAt.reset();
}

QMimeData* IconTile::dragData() const
{
    const QString full = FullIconFetch::pathFor(m_paths, m_thumbName);
    if (!full.isEmpty() && QFile::exists(full)) {
        if (QMimeData* mime = IconMimeData::fromFile(full))
            return mime;
    }
    // Not downloaded yet: the cached thumbnail goes instead.
    const QString thumbFile = QFileInfo(m_thumbName).fileName();
    return ThumbnailCache::isSafeName(thumbFile)
               ? IconMimeData::fromFile(ThumbnailCache(m_paths.icons()).pathOf(thumbFile))
               : nullptr;
}

void IconTile::startDrag()
{
    QMimeData* mime = dragData();
    if (!mime)
        return;
    auto* drag = new QDrag(this);
    drag->setMimeData(mime);
    if (!m_retained.isNull())
        drag->setPixmap(QPixmap::fromImage(m_retained));
    drag->exec(Qt::CopyAction);
}

void IconTile::placeButtons()
{
    m_info->move(m_strip.infoPos());
    m_download->move(m_strip.downloadPos());
}

void IconTile::syncTimers()
{
    if (m_strip.isRevealing() != m_revealTimer.isActive())
        m_strip.isRevealing() ? m_revealTimer.start() : m_revealTimer.stop();
    if (m_strip.isHiding() != m_hideTimer.isActive())
        m_strip.isHiding() ? m_hideTimer.start() : m_hideTimer.stop();
}

void IconTile::onRevealTick()
{
    m_strip.revealTick();
    placeButtons();
    syncTimers();
}

void IconTile::onHideTick()
{
    m_strip.hideTick();
    placeButtons();
    syncTimers();
}

void IconTile::onDownloadReleased(int button, int modifiers, float x, float y)
{
    Q_EMIT downloadClicked(button, modifiers, x, y);
    Q_EMIT downloadRequested(m_thumbName);
}

void IconTile::requestDownload()
{
    onDownloadReleased(1, 0, 0, 0);
}

void IconTile::openPostPage()
{
    Q_EMIT licenseRequested(m_license);
}

QString IconTile::accessibleTitle() const
{
    if (!m_title.trimmed().isEmpty())
        return m_title;
    return DownloadNames::derive(m_thumbName).fullFileName;
}
