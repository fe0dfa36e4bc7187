#include "app/KeyboardAccess.h"

#include "app/BusyWindow.h"
#include "app/MainWindow.h"
#include "app/PictureBox.h"
#include "controls/FocusFrame.h"
#include "controls/LayerListWidget.h"
#include "controls/Scrollbar.h"
#include "grid/IconGrid.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

using Stop = FocusOrder::Stop;

KeyboardAccess::KeyboardAccess(MainWindow& window)
    : QObject(&window), m_window(window), m_chain([this](Stop s) { return isAvailable(s); })
{
    m_chain.setWidget(Stop::SearchBox, window.searchBar());
    m_chain.setWidget(Stop::SearchButton, window.searchButton());
    m_chain.setWidget(Stop::GoodLuck, window.goodLuckButton());
    m_chain.setWidget(Stop::MenuButton, window.menuButton());
    m_chain.setWidget(Stop::CategoryList, window.menuPanel());
    m_chain.setWidget(Stop::Grid, window.iconGrid());
    m_chain.setWidget(Stop::LoadMore, window.loadMorePanel());
    m_chain.setWidget(Stop::Minimize, window.captionButton(2));
    m_chain.setWidget(Stop::Close, window.captionButton(1));
    nameControls();
    qApp->installEventFilter(this);
}

KeyboardAccess::~KeyboardAccess()
{
    qApp->removeEventFilter(this);
}

void KeyboardAccess::nameControls()
{
    m_window.searchBar()->setAccessibleName(QStringLiteral("Search for icons"));
    // The box has no border of its own: the ring goes round it, short of the search button.
    new FocusFrame(m_window.searchBar(), QMargins(4, 6, 0, 6));
    m_window.menuPanel()->setFocusPolicy(Qt::TabFocus);
    m_window.menuPanel()->setAccessibleName(QStringLiteral("Categories"));
    m_window.menuPanel()->scrollbar()->setAccessibleName(QStringLiteral("Categories scroll bar"));
    m_window.scrollbar()->setAccessibleName(QStringLiteral("Results scroll bar"));
    m_window.iconGrid()->setAccessibleName(QStringLiteral("Icons"));
}

// The grid is a stop once it shows a tile; Load More while its panel is shown.
bool KeyboardAccess::isAvailable(Stop stop) const
{
    if (stop == Stop::Grid)
        return m_window.iconGrid()->shownTileCount() > 0;
    if (stop == Stop::LoadMore)
        return m_window.client().state().loadMore;
    return true;
}

bool KeyboardAccess::moveFocus(bool forward)
{
    return m_chain.move(QApplication::focusWidget(), forward);
}

bool KeyboardAccess::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const QWidget* target = static_cast<QWidget*>(watched);
    const bool inBusy = target->window() == m_window.busyWindow();
    if (target->window() != &m_window && !inBusy)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape && m_window.busyWindow()->isVisible()) {
        m_window.busyWindow()->cancel();
        return true;
    }
    if (inBusy || (key != Qt::Key_Return && key != Qt::Key_Enter))
        return false;
    if (!FocusOrder::enterStartsQuery(m_chain.stopOf(QApplication::focusWidget())))
        return false; // the focused control acts on it
    m_window.startQuery();
    return true;
}
