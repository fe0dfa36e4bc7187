#include "controls/Scrollbar.h"
#include "controls/ScrollbarPainter.h"
#include "controls/Subclasser.h"
#include "controls/ThemeProbe.h"
#include "controls/WindowMessage.h"
#include "platform/PropertyBag.h"
#include "support/WaitFor.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <functional>
#include <memory>
#include <set>

// The event interception, then the bar: geometry, pointer rules and painting on its window-free
// classes, and the widget's wiring (real timers, Qt events and signals).

namespace
{

// A window whose own event handling logs what reached it.
struct Window : QObject {
    Window(QStringList& events, QString windowName) : log(events), name(std::move(windowName)) {}
    bool event(QEvent* e) override
    {
        log << name + ":own:" + QString::number(int(e->type()));
        return true;
    }
    QStringList& log;
    const QString name;
};

struct Handler : EventInterceptor {
    QStringList log;
    std::function<void(bool, bool&, qintptr&)> react = [](bool, bool&, qintptr&) {};

    void interceptEvent(bool before, bool& handled, qintptr& result, QObject*&, int& message,
                        QEvent*&) override
    {
        log << QString("%1:%2:ret%3").arg(before ? "before" : "after").arg(message).arg(result);
        react(before, handled, result);
    }
};

// Sends an event (by default a palette change, which stands for message 21) and returns the log.
QStringList send(Handler& handler, QObject* target, QEvent::Type type = QEvent::PaletteChange)
{
    handler.log.clear();
    QEvent event(type);
    QCoreApplication::sendEvent(target, &event);
    return handler.log;
}

// Records what the rules ask of the window.
struct RecordingHost : ScrollbarHost {
    QStringList calls;

    void invalidate() override { calls << "invalidate"; }
    void raiseChange() override { calls << "Change"; }
    void raiseScroll() override { calls << "Scroll"; }
    void startBarTimer(int id, int ms) override { calls << QString("start%1:%2").arg(id).arg(ms); }
    void stopBarTimer(int id) override { calls << QString("stop%1").arg(id); }
};

struct Bar {
    ScrollbarLayout layout;
    RecordingHost host;
    ScrollbarInteraction input{layout, host};
    ScrollbarPainter painter{layout, input};
    Bar() { layout.setSize(17, 200); }
    QImage render(int style, bool enabled = true, bool themed = false,
                  const QStyle* qstyle = QApplication::style()) const
    {
        QImage image(layout.width(), layout.height(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        painter.paint(p, style, enabled, themed, QApplication::palette(), qstyle, nullptr, {});
        return image;
    }
};

constexpr int kHeld = WindowMessage::kFlagLButton;

QRgb role(QPalette::ColorRole r)
{
    return QApplication::palette().color(r).rgb();
}

// Pixels left at the magenta the picture starts from.
int unpainted(const QImage& image)
{
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits()); // 32-bit rows, no padding
    return int(std::count(pixels, pixels + image.width() * image.height(), qRgb(255, 0, 255)));
}

// Whether every pixel of the rows [top, bottom) is the track's one-pixel checkerboard.
bool isTrackPattern(const QImage& image, int top, int bottom)
{
    const std::set<QRgb> colours{role(QPalette::Text), role(QPalette::Base)};
    for (int y = top; y < bottom; ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y);
            if (!colours.count(c) || (x + 1 < image.width() && image.pixel(x + 1, y) == c))
                return false;
        }
    }
    return true;
}

// The paintPart calls of an owner-drawn 17-pixel-wide bar of `height`, in order, each as
// "part:left,top,right,bottom/state" (part -1: no painter given).
QString ownerPaints(int height)
{
    Scrollbar bar;
    bar.resize(17, height);
    bar.setScrollStyle(3);
    QStringList seen;
    QObject::connect(
        &bar, &Scrollbar::paintPart, [&](QPainter* dc, int l, int t, int r, int b, int part, int s) {
            seen << QString("%1:%2,%3,%4,%5/%6").arg(dc ? part : -1).arg(l).arg(t).arg(r).arg(b).arg(s);
        });
    bar.show(); // the pending size notification lays the bar out
    seen.clear();
    bar.grab();
    return seen.join(' ');
}

void sendMove(QWidget* widget, QPoint at, Qt::MouseButtons buttons)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::NoButton, buttons,
                     {});
    QCoreApplication::sendEvent(widget, &move);
}

constexpr int kGenerous = 5000;

