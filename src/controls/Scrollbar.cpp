#include "controls/Scrollbar.h"

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

Scrollbar::Scrollbar(QWidget* parent)
    : QWidget(parent), m_input(m_layout, *this), m_painter(m_layout, m_input), m_subclasser(*this)
{
    setMouseTracking(true);
    m_layout.setSize(width(), height());
    m_caps = ThemeProbe::detect();
    registerMessages();
}

Scrollbar::~Scrollbar()
{
    m_subclasser.detachAll();
    stopAllTimers();
}

void Scrollbar::registerMessages()
{
    m_subclasser.attach(this);
    for (int before : {WindowMessage::kPaint, WindowMessage::kSize})
        m_subclasser.addMessage(this, before, MessageWhen::Before);
    for (int after : {WindowMessage::kCancelMode, WindowMessage::kMouseMove, WindowMessage::kLButtonDown,
                      WindowMessage::kLButtonUp, WindowMessage::kLButtonDblClk, WindowMessage::kTimer,
                      WindowMessage::kSysColorChange})
        m_subclasser.addMessage(this, after, MessageWhen::After);
    if (m_caps.isXP)
        m_subclasser.addMessage(this, WindowMessage::kThemeChanged, MessageWhen::After);
}

void Scrollbar::interceptEvent(bool, bool& handled, qintptr& result, QObject*& target, int& message,
                               QEvent*& event)
{
    if (target != this)
        return;
    switch (message) {
    case WindowMessage::kSize:
        m_layout.setSize(width(), height());
        update();
        handled = true;
        result = 0;
        break;
    case WindowMessage::kPaint:
        paintBar();
        handled = true;
        result = 0;
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
            handlePointer(message, event);
        break;
    case WindowMessage::kLButtonDblClk:
        if (isEnabled())
            injectPress(event);
        break;
    case WindowMessage::kThemeChanged:
        m_caps = ThemeProbe::detect();
        Q_EMIT themeChanged();
        update();
        break;
    default:
        break;
    }
}

void Scrollbar::paintBar()
{
    QPainter painter(this);
    const bool themed = m_caps.isThemed;
    m_painter.paint(painter, m_style, isEnabled(), themed, palette(), style(), this,
                    [this, &painter](const ScrollbarPainter::PartPaint& part) {
                        Q_EMIT paintPart(&painter, part.rect.left, part.rect.top, part.rect.right,
                                         part.rect.bottom, part.part, part.state);
                    });
}

void Scrollbar::handlePointer(int message, QEvent* event)
{
    auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->position().toPoint();
    const int flags = WindowMessage::keyFlags(*mouse);
    // The bar consumes its own pointer input; nothing travels on to the parent.
    mouse->accept();
    if (message == WindowMessage::kMouseMove)
        m_input.move(flags, at.x(), at.y());
    else if (message == WindowMessage::kLButtonUp)
        m_input.release();
    else if (flags != 0)
        m_input.press(at.x(), at.y());
}

void Scrollbar::injectPress(QEvent* event)
{
    // A double-click counts as a second press at the pointer.
    auto* click = static_cast<QMouseEvent*>(event);
    click->accept();
    QMouseEvent press(QEvent::MouseButtonPress, click->position(), click->scenePosition(),
                      click->globalPosition(), Qt::LeftButton, click->buttons() | Qt::LeftButton,
                      click->modifiers());
    QCoreApplication::sendEvent(this, &press);
}

void Scrollbar::handleTimer(QEvent* event)
{
    const int qtId = static_cast<QTimerEvent*>(event)->timerId();
    for (int id = ScrollbarInteraction::kDelayTimer; id <= ScrollbarInteraction::kRepeatTimer; ++id) {
        if (m_timerIds[id] != 0 && m_timerIds[id] == qtId) {
            m_input.timerFired(id);
            return;
        }
    }
}

void Scrollbar::startBarTimer(int id, int periodMs)
{
    stopBarTimer(id);
    m_timerIds[id] = QObject::startTimer(periodMs, Qt::PreciseTimer);
}

