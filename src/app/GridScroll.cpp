#include "app/GridScroll.h"

#include "controls/Scrollbar.h"
#include "grid/GridGeometry.h"

#include <QWidget>

GridScroll::GridScroll(QWidget* viewport, QWidget* surface, Scrollbar* bar, std::function<bool()> hasResults,
                       std::function<int()> bottomReserve)
    : m_viewport(viewport), m_surface(surface), m_bar(bar), m_hasResults(std::move(hasResults)),
      m_bottomReserve(std::move(bottomReserve))
{
}

void GridScroll::updateScrollRange()
{
    const int viewport = m_viewport->height();
    const int surface = m_surface->height() + (m_surface->height() > 0 ? m_bottomReserve() : 0);
    if (surface < viewport) {
        m_bar->setValue(m_bar->minimum());
        m_bar->setEnabled(false);
        m_surface->move(m_surface->x(), 0);
        m_bar->setVisible(true);
        m_bar->setMinimum(0);
        m_bar->setMaximum(0);
        m_bar->setSmallChange(0);
    } else {
        m_bar->setVisible(true);
        m_bar->setEnabled(true);
        m_bar->setMinimum(0);
        m_bar->setMaximum(surface - viewport);
        m_bar->setSmallChange(GridGeometry::kRowHeight);
    }
    follow();
}

void GridScroll::follow()
{
    if (!m_hasResults())
        return;
    m_surface->move(m_surface->x(), -m_bar->value());
}

void GridScroll::step(int direction)
{
    m_bar->setValue(m_bar->value() + direction * m_bar->smallChange());
}

bool GridScroll::handleKey(int key, Qt::KeyboardModifiers modifiers)
{
    const bool ctrl = modifiers & Qt::ControlModifier;
    const int page = GridGeometry::rowsPerScreen(m_viewport->height()) * m_bar->smallChange();
    if (key == Qt::Key_PageUp || key == Qt::Key_PageDown)
        m_bar->setValue(m_bar->value() + (key == Qt::Key_PageDown ? page : -page));
    else if (ctrl && key == Qt::Key_Home)
        m_bar->setValue(m_bar->minimum());
    else if (ctrl && key == Qt::Key_End)
        m_bar->setValue(m_bar->maximum());
    else
        return false;
    return true;
}

void GridScroll::showRange(int top, int bottom)
{
    m_bar->setValue(valueShowing(m_bar->value(), top, bottom, m_viewport->height()));
}

int GridScroll::valueShowing(int value, int top, int bottom, int viewportHeight)
{
    if (bottom > value + viewportHeight)
        value = bottom - viewportHeight;
    return top < value ? top : value;
}