struct EventInterception : ::testing::Test {
    Handler handler;
    Subclasser subclasser{handler};
};

} // namespace

TEST_F(EventInterception, BeforeOwnAfterInOrderAndRecordsFreedAndReused)
{
    Window a(handler.log, "a");
    Window b(handler.log, "b");
    EXPECT_EQ(subclasser.attach(&a), 0);
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"})) << "nothing registered";
    subclasser.addMessage(&a, 21, MessageWhen::BeforeAndAfter);
    subclasser.addMessage(&a, 21, MessageWhen::Before); // registered twice: still once
    EXPECT_EQ(send(handler, &a), (QStringList{"before:21:ret0", "a:own:39", "after:21:ret1"}));
    EXPECT_EQ(send(handler, &a, QEvent::FontChange), (QStringList{"a:own:97"})) << "not registered";
    // "Every message" catches unmapped ones too.
    subclasser.addMessage(&a, WindowMessage::kEveryMessage, MessageWhen::After);
    EXPECT_EQ(send(handler, &a, QEvent::User), (QStringList{"a:own:1000", "after:0:ret1"}));
    // Handled in the before phase: the own handling is skipped, the after phase still runs and
    // sees the result the before phase left.
    handler.react = [](bool before, bool& handled, qintptr& result) {
        if (before)
            handled = true, result = 7;
    };
    EXPECT_EQ(send(handler, &a), (QStringList{"before:21:ret0", "after:21:ret7"}));

    EXPECT_EQ(subclasser.attach(&b), 1);
    subclasser.detach(&a);
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"})) << "the own handling is back";
    EXPECT_EQ(subclasser.attach(&a), 0) << "the free record before growing";
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"})) << "a reused record starts empty";

    // A handler may unsubclass its window while a message is on its way.
    subclasser.addMessage(&b, 21, MessageWhen::BeforeAndAfter);
    handler.react = [&](bool before, bool&, qintptr&) {
        if (before)
            subclasser.detach(&b);
    };
    EXPECT_EQ(send(handler, &b), (QStringList{"before:21:ret0", "b:own:39"}));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    // A window destroyed while subclassed frees its record; unsubclass all clears the rest.
    EXPECT_EQ(subclasser.attach(std::make_unique<Window>(handler.log, "d").get()), 1);
    EXPECT_TRUE(subclasser.records()[1].isFree());
    subclasser.addMessage(&a, 21, MessageWhen::Before);
    subclasser.detachAll();
    EXPECT_EQ(send(handler, &a), (QStringList{"a:own:39"}));
}

TEST(ScrollbarModel, OwnerDrawnPaintsGiveTheGeometryOfShortAndFullBars)
{
    // Split buttons, then the filler (part 4) between them, then the track and thumb.
    EXPECT_EQ(ownerPaints(20), "0:0,0,17,10/0 1:0,10,17,20/0");
    EXPECT_EQ(ownerPaints(40), "0:0,0,17,17/0 1:0,23,17,40/0 4:0,17,17,23/0");
    // The thumb is never shorter than 8; the default one is 15 pixels at the top of the track.
    EXPECT_EQ(ownerPaints(42), "0:0,0,17,17/0 1:0,25,17,42/0 2:0,17,17,17/0 3:0,25,17,25/0 5:0,17,17,25/0");
    EXPECT_EQ(ownerPaints(200),
              "0:0,0,17,17/0 1:0,183,17,200/0 2:0,17,17,17/0 3:0,32,17,183/0 5:0,17,17,32/0");
    Bar bar;
    bar.input.move(0, 8, 20);
    bar.input.press(8, 190);
    std::vector<int> states;
    for (const auto& part : bar.painter.ownerParts())
        states.push_back(part.state);
    EXPECT_EQ(states, (std::vector<int>{0, 1, 0, 0, 2})) << "pressed arrow 1, hot thumb 2";
}