void Scrollbar::stopBarTimer(int id)
{
    if (m_timerIds[id] != 0)
        killTimer(m_timerIds[id]);
    m_timerIds[id] = 0;
}

void Scrollbar::stopAllTimers()
{
    for (int id : {ScrollbarInteraction::kDelayTimer, ScrollbarInteraction::kRepeatTimer})
        stopBarTimer(id);
}

bool Scrollbar::isBarTimerActive(int id) const
{
    return id >= ScrollbarInteraction::kDelayTimer && id <= ScrollbarInteraction::kRepeatTimer &&
           m_timerIds[id] != 0;
}

// The bar's pointer input is its own, enabled or not: a press, release or move on it never
// travels on to the window under it (such as the list that holds it).
bool Scrollbar::event(QEvent* event)
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

void Scrollbar::leaveEvent(QEvent*)
{
    m_input.pointerLeft();
}

void Scrollbar::invalidate()
{
    update();
}

void Scrollbar::raiseChange()
{
    QAccessibleValueChangeEvent moved(this, value());
    QAccessible::updateAccessibility(&moved);
    Q_EMIT valueChanged();
}

void Scrollbar::raiseScroll()
{
    Q_EMIT scrolled();
}

void Scrollbar::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    // Disabling ends any press in progress and any highlight, as a cancelled pointer mode would.
    if (!isEnabled())
        m_input.cancelMode();
    update();
}

void Scrollbar::refresh()
{
    update();
}

void Scrollbar::setValue(int value)
{
    m_input.setValue(value);
}

void Scrollbar::setMinimum(int minimum)
{
    m_layout.setMinimum(minimum);
    update();
}

void Scrollbar::setMaximum(int maximum)
{
    m_layout.setMaximum(maximum);
    update();
}

void Scrollbar::setSmallChange(int smallChange)
{
    m_layout.setSmallChange(smallChange);
    update();
}

void Scrollbar::setLargeChange(int largeChange)
{
    m_layout.setLargeChange(largeChange);
    update();
}

void Scrollbar::setChangeDelay(int changeDelay)
{
    m_input.setChangeDelay(changeDelay);
}

void Scrollbar::setChangeFrequency(int changeFrequency)
{
    m_input.setChangeFrequency(changeFrequency);
}

void Scrollbar::setOrientation(int orientation)
{
    m_layout.setOrientation(orientation);
    update();
}

void Scrollbar::setScrollStyle(int style)
{
    m_style = std::clamp(style, int(ScrollbarStyle::Classic), int(ScrollbarStyle::OwnerDrawn));
    update();
}

void Scrollbar::setShowButtons(bool show)
{
    m_layout.setShowButtons(show);
    update();
}

void Scrollbar::about()
{
    Dialogs::instance().inform(
        this,
        QStringLiteral("ucScrollbar %1\nA self-drawn scrollbar of the Pictomine controls.")
            .arg(QLatin1String(kVersion)),
        QStringLiteral("About"));
}

void Scrollbar::readProperties(const PropertyBag& bag)
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

void Scrollbar::writeProperties(PropertyBag& bag) const
{
    bag.write(Key::Enabled, isEnabled(), true);
    bag.write(Key::Min, minimum(), kDefaultMin);
    bag.write(Key::Max, maximum(), kDefaultMax);
    bag.write(Key::Value, value(), kDefaultValue);
    bag.write(Key::SmallChange, smallChange(), kDefaultSmallChange);
    bag.write(Key::LargeChange, largeChange(), kDefaultLargeChange);
    bag.write(Key::ChangeDelay, changeDelay(), kDefaultChangeDelay);
    bag.write(Key::ChangeFrequency, changeFrequency(), kDefaultChangeFrequency);
    bag.write(Key::Orientation, orientation(), int(ScrollOrientation::Vertical));
    bag.write(Key::Style, scrollStyle(), int(ScrollbarStyle::Classic));
    bag.write(Key::ShowButtons, showButtons(), true);
}
