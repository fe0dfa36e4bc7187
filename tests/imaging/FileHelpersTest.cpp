#include "imaging/FileHelpers.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace FileHelpers;

TEST(FileHelpers, AddBackslashAppendsOneSeparatorOnly)
{
    EXPECT_EQ(AddBackslash("/app"), "/app/");
    EXPECT_EQ(AddBackslash("/app/"), "/app/");
    EXPECT_EQ(AddBackslash("/"), "/");
    EXPECT_EQ(AddBackslash(""), "/");
    EXPECT_EQ(AddBackslash("relative/dir"), "relative/dir/");
}

TEST(FileHelpers, WorkAreaBottomGapInTwips)
{
    // A 40-pixel task bar at the bottom of a 1080-pixel screen at 15 twips per pixel.
    EXPECT_EQ(WorkAreaBottomGap(1080, 1040, 15.0), 600);
    // No task bar at the bottom.
    EXPECT_EQ(WorkAreaBottomGap(768, 768, 15.0), 0);
    // 12 twips per pixel (120 dpi) and a 30-pixel bar.
    EXPECT_EQ(WorkAreaBottomGap(1000, 970, 12.0), 360);
    // A fractional twips-per-pixel figure rounds to the nearest twip: 7 px * 14.4 = 100.8.
    EXPECT_EQ(WorkAreaBottomGap(800, 793, 14.4), 101);
    // The live reading works on the offscreen screen and is never negative.
    EXPECT_GE(WorkAreaBottomGap(), 0);
}

TEST(FileHelpers, FitToBoxKeepsSmallImagesAndScalesLargeOnes)
{
    FitResult r = FitToBox(32, 32, 200, 100, false);
    EXPECT_EQ(r.w, 32);
    EXPECT_EQ(r.h, 32);
    EXPECT_EQ(r.x, 84);
    EXPECT_EQ(r.y, 34);

    // Equal ratios take the "height fills" branch.
    r = FitToBox(400, 200, 200, 100, false);
    EXPECT_EQ(r.w, 200);
    EXPECT_EQ(r.h, 100);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 0);

    r = FitToBox(1000, 10, 200, 100, false);
    EXPECT_EQ(r.w, 200);
    EXPECT_EQ(r.h, 2);
    EXPECT_EQ(r.x, 0);
    EXPECT_EQ(r.y, 49);

    // Tall source: the height fills the box, the width is scaled.
    r = FitToBox(50, 400, 200, 100, false);
    EXPECT_EQ(r.h, 100);
    EXPECT_EQ(r.w, 12);  // 50 * 0.25 = 12.5, halves to even
    EXPECT_EQ(r.x, (200 - r.w) / 2);
}

TEST(FileHelpers, FitToBoxRoundsHalvesToEvenAndKeepsAtLeastOnePixel)
{
    // 5 * 0.5 = 2.5 -> 2 and 7 * 0.5 = 3.5 -> 4 (halves go to the even neighbour).
    EXPECT_EQ(FitToBox(400, 5, 200, 100, false).h, 2);
    EXPECT_EQ(FitToBox(400, 7, 200, 100, false).h, 4);
    // A scaled height of 0.2 is raised to 1 and centred with truncating division.
    const FitResult thin = FitToBox(1000, 1, 200, 100, false);
    EXPECT_EQ(thin.w, 200);
    EXPECT_EQ(thin.h, 1);
    EXPECT_EQ(thin.y, 49);
    // Force scales a small image up to fill the box.
    const FitResult forced = FitToBox(32, 32, 200, 100, true);
    EXPECT_EQ(forced.w, 100);
    EXPECT_EQ(forced.h, 100);
    EXPECT_EQ(forced.x, 50);
    EXPECT_EQ(forced.y, 0);
    // An image exactly the box size is left alone without force.
    const FitResult exact = FitToBox(200, 100, 200, 100, false);
    EXPECT_EQ(exact.w, 200);
    EXPECT_EQ(exact.h, 100);
    EXPECT_EQ(exact.x, 0);
    EXPECT_EQ(exact.y, 0);
}

TEST(FileHelpers, GetFileExtensionTakesTextAfterLastDot)
{
    EXPECT_EQ(GetFileExtension("icon.Png"), "Png");
    EXPECT_EQ(GetFileExtension("a.b.jpg"), "jpg");
    EXPECT_EQ(GetFileExtension("README"), "README");
    EXPECT_EQ(GetFileExtension("name."), "");
    EXPECT_EQ(GetFileExtension(".hidden"), "hidden");
    EXPECT_EQ(GetFileExtension("/some.dir/file.gif"), "gif");
}

TEST(FileHelpers, FilterConversionAndDialog)
{
    EXPECT_EQ(QtFilterFromPipeList("A|*.a|B|*.b;*.c"), "A (*.a);;B (*.b *.c)");
    EXPECT_EQ(QtFilterFromPipeList("PNG Image|*.png"), "PNG Image (*.png)");
    // A trailing description without patterns is dropped rather than producing "X ()".
    EXPECT_EQ(QtFilterFromPipeList("A|*.a|Orphan"), "A (*.a)");

    ScriptedDialogs dialogs;
    dialogs.saveAnswer = "/tmp/out.png";
    EXPECT_EQ(ShowFileDialog(nullptr, "PNG|*.png|JPEG|*.jpg;*.jpeg", false), "/tmp/out.png");
    EXPECT_EQ(ShowFileDialog(nullptr, "PNG|*.png", true), "/tmp/out.png");
    ASSERT_EQ(dialogs.asked.size(), 2);
    EXPECT_EQ(dialogs.asked[0], "save:Open File...|PNG (*.png);;JPEG (*.jpg *.jpeg)");
    EXPECT_EQ(dialogs.asked[1], "open:Open File...|PNG (*.png)");

    // Cancelling gives an empty name.
    dialogs.saveAnswer.clear();
    EXPECT_TRUE(ShowFileDialog(nullptr, "PNG|*.png", false).isEmpty());
}