// Thumb positions, hit tests and the drag tolerance are covered by the pointer tests below.
TEST(ScrollbarModel, LimitsAreClamped)
{
    Bar bar;
    ScrollbarLayout& layout = bar.layout;
    layout.setLargeChange(200);
    EXPECT_EQ(layout.thumbLength(), 166) << "a page above the range fills the track";
    EXPECT_EQ(layout.valueFromThumb(17), 0) << "no room to move gives Min";
    layout.setValue(80);
    layout.setMaximum(-10);
    EXPECT_EQ(std::tuple(layout.max(), layout.value(), layout.thumbPosition()), std::tuple(0, 0, 17))
        << "Max never drops below Min; a zero range parks the thumb at the track start";
    layout.setMinimum(30);
    EXPECT_EQ(layout.min(), 0) << "Min never rises above Max";
    // Persisted values are held to the same rules: min, max, value, small, large, orientation.
    layout.load(50, 10, 99, 0, -4, 3, true);
    EXPECT_EQ(std::tuple(layout.max(), layout.value(), layout.smallChange(), layout.largeChange(),
                         layout.orientation()),
              std::tuple(50, 50, 1, 1, 1));

    // Horizontal bars exchange the axes.
    layout.load(0, 100, 100, 1, 10, 1, true);
    layout.setSize(200, 17);
    EXPECT_EQ(layout.rect(ScrollPart::Thumb), (WinRect{168, 0, 183, 17}));
    EXPECT_EQ(layout.dragTolerance(), (WinRect{-25, -250, 225, 267}));
    Bar plain; // without buttons the track spans the bar
    plain.layout.setShowButtons(false);
    EXPECT_EQ(plain.layout.rect(ScrollPart::Thumb), (WinRect{0, 0, 17, 200 / 11}));
}

TEST(ScrollbarModel, HeldTrackPagesUpToThePointerAndAHeldArrowRepeatsOnlyOnIt)
{
    Bar bar;
    bar.input.press(8, 100); // below the thumb at 17..32: one page at once
    EXPECT_EQ(bar.layout.value(), 10);
    bar.input.timerFired(1);
    for (int steps = 0; bar.input.isPressed(ScrollPart::SecondTrack) && steps < 20; ++steps)
        bar.input.timerFired(2);
    // The thumb (15 pixels) stops once its far edge has reached the pointer.
    EXPECT_GE(bar.layout.thumbPosition() + bar.layout.thumbLength(), 100);
    EXPECT_LT(bar.layout.thumbPosition(), 100);
    const int stoppedAt = bar.layout.value();
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), stoppedAt);
    bar.input.move(kHeld, 8, 170);
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), stoppedAt + 10);

    // The first segment pages down toward a pointer above the thumb.
    bar.input.release();
    bar.input.press(8, 20);
    EXPECT_EQ(std::pair(bar.input.pressedPart(), bar.layout.value()),
              std::pair(ScrollPart::FirstTrack, stoppedAt));

    // A held arrow repeats only while the pointer is on it; off it the timer idles.
    bar.input.release();
    bar.input.press(8, 190);
    bar.input.timerFired(1);
    bar.input.move(kHeld, 8, 100);
    bar.host.calls.clear();
    bar.input.timerFired(2);
    EXPECT_EQ(std::pair(bar.layout.value(), bar.host.calls), std::pair(stoppedAt + 1, QStringList()));
    bar.input.move(kHeld, 8, 190);
    bar.input.timerFired(2);
    EXPECT_EQ(bar.layout.value(), stoppedAt + 2);
}

TEST(ScrollbarModel, ThumbDragFollowsWithinTheToleranceAndChangesOnceAtRelease)
{
    Bar bar;
    bar.input.press(8, 20); // thumb 17..32, grabbed 3 pixels below its top
    bar.input.move(kHeld, 8, 100);
    EXPECT_EQ(std::pair(bar.layout.thumbPosition(), bar.layout.value()),
              std::pair(97, 53));        // 80 / 151 * 100 = 52.98
    bar.input.move(kHeld, 8 + 259, 100); // beyond 250 pixels sideways: back to the start
    EXPECT_EQ(std::pair(bar.layout.value(), bar.layout.thumbPosition()), std::pair(0, 17));
    EXPECT_EQ(bar.host.calls.count("Scroll"), 2);
    bar.input.move(kHeld, 8 + 258, 100); // just inside: the drag resumes
    EXPECT_EQ(bar.layout.value(), 53);
    bar.input.move(kHeld, 8, 224); // 24 pixels past the end: still dragging, clamped
    EXPECT_EQ(std::pair(bar.layout.value(), bar.layout.thumbPosition()), std::pair(100, 168));
    bar.input.move(kHeld, 8, 225);
    EXPECT_EQ(bar.layout.value(), 0);
    bar.input.move(kHeld, 8, 60);
    const int dropped = bar.layout.value();
    EXPECT_EQ(bar.host.calls.count("Change"), 0);
    bar.input.release();
    EXPECT_EQ(std::pair(int(bar.host.calls.count("Change")), bar.layout.thumbPosition()),
              std::pair(1, bar.layout.thumbFromValue(dropped)));

    // Dropped back where it started: no valueChanged.
    bar.input.press(8, bar.layout.thumbPosition() + 2);
    bar.input.move(kHeld, 8, 150);
    bar.input.move(kHeld, 300, 150);
    bar.input.release();
    EXPECT_EQ(std::pair(int(bar.host.calls.count("Change")), bar.layout.value()), std::pair(1, dropped));
}

