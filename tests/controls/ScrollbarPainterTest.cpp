#include "controls/ScrollbarPainter.h"
#include "controls/ThemeProbe.h"
#include "controls/ucScrollbar.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace {

class QuietHost : public ScrollbarHost {
public:
    void invalidate() override {}
    void raiseChange() override {}
    void raiseScroll() override {}
    void startBarTimer(int, int) override {}
    void stopBarTimer(int) override {}
    QPoint pointerPosition() const override { return {-1, -1}; }
};

struct Model {
    ScrollbarLayout layout;
    QuietHost host;
    ScrollbarInteraction input{layout, host};
    ScrollbarPainter painter{layout, input};
    Model(int width, int height, int orientation = 0)
    {
        layout.setOrientation(orientation);
        layout.setSize(width, height);
    }
    QImage render(int style, bool enabled, bool themed = false, const QStyle* qstyle = QApplication::style()) const
    {
        QImage image(layout.width(), layout.height(), QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        painter.paint(p, style, enabled, themed, QApplication::palette(), qstyle, nullptr, {});
        return image;
    }
};

QRgb role(QPalette::ColorRole r)
{
    return QApplication::palette().color(r).rgb();
}

using Paint = std::tuple<int, int, int, int, int, int>;    // part, left, top, right, bottom, state

std::vector<Paint> ownerPaints(int height)
{
    ucScrollbar bar;
    bar.resize(17, height);
    bar.setScrollStyle(3);
    std::vector<Paint> seen;
    QObject::connect(&bar, &ucScrollbar::OnPaint,
                     [&seen](QPainter* dc, int l, int t, int r, int b, int part, int state) {
                         EXPECT_NE(dc, nullptr);
                         seen.emplace_back(part, l, t, r, b, state);
                     });
    bar.show();    // the pending size notification lays the bar out
    seen.clear();
    bar.grab();
    return seen;
}

} // namespace

TEST(ScrollbarPainter, OwnerDrawnRaisesOnePaintPerPart)
{
    EXPECT_EQ(ownerPaints(20), (std::vector<Paint>{{0, 0, 0, 17, 10, 0}, {1, 0, 10, 17, 20, 0}}));
    EXPECT_EQ(ownerPaints(21),
              (std::vector<Paint>{{0, 0, 0, 17, 10, 0}, {1, 0, 11, 17, 21, 0}, {4, 0, 10, 17, 11, 0}}));
    EXPECT_EQ(ownerPaints(40),
              (std::vector<Paint>{{0, 0, 0, 17, 17, 0}, {1, 0, 23, 17, 40, 0}, {4, 0, 17, 17, 23, 0}}));
    EXPECT_EQ(ownerPaints(200), (std::vector<Paint>{{0, 0, 0, 17, 17, 0},
                                                    {1, 0, 183, 17, 200, 0},
                                                    {2, 0, 17, 17, 17, 0},
                                                    {3, 0, 32, 17, 183, 0},
                                                    {5, 0, 17, 17, 32, 0}}));

    Model model(17, 200);
    model.input.move(0, 8, 20);
    model.input.press(8, 190);
    std::vector<int> states;
    for (const auto& part : model.painter.ownerParts())
        states.push_back(part.state);
    EXPECT_EQ(states, (std::vector<int>{0, 1, 0, 0, 2})) << "pressed arrow 1, hot thumb 2";
}

