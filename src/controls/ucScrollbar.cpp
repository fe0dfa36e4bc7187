#include "controls/ucScrollbar.h"

#include "controls/WindowMessage.h"
#include "platform/Dialogs.h"
#include "platform/PropertyBag.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimerEvent>

#include <algorithm>

namespace
{

namespace Key
{
constexpr auto Enabled = "Enabled";
constexpr auto Min = "Min";
constexpr auto Max = "Max";
constexpr auto Value = "Value";
constexpr auto SmallChange = "SmallChange";
constexpr auto LargeChange = "LargeChange";
constexpr auto ChangeDelay = "ChangeDelay";
constexpr auto ChangeFrequency = "ChangeFrequency";
constexpr auto Orientation = "Orientation";
constexpr auto Style = "Style";
constexpr auto ShowButtons = "ShowButtons";
} // namespace Key

// Defaults of a new bar, which are also the persisted defaults.
constexpr int kDefaultMin = 0;
constexpr int kDefaultMax = 100;
constexpr int kDefaultValue = 0;
constexpr int kDefaultSmallChange = 1;
constexpr int kDefaultLargeChange = 10;
constexpr int kDefaultChangeDelay = 500;
constexpr int kDefaultChangeFrequency = 50;

} // namespace

ucScrollbar::ucScrollbar(QWidget* parent)
    : QWidget(parent), m_input(m_layout, *this), m_painter(m_layout, m_input), m_subclasser(*this)
{
    setMouseTracking(true);
    m_layout.setSize(width(), height());
    m_caps = ThemeProbe::detect();
    registerMessages();
}

ucScrollbar::~ucScrollbar()
{
    m_subclasser.UnsubclassAll();
    stopAllTimers();
}

void ucScrollbar::registerMessages()
{
    m_subclasser.Subclass(this);
    for (int before : {WindowMessage::kPaint, WindowMessage::kSize})
        m_subclasser.AddMessage(this, before, MessageWhen::Before);
    for (int after : {WindowMessage::kCancelMode, WindowMessage::kMouseMove, WindowMessage::kLButtonDown,
                      WindowMessage::kLButtonUp, WindowMessage::kLButtonDblClk, WindowMessage::kTimer,
                      WindowMessage::kSysColorChange})
        m_subclasser.AddMessage(this, after, MessageWhen::After);
    if (m_caps.isXP)
        m_subclasser.AddMessage(this, WindowMessage::kThemeChanged, MessageWhen::After);
}

void ucScrollbar::zSubclass_Proc(bool, bool& bHandled, qintptr& lReturn, QObject*& lhWnd, int& uMsg,
                                 QEvent*& event)
{
    if (lhWnd != this)
        return;
    switch (uMsg) {
    case WindowMessage::kSize:
        m_layout.setSize(width(), height());
        update();
        bHandled = true;
        lReturn = 0;
        break;
    case WindowMessage::kPaint:
        paintBar();
        bHandled = true;
        lReturn = 0;
        break;
    case WindowMessage::kSysColorChange:
        update();
        break;
    case WindowMessage::kCancelMode:
        m_input.cancelMode();
        break;
    case WindowMessage::kTimer:
        handleTimer(event);
        break;
    case WindowMessage::kMouseMove:
    case WindowMessage::kLButtonDown:
    case WindowMessage::kLButtonUp:
        // A disabled bar ignores the pointer (Qt still shows it to event filters).
        if (isEnabled())
            handlePointer(uMsg, event);
        break;
    case WindowMessage::kLButtonDblClk:
        if (isEnabled())
            injectPress(event);
        break;
    case WindowMessage::kThemeChanged:
        m_caps = ThemeProbe::detect();
        Q_EMIT ThemeChanged();
        update();
        break;
    default:
        break;
    }
}

void ucScrollbar::paintBar()
{
    QPainter painter(this);
    const bool themed = m_caps.isThemed;
    m_painter.paint(painter, m_style, isEnabled(), themed, palette(), style(), this,
                    [this, &painter](const ScrollbarPainter::PartPaint& part) {
                        Q_EMIT OnPaint(&painter, part.rect.left, part.rect.top, part.rect.right,
                                       part.rect.bottom, part.part, part.state);
                    });
}

void ucScrollbar::handlePointer(int uMsg, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const int flags = WindowMessage::keyFlags(*mouse);
    // The bar consumes its own pointer input; nothing travels on to the parent.
    mouse->accept();
    if (uMsg == WindowMessage::kMouseMove)
        m_input.move(flags, at.x(), at.y());
    else if (uMsg == WindowMessage::kLButtonUp)
        m_input.release();
    else if (flags != 0)
        m_input.press(at.x(), at.y());
}

void ucScrollbar::injectPress(QEvent* event)
{
    // A double-click counts as a second press at the pointer.
    auto* click = static_cast<QMouseEvent*>(event);
    click->accept();
    QMouseEvent press(QEvent::MouseButtonPress, click->position(), click->scenePosition(),
                      click->globalPosition(), Qt::LeftButton, click->buttons() | Qt::LeftButton,
                      click->modifiers());
    QCoreApplication::sendEvent(this, &press);
}

void ucScrollbar::handleTimer(QEvent* event)
{
    const int qtId = static_cast<QTimerEvent*>(event)->timerId();
    for (int id = ScrollbarInteraction::kDelayTimer; id <= ScrollbarInteraction::kRepeatTimer; ++id) {
        if (m_timerIds[id] != 0 && m_timerIds[id] == qtId) {
            m_input.timerFired(id);
            return;
        }
    }
}