TEST(ScrollbarModel, HoverHighlightsOnePartWithoutATimer)
{
    Bar bar;
    bar.input.move(0, 8, 5);
    EXPECT_TRUE(bar.input.isHot(ScrollPart::FirstArrow));
    EXPECT_EQ(bar.host.calls, (QStringList{"invalidate"})) << "no timer watches the pointer";
    bar.input.move(0, 8, 20);
    EXPECT_TRUE(bar.input.isHot(ScrollPart::Thumb));
    EXPECT_FALSE(bar.input.isHot(ScrollPart::FirstArrow));

    // A modifier flag selects the held-button handling, which changes no hover state.
    bar.host.calls.clear();
    bar.input.move(WindowMessage::kFlagShift, 8, 190);
    EXPECT_TRUE(bar.host.calls.isEmpty()) << "nothing lit, nothing redrawn";

    // Off the thumb onto the track, a part that never lights: the highlight goes at once.
    bar.input.move(0, 8, 100);
    EXPECT_FALSE(bar.input.isHot(ScrollPart::Thumb));
    EXPECT_EQ(bar.host.calls, (QStringList{"invalidate"}));
    bar.input.move(0, 8, 120);
    EXPECT_EQ(bar.host.calls.size(), 1) << "nothing lit any more: nothing redrawn";

    // A press on no part (the filler of a 40-pixel bar) does nothing.
    bar.layout.setSize(17, 40);
    bar.host.calls.clear();
    bar.input.press(8, 20); // the filler
    EXPECT_TRUE(bar.host.calls.isEmpty());
}

TEST(ScrollbarModel, ClassicFlatAndThemedLooks)
{
    Bar bar;
    const QImage idle = bar.render(0);
    EXPECT_TRUE(isTrackPattern(idle, 32, 183)) << "the track below the thumb";
    EXPECT_EQ(idle.pixel(8, 24), role(QPalette::Button)) << "thumb face";
    EXPECT_NE(idle.pixel(0, 17), role(QPalette::Button)) << "raised thumb edge";
    EXPECT_EQ(bar.render(2), idle) << "themed style without a theme paints classic";
    // Disabled, classic and flat alike: the whole track between the arrows is the plain pattern,
    // with no thumb-like block where the thumb of the last range would sit.
    for (int style : {0, 1}) {
        const QImage disabled = bar.render(style, false);
        EXPECT_TRUE(isTrackPattern(disabled, 17, 183)) << style;
        EXPECT_NE(disabled.copy(0, 0, 17, 17), bar.render(style).copy(0, 0, 17, 17)) << "inactive glyph";
    }

    EXPECT_EQ(bar.render(1).pixel(0, 17), role(QPalette::Button)) << "idle flat thumb is plain face";
    bar.input.move(0, 8, 20);
    EXPECT_EQ(bar.render(1).pixel(0, 17), role(QPalette::Dark)) << "hot thumb in shadow";
    EXPECT_TRUE(isTrackPattern(bar.render(1, false), 17, 183)) << "not lit while disabled";
    bar.input.press(8, 150); // second track: pages and stays pressed
    EXPECT_EQ(bar.render(0).pixel(8, 150), qRgb(0, 0, 0));

    // Drawn part by part through a style that can: not the classic picture, every part covered.
    const Bar fresh;
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    ASSERT_NE(windows, nullptr);
    const QImage themed = fresh.render(2, true, true, windows.get());
    EXPECT_NE(themed, idle);
    EXPECT_EQ(unpainted(themed), 0);
    // A style that paints scrollbars only whole (Fusion) draws no single part: those parts fall
    // back to the classic look instead of staying unpainted.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(fusion, nullptr);
    EXPECT_EQ(fresh.render(2, true, true, fusion.get()), idle);
    Bar gripped; // a longer thumb adds the gripper part
    gripped.layout.setLargeChange(20);
    EXPECT_EQ(unpainted(gripped.render(2, true, true, fusion.get())), 0);

    // The capability rule: platform, style and override give isXP and isThemed.
    const std::tuple<const char*, const char*, const char*, bool, bool> probes[] = {
        {"offscreen", "fusion", "", false, false},
        {"xcb", "Fusion", "maybe", true, true},
        {"wayland", "Windows", "", true, false},
        {"xcb", "fusion", "0", true, false},
        {"offscreen", "windows", "1", true, true}};
    for (const auto& [platform, style, override_, xp, isThemed] : probes) {
        const ThemeCapabilities caps = ThemeProbe::evaluate(platform, style, override_);
        EXPECT_EQ(std::pair(caps.isXP, caps.isThemed), std::pair(xp, isThemed))
            << platform << style << override_;
    }
}

