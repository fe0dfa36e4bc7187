#include "grid/CategoryMenu.h"
#include "catalogue/CatalogueClient.h"
#include "catalogue/CategoryTable.h"
#include "catalogue/ResultView.h"
#include "controls/CtlLayers.h"
#include "controls/ucScrollbar.h"
#include "platform/SiteAddress.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class QuietView : public ResultView {
public:
    void clearResults() override {}
    void PlaceNextTile() override {}
    void loadMoreChanged(bool) override {}
    void setProgressWidth(int) override {}
};

// Display row of a caption: the rows show the layers in reverse.
int rowOf(const CtlLayers& menu, const QString& caption)
{
    for (int row = 0; row < menu.layers().count(); ++row)
        if (menu.layers().layer(menu.layers().layerOfRow(row)).caption == caption)
            return row;
    return -1;
}

} // namespace

TEST(CategoryMenuTest, TwentyCaptionsInTableOrderWithTheBottomRowHighlighted)
{
    CtlLayers menu;
    menu.resize(220, 640);
    menu.show();
    CategoryMenu::fill(menu);

    const QStringList expected = {"Mobile Icons",     "Medical Icons",  "Shopping Icons",
                                  "Security Icons",   "Network Icons",  "Music Icons",
                                  "Map & Navigation Icons", "Building Icons", "Holiday Icons",
                                  "Game Icons",       "Food Icons",     "Flag Icons",
                                  "File Icons",       "Electronic Icons", "Education Icons",
                                  "Computer & Hardware Icons", "Clothes Icons", "Business Icons",
                                  "Arrow Icons",      "Animal Icons"};
    ASSERT_EQ(menu.layers().count(), 20);
    for (int i = 0; i < 20; ++i) {
        EXPECT_EQ(menu.layers().layer(i).caption, expected[i]) << i;
        EXPECT_TRUE(menu.layers().layer(i).image.isNull());
        EXPECT_EQ(menu.layers().layer(i).width, 16);
        EXPECT_EQ(menu.layers().layer(i).height, 16);
    }
    EXPECT_EQ(rowOf(menu, "Mobile Icons"), 19);
    EXPECT_EQ(rowOf(menu, "Animal Icons"), 0);

    // Drawn and shown: every row has its bullet, and the bottom row is the highlighted one.
    EXPECT_EQ(menu.backBuffer().height(), 602);
    for (int row = 0; row < 20; ++row)
        ASSERT_EQ(menu.backBuffer().pixel(27, row * 30 + 15), CtlLayers::kBulletColor) << row;
    EXPECT_EQ(menu.SelectedIndex(), 0);
    EXPECT_NE(menu.surface().pixel(5, 19 * 30 + 15), CtlLayers::kBackColor);
    EXPECT_EQ(menu.surface().pixel(5, 18 * 30 + 15), CtlLayers::kBackColor);
    EXPECT_FALSE(menu.scrollbar()->isEnabled());
}

TEST(CategoryMenuTest, ReleaseOnArrowIconsStartsTheArrowSearch)
{
    ASSERT_TRUE(SiteAddress::setBase("http://127.0.0.1:9/"));
    QTemporaryDir cache;
    ASSERT_TRUE(cache.isValid());
    QuietView view;
    CatalogueClient client(view, cache.path());
    QString searchBox = QStringLiteral("typed before");

    CtlLayers menu;
    menu.resize(220, 640);
    menu.show();
    CategoryMenu::fill(menu);
    // The window's wiring: the release reads the selection and runs the category's query.
    QObject::connect(&menu, &CtlLayers::MouseUp, [&](int, int, float, float) {
        searchBox = client.chooseCategory(CategoryMenu::categoryIndexForSelected(menu.SelectedIndex()));
        client.StartQuery(searchBox);
    });

    const int row = rowOf(menu, "Arrow Icons");
    ASSERT_EQ(row, 1);
    const QPoint onArrow(60, row * 30 + 12);
    QTest::mouseMove(&menu, onArrow);
    QTest::mousePress(&menu, Qt::LeftButton, {}, onArrow);
    QTest::mouseRelease(&menu, Qt::LeftButton, {}, onArrow);
    EXPECT_EQ(CategoryTable::slug(CategoryMenu::categoryIndexForSelected(menu.SelectedIndex())), "arrow");
    EXPECT_EQ(searchBox, QStringLiteral("arrow"));
    EXPECT_EQ(client.state().keyword, QStringLiteral("arrow"));
    EXPECT_EQ(client.lastRequestUrl(), SiteAddress::base() + "?s=arrow");

    // A press on "Animal Icons" then a drag down to "Mobile Icons" still chooses the pressed row.
    QTest::mousePress(&menu, Qt::LeftButton, {}, QPoint(60, 10));
    QTest::mouseMove(&menu, QPoint(60, 590));
    QTest::mouseRelease(&menu, Qt::LeftButton, {}, QPoint(60, 590));
    EXPECT_EQ(client.lastRequestUrl(), SiteAddress::base() + "?s=animal");
}