void ucScrollbar::startBarTimer(int id, int periodMs)
{
    stopBarTimer(id);
    m_timerIds[id] = QObject::startTimer(periodMs, Qt::PreciseTimer);
}

void ucScrollbar::stopBarTimer(int id)
{
    if (m_timerIds[id] != 0)
        killTimer(m_timerIds[id]);
    m_timerIds[id] = 0;
}

void ucScrollbar::stopAllTimers()
{
    for (int id : {ScrollbarInteraction::kDelayTimer, ScrollbarInteraction::kRepeatTimer})
        stopBarTimer(id);
}

bool ucScrollbar::isBarTimerActive(int id) const
{
    return id >= ScrollbarInteraction::kDelayTimer && id <= ScrollbarInteraction::kRepeatTimer &&
           m_timerIds[id] != 0;
}

// The bar's pointer input is its own, enabled or not: a press, release or move on it never
// travels on to the window under it (such as the list that holds it).
bool ucScrollbar::event(QEvent* event)
{
    const bool handled = QWidget::event(event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
        event->accept();
        return true;
    default:
        return handled;
    }
}

void ucScrollbar::leaveEvent(QEvent*)
{
    m_input.pointerLeft();
}

void ucScrollbar::invalidate()
{
    update();
}

void ucScrollbar::raiseChange()
{
    QAccessibleValueChangeEvent moved(this, Value());
    QAccessible::updateAccessibility(&moved);
    Q_EMIT Change();
}

void ucScrollbar::raiseScroll()
{
    Q_EMIT Scroll();
}

void ucScrollbar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // Disabling ends any press in progress and any highlight, as a cancelled pointer mode would.
    if (!isEnabled())
        m_input.cancelMode();
    update();
}

void ucScrollbar::Refresh()
{
    update();
}

void ucScrollbar::setValue(int New_Value)
{
    m_input.setValue(New_Value);
}

void ucScrollbar::setMin(int New_Min)
{
    m_layout.setMin(New_Min);
    update();
}

void ucScrollbar::setMax(int New_Max)
{
    m_layout.setMax(New_Max);
    update();
}

void ucScrollbar::setSmallChange(int New_SmallChange)
{
    m_layout.setSmallChange(New_SmallChange);
    update();
}

void ucScrollbar::setLargeChange(int New_LargeChange)
{
    m_layout.setLargeChange(New_LargeChange);
    update();
}

void ucScrollbar::setChangeDelay(int New_ChangeDelay)
{
    m_input.setChangeDelay(New_ChangeDelay);
}

void ucScrollbar::setChangeFrequency(int New_ChangeFrequency)
{
    m_input.setChangeFrequency(New_ChangeFrequency);
}

void ucScrollbar::setOrientation(int New_Orientation)
{
    m_layout.setOrientation(New_Orientation);
    update();
}

void ucScrollbar::setScrollStyle(int New_Style)
{
    m_style = std::clamp(New_Style, int(ScrollbarStyle::Classic), int(ScrollbarStyle::OwnerDrawn));
    update();
}

void ucScrollbar::setShowButtons(bool New_ShowButtons)
{
    m_layout.setShowButtons(New_ShowButtons);
    update();
}

void ucScrollbar::About()
{
    Dialogs::instance().inform(
        this,
        QStringLiteral("ucScrollbar %1\nA self-drawn scrollbar of the Pictomine controls.")
            .arg(QLatin1String(kVersion)),
        QStringLiteral("About"));
}

void ucScrollbar::ReadProperties(const PropertyBag& bag)
{
    setEnabled(bag.read(Key::Enabled, true).toBool());
    m_layout.load(bag.read(Key::Min, kDefaultMin).toInt(), bag.read(Key::Max, kDefaultMax).toInt(),
                  bag.read(Key::Value, kDefaultValue).toInt(),
                  bag.read(Key::SmallChange, kDefaultSmallChange).toInt(),
                  bag.read(Key::LargeChange, kDefaultLargeChange).toInt(),
                  bag.read(Key::Orientation, int(ScrollOrientation::Vertical)).toInt(),
                  bag.read(Key::ShowButtons, true).toBool());
    m_input.setChangeDelay(bag.read(Key::ChangeDelay, kDefaultChangeDelay).toInt());
    m_input.setChangeFrequency(bag.read(Key::ChangeFrequency, kDefaultChangeFrequency).toInt());
    setScrollStyle(bag.read(Key::Style, int(ScrollbarStyle::Classic)).toInt());
}

void ucScrollbar::WriteProperties(PropertyBag& bag) const
{
    bag.write(Key::Enabled, isEnabled(), true);
    bag.write(Key::Min, Min(), kDefaultMin);
    bag.write(Key::Max, Max(), kDefaultMax);
    bag.write(Key::Value, Value(), kDefaultValue);
    bag.write(Key::SmallChange, SmallChange(), kDefaultSmallChange);
    bag.write(Key::LargeChange, LargeChange(), kDefaultLargeChange);
    bag.write(Key::ChangeDelay, ChangeDelay(), kDefaultChangeDelay);
    bag.write(Key::ChangeFrequency, ChangeFrequency(), kDefaultChangeFrequency);
    bag.write(Key::Orientation, Orientation(), int(ScrollOrientation::Vertical));
    bag.write(Key::Style, ScrollStyle(), int(ScrollbarStyle::Classic));
    bag.write(Key::ShowButtons, ShowButtons(), true);
}