TEST(ScrollbarWidget, TimersSignalsAndPointerWiring)
{
    Scrollbar bar;
    bar.resize(17, 200);
    bar.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    QSignalSpy changes(&bar, &Scrollbar::valueChanged);
    bar.setValue(80);
    bar.setValue(80);
    bar.setMaximum(50);
    EXPECT_EQ(std::pair(bar.value(), int(changes.count())), std::pair(50, 1))
        << "same value, and Max below Value, raise no Change";

    // Held arrow: one step at once, the repeat after the delay, stopping at the limit.
    bar.setMaximum(5);
    bar.setValue(0);
    changes.clear();
    QElapsedTimer clock;
    clock.start();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    EXPECT_EQ(std::pair(bar.value(), int(changes.count())), std::pair(1, 1));
    WAIT_EQ(bar.value(), 2, kGenerous);
    EXPECT_GE(clock.elapsed(), 400) << "no repeat before the 500 ms delay (coarse timers may fire early)";
    WAIT_EQ(bar.value(), 5, kGenerous);
    WAIT_UNTIL(!bar.isBarTimerActive(2), kGenerous);
    EXPECT_EQ(changes.count(), 5);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    // A double-click is a second press; other buttons do not press.
    bar.setValue(0);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseDClick(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(8, 190));
    QTest::mousePress(&bar, Qt::RightButton, {}, QPoint(8, 190));
    EXPECT_EQ(bar.value(), 2);

    // A drag raises scrolled; disabling the bar mid-drag ends it.
    QSignalSpy scrolls(&bar, &Scrollbar::scrolled);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(8, bar.layout().thumbPosition() + 1));
    sendMove(&bar, QPoint(8, 150), Qt::LeftButton);
    EXPECT_EQ(scrolls.count(), 1);
    bar.setEnabled(false);
    EXPECT_EQ(bar.interaction().pressedPart(), ScrollPart::None);
    bar.setEnabled(true);

    // Leaving the bar, or its window losing the pointer (cancel mode), puts the light out.
    sendMove(&bar, QPoint(8, 5), Qt::NoButton);
    EXPECT_TRUE(bar.interaction().isHot(ScrollPart::FirstArrow));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&bar, &leave);
    EXPECT_FALSE(bar.interaction().isHot(ScrollPart::FirstArrow));
    sendMove(&bar, QPoint(8, 5), Qt::NoButton);
    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&bar, &deactivate);
    EXPECT_FALSE(bar.interaction().isHot(ScrollPart::FirstArrow));
}

TEST(ScrollbarWidget, PersistenceKeepsOnlyValuesOffTheirDefaults)
{
    Scrollbar bar;
    bar.setScrollStyle(1);
    bar.setMaximum(500);
    bar.setValue(7);
    bar.setChangeFrequency(80);
    bar.setShowButtons(false);
    bar.setEnabled(false);
    PropertyBag bag;
    bar.writeProperties(bag);
    QStringList keys = bag.keys();
    keys.sort();
    EXPECT_EQ(keys, (QStringList{"ChangeFrequency", "Enabled", "Max", "ShowButtons", "Style", "Value"}));

    Scrollbar loaded;
    loaded.readProperties(bag);
    EXPECT_EQ(std::tuple(loaded.scrollStyle(), loaded.maximum(), loaded.value(), loaded.changeFrequency(),
                         loaded.showButtons(), loaded.isEnabled()),
              std::tuple(1, 500, 7, 80, false, false));

    // Read values are clamped (the value limits as on the layout above); missing keys take defaults.
    PropertyBag hostile;
    hostile.write("Style", 9);
    hostile.write("ChangeFrequency", 1);
    loaded.readProperties(hostile);
    EXPECT_EQ(
        std::tuple(loaded.scrollStyle(), loaded.changeFrequency(), loaded.maximum(), loaded.isEnabled()),
        std::tuple(3, 25, 100, true));
}