TEST(ScrollbarPainter, ClassicTrackThumbAndPressedLooks)
{
    Model model(17, 200);
    const QImage idle = model.render(0, true);
    const QRgb a = idle.pixel(4, 100);
    const QRgb b = idle.pixel(5, 100);
    EXPECT_NE(a, b) << "checkerboard";
    EXPECT_EQ(a, idle.pixel(5, 101));
    EXPECT_EQ((std::set<QRgb>{a, b}), (std::set<QRgb>{role(QPalette::Text), role(QPalette::Base)}));
    EXPECT_EQ(idle.pixel(8, 24), role(QPalette::Button)) << "thumb face";
    EXPECT_NE(idle.pixel(0, 17), role(QPalette::Button)) << "raised thumb edge";
    EXPECT_NE(idle.pixel(8, 8), role(QPalette::Button)) << "arrow glyph";
    EXPECT_EQ(idle.pixel(8, 3), role(QPalette::Button));

    EXPECT_EQ(model.render(2, true), idle) << "themed style without a theme paints classic";

    model.input.press(8, 150);    // second track: pages and stays pressed
    EXPECT_EQ(model.render(0, true).pixel(8, 150), qRgb(0, 0, 0));
    model.input.release();
    model.input.press(8, 190);
    const QImage pushed = model.render(0, true);
    EXPECT_NE(pushed.copy(0, 183, 17, 17), idle.copy(0, 183, 17, 17)) << "pushed arrow looks different";
    model.input.release();

    const QImage disabled = model.render(0, false);
    const QRect thumb = model.layout.rect(ScrollPart::Thumb).toQRect();
    for (QPoint at : {thumb.topLeft(), thumb.center(), thumb.bottomRight()})
        EXPECT_EQ(disabled.pixel(at), role(QPalette::Button)) << "no thumb drawn, plain face";
    EXPECT_NE(disabled.copy(0, 0, 17, 17), idle.copy(0, 0, 17, 17)) << "inactive glyph";
    EXPECT_FALSE(disabled.pixelColor(8, 8) == QColor(Qt::magenta));
}

