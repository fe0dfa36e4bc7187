#include "app/BusyWindow.h"

#include "app/PictureBox.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QTimerEvent>

namespace
{
constexpr QSize kClientSize(172, 97); // 2580 x 1455 twips at 15 twips per pixel

QPixmap crossGlyph(qreal dpr)
{
    QPixmap glyph(QSize(17, 17) * dpr);
    glyph.setDevicePixelRatio(dpr);
    glyph.fill(Qt::white);
    QPainter p(&glyph);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(87, 87, 87), 1.5));
    p.drawLine(QPointF(4.5, 4.5), QPointF(12.5, 12.5));
    p.drawLine(QPointF(12.5, 4.5), QPointF(4.5, 12.5));
    return glyph;
}
} // namespace

BusyWindow::BusyWindow(const AppPaths& paths, QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::FramelessWindowHint), m_paths(paths)
{
    setFixedSize(kClientSize);
    // The keyboard stays with the main window (Escape there cancels).
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_label = new QLabel(QStringLiteral("Reading..."), this);
    m_label->setFont(QFont("Verdana", 10));
    m_label->setStyleSheet("color: rgb(64, 64, 64)");
    m_label->setGeometry(70, (kClientSize.height() - 20) / 2, 90, 20);
    m_amount = new QLabel(this);
    m_amount->setFont(QFont("Verdana", 7));
    m_amount->setStyleSheet("color: rgb(128, 128, 128)");
    m_amount->setGeometry(70, m_label->geometry().bottom() + 1, kClientSize.width() - 74, 16);
    m_close = new PictureBox(this);
    m_close->setGeometry(kClientSize.width() - 21, 4, 17, 17);
    m_close->setPicture(crossGlyph(devicePixelRatioF()));
    m_close->makeButton(QStringLiteral("Cancel"), QStringLiteral("Cancel"));
    m_close->setCursor(Qt::PointingHandCursor);
    connect(m_close, &PictureBox::mouseReleased, this, &BusyWindow::cancel);
    connect(m_close, &PictureBox::activated, this, &BusyWindow::cancel);
}

QWidget* BusyWindow::closeControl() const
{
    return m_close;
}

void BusyWindow::showEvent(QShowEvent*)
{
    if (!m_loaded) {
        if (!m_session.reportFailure()) {
            close();
            return;
        }
        m_frames.load(m_paths, devicePixelRatioF());
        m_loaded = true;
    }
    m_timer.start(kFramePeriodMs, this);
}

void BusyWindow::hideEvent(QHideEvent*)
{
    m_timer.stop();
    m_amount->clear(); // the next download starts from nothing
}

void BusyWindow::showProgress(qint64 received, qint64 total)
{
    m_amount->setText(amountText(received, total));
}

QString BusyWindow::progressText() const
{
    return m_amount->text();
}

QString BusyWindow::amountText(qint64 received, qint64 total)
{
    auto amount = [](qint64 bytes) {
        constexpr qint64 kMiB = 1024 * 1024;
        return bytes < kMiB ? QStringLiteral("%1 KB").arg((bytes + 512) / 1024)
                            : QStringLiteral("%1 MB").arg(double(bytes) / double(kMiB), 0, 'f', 1);
    };
    return total < 0 ? amount(received) : QStringLiteral("%1 of %2").arg(amount(received), amount(total));
}

void BusyWindow::cancel()
{
    Q_EMIT cancelled();
    close();
}

void BusyWindow::closeEvent(QCloseEvent* e)
{
    // Closed by the window manager; closing from code (a failed start) cancels nothing.
    if (e->spontaneous())
        Q_EMIT cancelled();
}

void BusyWindow::timerEvent(QTimerEvent* e)
{
    if (e->timerId() == m_timer.timerId())
        drawNextFrame();
}

void BusyWindow::drawNextFrame()
{
    const qreal dpr = devicePixelRatioF();
    if (m_surface.devicePixelRatio() != dpr || m_surface.deviceIndependentSize() != QSizeF(size())) {
        m_surface = QImage(size() * dpr, QImage::Format_ARGB32_Premultiplied);
        m_surface.setDevicePixelRatio(dpr);
    }
    m_surface.fill(Qt::white);
    const QImage& frame = m_frames.next();
    if (!frame.isNull()) {
        QPainter p(&m_surface);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(QRect(kSpinnerLeft, (height() - kSpinnerSize) / 2, kSpinnerSize, kSpinnerSize), frame);
    }
    update();
}

void BusyWindow::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    if (m_surface.isNull())
        p.fillRect(rect(), Qt::white);
    else
        p.drawImage(0, 0, m_surface);
}
