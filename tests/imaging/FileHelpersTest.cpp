#include "imaging/FileHelpers.h"

#include "support/ScriptedDialogs.h"

#include <gtest/gtest.h>

using namespace FileHelpers;

TEST(FileHelpers, PathAndExtensionEdges)
{
    // One separator appended, never a second.
    for (const auto& [in, out] :
         {std::pair{"/app", "/app/"}, std::pair{"/app/", "/app/"}, std::pair{"/", "/"}, std::pair{"", "/"},
          std::pair{"relative/dir", "relative/dir/"}})
        EXPECT_EQ(withTrailingSeparator(in), out) << in;
    // The text after the last dot; the whole name without one.
    for (const auto& [in, out] :
         {std::pair{"icon.Png", "Png"}, std::pair{"a.b.jpg", "jpg"}, std::pair{"README", "README"},
          std::pair{"name.", ""}, std::pair{".hidden", "hidden"}, std::pair{"/some.dir/file.gif", "gif"}})
        EXPECT_EQ(fileExtension(in), out) << in;
}

TEST(FileHelpers, WorkAreaBottomGapInTwips)
{
    EXPECT_EQ(workAreaBottomGap(1080, 1040, 15.0), 600); // a 40-pixel task bar at 15 twips a pixel
    EXPECT_EQ(workAreaBottomGap(768, 768, 15.0), 0);
    EXPECT_EQ(workAreaBottomGap(800, 793, 14.4), 101); // 7 * 14.4 = 100.8 rounds to the nearest twip
}

TEST(FileHelpers, FitToBoxCentresKeepsSmallImagesAndRoundsHalvesToEven)
{
    struct Case {
        int w, h;
        bool force;
        int x, y, fw, fh;
    };
    // Small: kept and centred; exactly the box; equal ratios; wide; tall (12.5 halves to even);
    // 2.5 -> 2; 3.5 -> 4; 0.2 raised to one pixel; forced: scaled up to fill.
    for (const Case c : {Case{32, 32, false, 84, 34, 32, 32}, Case{200, 100, false, 0, 0, 200, 100},
                         Case{400, 200, false, 0, 0, 200, 100}, Case{1000, 10, false, 0, 49, 200, 2},
                         Case{50, 400, false, 94, 0, 12, 100}, Case{400, 5, false, 0, 49, 200, 2},
                         Case{400, 7, false, 0, 48, 200, 4}, Case{1000, 1, false, 0, 49, 200, 1},
                         Case{32, 32, true, 50, 0, 100, 100}}) {
        const FitResult r = fitToBox(c.w, c.h, 200, 100, c.force);
        EXPECT_EQ(QList<int>({r.x, r.y, r.w, r.h}), QList<int>({c.x, c.y, c.fw, c.fh})) << c.w << "x" << c.h;
    }
}

TEST(FileHelpers, FilterConversionAndDialog)
{
    EXPECT_EQ(qtFilterFromPipeList("A|*.a|Orphan"), "A (*.a)"); // a description without patterns is dropped

    ScriptedDialogs dialogs;
    dialogs.saveAnswer = "/tmp/out.png";
    EXPECT_EQ(showFileDialog(dialogs, nullptr, "PNG|*.png|JPEG|*.jpg;*.jpeg", false), "/tmp/out.png");
    EXPECT_EQ(showFileDialog(dialogs, nullptr, "PNG|*.png", true), "/tmp/out.png");
    EXPECT_EQ(dialogs.asked, QStringList({"save:Open File...|PNG (*.png);;JPEG (*.jpg *.jpeg)",
                                          "open:Open File...|PNG (*.png)"}));
    dialogs.saveAnswer.clear();
    EXPECT_TRUE(showFileDialog(dialogs, nullptr, "PNG|*.png", false).isEmpty()); // cancelled
}