TEST(ScrollbarPainter, FlatLooksAndTheFlatArrowModes)
{
    Model model(17, 200);
    const QImage idle = model.render(1, true);
    EXPECT_EQ(idle.pixel(8, 24), role(QPalette::Button));
    EXPECT_EQ(idle.pixel(0, 17), role(QPalette::Button)) << "idle flat thumb is plain face";
    model.input.move(0, 8, 20);
    EXPECT_EQ(model.render(1, true).pixel(0, 17), role(QPalette::Dark)) << "hot thumb in shadow";
    EXPECT_EQ(model.render(1, false).pixel(0, 17), role(QPalette::Button));

    const QPalette palette = QApplication::palette();
    const auto arrow = [&](int mode) {
        QImage image(17, 17, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        QPainter p(&image);
        ScrollbarPainter::drawFlatArrow(p, QRect(0, 0, 17, 17), ArrowGlyph::Down, mode, palette);
        return image;
    };
    const QImage plain = arrow(0);
    QImage inverted = plain;
    inverted.invertPixels();
    EXPECT_EQ(arrow(1), inverted);
    const QImage hot = arrow(2);
    int glyph = 0;
    int lit = 0;
    for (int y = 0; y < 17; ++y) {
        for (int x = 0; x < 17; ++x) {
            glyph += plain.pixel(x, y) == role(QPalette::ButtonText);
            lit += hot.pixel(x, y) == role(QPalette::Light);
            ASSERT_TRUE(hot.pixel(x, y) == role(QPalette::Light) || hot.pixel(x, y) == role(QPalette::Dark));
        }
    }
    EXPECT_GT(glyph, 4);
    EXPECT_EQ(lit, glyph) << "exactly the glyph in highlight";
    // The down glyph narrows downward: its first row is its widest.
    std::vector<int> rows;
    for (int y = 0; y < 17; ++y) {
        int width = 0;
        for (int x = 0; x < 17; ++x)
            width += plain.pixel(x, y) == role(QPalette::ButtonText);
        if (width > 0)
            rows.push_back(width);
    }
    ASSERT_GE(rows.size(), 2u);
    EXPECT_GT(rows.front(), rows.back());
    EXPECT_TRUE(std::is_sorted(rows.rbegin(), rows.rend()));
}

TEST(ScrollbarPainter, ThemedPartAndStateNumbers)
{
    using P = ScrollbarPainter::PartPaint;
    const auto numbers = [](const std::vector<P>& parts) {
        std::vector<std::pair<int, int>> out;
        for (const P& p : parts)
            out.emplace_back(p.part, p.state);
        return out;
    };
    Model vertical(17, 200);
    EXPECT_EQ(numbers(vertical.painter.themedParts(true)),
              (std::vector<std::pair<int, int>>{{1, 1}, {1, 5}, {7, 1}, {6, 1}, {3, 1}}))
        << "a 15-pixel thumb has no gripper";
    vertical.layout.setLargeChange(20);
    EXPECT_EQ(numbers(vertical.painter.themedParts(false)),
              (std::vector<std::pair<int, int>>{{1, 4}, {1, 8}, {7, 4}, {6, 4}, {3, 4}, {9, 4}}));

    Model horizontal(200, 17, 1);
    horizontal.layout.setLargeChange(20);
    horizontal.input.move(0, 5, 8);    // hot left arrow
    horizontal.input.press(190, 8);    // pressed right arrow
    EXPECT_EQ(numbers(horizontal.painter.themedParts(true)),
              (std::vector<std::pair<int, int>>{{1, 10}, {1, 15}, {5, 1}, {4, 1}, {2, 1}, {8, 1}}));
    horizontal.input.release();
    horizontal.input.move(0, horizontal.layout.thumbPosition() + 2, 8);
    EXPECT_EQ(numbers(horizontal.painter.themedParts(true)).back(), (std::pair<int, int>{8, 2}));
    EXPECT_EQ(numbers(horizontal.painter.themedParts(false)).front(), (std::pair<int, int>{1, 12}));

    Model split(17, 21);
    EXPECT_EQ(numbers(split.painter.themedParts(true)),
              (std::vector<std::pair<int, int>>{{1, 1}, {1, 5}, {7, 1}}));

    // Drawn part by part through a style that can: not the classic picture, every part covered.
    const auto uncovered = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += image.pixel(x, y) == qRgb(255, 0, 255);
        return n;
    };
    const std::unique_ptr<QStyle> windows(QStyleFactory::create(QStringLiteral("Windows")));
    ASSERT_NE(windows, nullptr);
    const QImage themed = vertical.render(2, true, true, windows.get());
    EXPECT_NE(themed, vertical.render(0, true));
    EXPECT_EQ(uncovered(themed), 0);
    // A style that paints scrollbars only whole (Fusion) draws no single part: those parts fall
    // back to the classic look instead of staying unpainted.
    const std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_NE(fusion, nullptr);
    const QImage whole = vertical.render(2, true, true, fusion.get());
    EXPECT_EQ(uncovered(whole), 0);
    EXPECT_EQ(whole.copy(0, 0, 17, 17), vertical.render(0, true).copy(0, 0, 17, 17));
    const Model noGripper(17, 200);
    EXPECT_EQ(noGripper.render(2, true, true, fusion.get()), noGripper.render(0, true));
}

TEST(ScrollbarPainter, CapabilityRule)
{
    EXPECT_FALSE(ThemeProbe::evaluate("offscreen", "fusion", "").isXP);
    EXPECT_FALSE(ThemeProbe::evaluate("minimal", "fusion", "").isThemed);
    const ThemeCapabilities desktop = ThemeProbe::evaluate("xcb", "Fusion", "");
    EXPECT_TRUE(desktop.isXP);
    EXPECT_TRUE(desktop.isThemed);
    const ThemeCapabilities classic = ThemeProbe::evaluate("wayland", "Windows", "");
    EXPECT_TRUE(classic.isXP);
    EXPECT_FALSE(classic.isThemed);
    EXPECT_TRUE(ThemeProbe::evaluate("offscreen", "windows", "1").isThemed);
    const ThemeCapabilities off = ThemeProbe::evaluate("xcb", "fusion", "0");
    EXPECT_TRUE(off.isXP);
    EXPECT_FALSE(off.isThemed);
    EXPECT_TRUE(ThemeProbe::evaluate("xcb", "fusion", "maybe").isThemed) << "other override values are ignored";
}
