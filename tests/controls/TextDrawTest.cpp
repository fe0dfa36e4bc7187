#include "controls/TextDraw.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFC00000;

QImage blank(int width = 420, int height = 160)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(kWhite);
    return image;
}

// Whether two colours agree within blending's rounding.
bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= 2 && std::abs(qGreen(a) - qGreen(b)) <= 2
        && std::abs(qBlue(a) - qBlue(b)) <= 2 && qAlpha(a) == qAlpha(b);
}

// Bounding box of the pixels that differ from white, optionally only those near one colour.
QRect inkBox(const QImage& image, std::optional<QRgb> only = std::nullopt)
{
    QRect box;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (p != kWhite && (!only || near(p, *only)))
                box |= QRect(x, y, 1, 1);
        }
    return box;
}

int inkCount(const QImage& image)
{
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixel(x, y) != kWhite;
    return count;
}

QRectF draw(QImage& image, const QString& text, int layoutWidth, bool clearType = true, bool shadow = false,
            int style = 0, QRgb color = kRed)
{
    return TextDraw::DrawText(&image, text, 10, 8, QStringLiteral("Arial"), 9, color, style, shadow, layoutWidth,
                              clearType);
}

} // namespace

TEST(TextDrawTest, LongCaptionWrapsWithinTheLayoutWidthAndGrowsDownward)
{
    const QString caption = QStringLiteral("Computer & Hardware Icons for every desk, office and workshop");
    QImage single = blank();
    const QRectF oneLine = draw(single, QStringLiteral("Computer"), 200);

    QImage wrapped = blank();
    const QRectF box = draw(wrapped, caption, 200);
    EXPECT_DOUBLE_EQ(box.x(), 10);
    EXPECT_DOUBLE_EQ(box.y(), 8);
    EXPECT_LE(box.width(), 200);
    const int lines = qRound(box.height() / oneLine.height());
    EXPECT_GE(lines, 2);
    EXPECT_DOUBLE_EQ(box.height(), lines * oneLine.height()); // whole lines, no height limit
    const QRect ink = inkBox(wrapped);
    EXPECT_LT(ink.right(), 10 + 200);
    EXPECT_GT(ink.bottom(), 8 + (lines - 1) * oneLine.height()); // ink on the last line

    // No limit: one long line past the width.
    QImage unwrapped = blank(700);
    const QRectF free = draw(unwrapped, caption, 0);
    EXPECT_GT(free.width(), 200);
    EXPECT_DOUBLE_EQ(free.height(), oneLine.height());
    EXPECT_GT(inkBox(unwrapped).right(), 10 + 200);

    // A single word wider than the width breaks between characters instead of running over.
    QImage word = blank();
    const QRectF longWord = draw(word, QStringLiteral("Supercalifragilisticexpialidocious"), 60);
    EXPECT_LE(longWord.width(), 60);
    EXPECT_GT(longWord.height(), oneLine.height());
    EXPECT_LT(inkBox(word).right(), 10 + 60);

    // Measuring without drawing gives the same box.
    const QFont font = TextDraw::makeFont(QStringLiteral("Arial"), 9, 0, true);
    EXPECT_EQ(TextDraw::MeasureText(caption, font, &wrapped, 10, 8, 200), box);
}

TEST(TextDrawTest, SingleBitHintDrawsOnlyTheTextColourWhileClearTypeBlends)
{
    QImage oneBit = blank();
    draw(oneBit, QStringLiteral("Shopping Icons"), 200, false);
    int blended = 0;
    for (int y = 0; y < oneBit.height(); ++y)
        for (int x = 0; x < oneBit.width(); ++x) {
            const QRgb p = oneBit.pixel(x, y);
            blended += p != kWhite && p != kRed;
        }
    EXPECT_EQ(blended, 0);
    EXPECT_GT(inkCount(oneBit), 20);

    QImage smooth = blank();
    draw(smooth, QStringLiteral("Shopping Icons"), 200, true);
    int partial = 0;
    for (int y = 0; y < smooth.height(); ++y)
        for (int x = 0; x < smooth.width(); ++x) {
            const QRgb p = smooth.pixel(x, y);
            partial += p != kWhite && p != kRed;
        }
    EXPECT_GT(partial, 10);
}

TEST(TextDrawTest, ShadowSitsOnePixelBelowTheText)
{
    QImage image = blank();
    draw(image, QStringLiteral("Game Icons"), 200, false, true);
    const QRect text = inkBox(image, kRed);
    // The shadow's ARGB(200, 0, 0, 0) over white.
    const QRect shade = inkBox(image, qRgb(55, 55, 55));
    ASSERT_TRUE(text.isValid());
    ASSERT_TRUE(shade.isValid());
    EXPECT_EQ(shade.bottom(), text.bottom() + 1);
    EXPECT_EQ(shade.left(), text.left());
    // See-through one-bit text blends with what lies below instead of replacing it.
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ASSERT_EQ(qAlpha(image.pixel(x, y)), 255) << x << "," << y;

    QImage plain = blank();
    draw(plain, QStringLiteral("Game Icons"), 200, false, false);
    EXPECT_FALSE(inkBox(plain, qRgb(55, 55, 55)).isValid());
    EXPECT_EQ(inkBox(plain, kRed), text.translated(0, 1)); // without a shadow the text is not raised
}

TEST(TextDrawTest, AmpersandIsTextAndStylesChangeTheGlyphs)
{
    QImage amp = blank();
    draw(amp, QStringLiteral("&"), 200);
    EXPECT_GT(inkCount(amp), 10);

    QImage regular = blank();
    QImage bold = blank();
    draw(regular, QStringLiteral("Music Icons"), 200, false);
    draw(bold, QStringLiteral("Music Icons"), 200, false, false, TextDraw::FontStyleBold);
    EXPECT_GT(inkCount(bold), inkCount(regular));

    QImage underlined = blank();
    draw(underlined, QStringLiteral("Music Icons"), 200, false, false, TextDraw::FontStyleUnderline);
    EXPECT_GT(inkBox(underlined).bottom(), inkBox(regular).bottom()); // the line lies below the baseline
}

TEST(TextDrawTest, PainterAndDeviceTargetsDrawAlikeAndAPainterKeepsItsState)
{
    QImage viaDevice = blank();
    draw(viaDevice, QStringLiteral("Flag Icons"), 200);

    QImage viaPainter = blank();
    QPainter painter(&viaPainter);
    painter.setPen(Qt::green);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    TextDraw::DrawText(painter, QStringLiteral("Flag Icons"), 10, 8, QStringLiteral("Arial"), 9, kRed, 0, false,
                       200, true);
    EXPECT_EQ(painter.pen().color(), QColor(Qt::green));
    EXPECT_FALSE(painter.testRenderHint(QPainter::TextAntialiasing));
    painter.end();
    EXPECT_EQ(viaPainter, viaDevice);

    EXPECT_TRUE(TextDraw::DrawText(static_cast<QPaintDevice*>(nullptr), QStringLiteral("x"), 0, 0,
                                   QStringLiteral("Arial"), 9, kRed, 0, false, 200, true)
                    .isNull());
}
