#include "controls/TextDraw.h"

#include <QImage>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kRed = 0xFFC00000;

QImage blank(int width = 420)
{
    QImage image(width, 160, QImage::Format_ARGB32);
    image.fill(kWhite);
    return image;
}

// Bounding box and count of the pixels for which `keep` holds; by default those not white.
std::pair<QRect, int> ink(const QImage& image, const std::function<bool(QRgb)>& keep = {})
{
    QRect box;
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (keep ? keep(image.pixel(x, y)) : image.pixel(x, y) != kWhite) {
                box |= QRect(x, y, 1, 1);
                ++count;
            }
    return {box, count};
}

// Pixels within blending's rounding of one colour.
std::function<bool(QRgb)> near(QRgb c)
{
    return [c](QRgb p) {
        return std::abs(qRed(p) - qRed(c)) <= 2 && std::abs(qGreen(p) - qGreen(c)) <= 2
               && std::abs(qBlue(p) - qBlue(c)) <= 2 && qAlpha(p) == qAlpha(c);
    };
}

bool partial(QRgb p)
{
    return p != kWhite && p != kRed;
}

QRectF draw(QImage& image, const QString& text, int layoutWidth, bool clearType = true, bool shadow = false,
            int style = 0)
{
    return TextDraw::DrawText(&image, text, 10, 8, QStringLiteral("Arial"), 9, kRed, style, shadow, layoutWidth,
                              clearType);
}

} // namespace

TEST(TextDrawTest, LongCaptionWrapsWithinTheLayoutWidthAndGrowsDownward)
{
    const QString caption = QStringLiteral("Computer & Hardware Icons for every desk, office and workshop");
    QImage single = blank();
    const qreal line = draw(single, QStringLiteral("Computer"), 200).height();

    QImage wrapped = blank();
    const QRectF box = draw(wrapped, caption, 200);
    EXPECT_EQ(box.topLeft(), QPointF(10, 8));
    EXPECT_LE(box.width(), 200);
    const int lines = qRound(box.height() / line);
    EXPECT_GE(lines, 2);
    EXPECT_DOUBLE_EQ(box.height(), lines * line); // whole lines, no height limit
    EXPECT_LT(ink(wrapped).first.right(), 10 + 200);
    EXPECT_GT(ink(wrapped).first.bottom(), 8 + (lines - 1) * line); // ink on the last line

    // No limit: one long line past the width.
    QImage unwrapped = blank(700);
    EXPECT_DOUBLE_EQ(draw(unwrapped, caption, 0).height(), line);
    EXPECT_GT(ink(unwrapped).first.right(), 10 + 200);

    // A single word wider than the width breaks between characters instead of running over.
    QImage word = blank();
    const QRectF longWord = draw(word, QStringLiteral("Supercalifragilisticexpialidocious"), 60);
    EXPECT_LE(longWord.width(), 60);
    EXPECT_GT(longWord.height(), line);
    EXPECT_LT(ink(word).first.right(), 10 + 60);
}

TEST(TextDrawTest, SingleBitHintDrawsOnlyTheTextColourWhileClearTypeBlends)
{
    QImage oneBit = blank();
    draw(oneBit, QStringLiteral("Shopping Icons"), 200, false);
    EXPECT_EQ(ink(oneBit, partial).second, 0);
    EXPECT_GT(ink(oneBit).second, 20);
    QImage smooth = blank();
    draw(smooth, QStringLiteral("Shopping Icons"), 200, true);
    EXPECT_GT(ink(smooth, partial).second, 10);
}

TEST(TextDrawTest, ShadowSitsOnePixelBelowTheTextAndBlends)
{
    QImage image = blank();
    draw(image, QStringLiteral("Game Icons"), 200, false, true);
    const QRect text = ink(image, near(kRed)).first;
    const QRect shade = ink(image, near(qRgb(55, 55, 55))).first; // ARGB(200, 0, 0, 0) over white
    ASSERT_TRUE(text.isValid());
    ASSERT_TRUE(shade.isValid());
    EXPECT_EQ(shade.bottomLeft(), text.bottomLeft() + QPoint(0, 1));
    // See-through one-bit text blends with what lies below instead of punching its alpha in.
    EXPECT_EQ(ink(image, [](QRgb p) { return qAlpha(p) != 255; }).second, 0);

    QImage plain = blank();
    draw(plain, QStringLiteral("Game Icons"), 200, false, false);
    EXPECT_FALSE(ink(plain, near(qRgb(55, 55, 55))).first.isValid());
    EXPECT_EQ(ink(plain, near(kRed)).first, text.translated(0, 1)); // without a shadow the text is not raised
}

TEST(TextDrawTest, AmpersandIsTextAndBoldChangesTheGlyphs)
{
    QImage amp = blank();
    draw(amp, QStringLiteral("&"), 200);
    EXPECT_GT(ink(amp).second, 10);
    QImage regular = blank();
    QImage bold = blank();
    draw(regular, QStringLiteral("Music Icons"), 200, false);
    draw(bold, QStringLiteral("Music Icons"), 200, false, false, TextDraw::FontStyleBold);
    EXPECT_GT(ink(bold).second, ink(regular).second);
}
