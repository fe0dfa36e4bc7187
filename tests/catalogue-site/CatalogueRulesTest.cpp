// Naming, dating, ordering, search and look-up rules of the catalogue, and the generated set.
#include "SiteFixture.h"
#include "catalogue-site/IconDirectoryScan.h"
#include "catalogue-site/IconNaming.h"
#include "catalogue-site/IconRenderer.h"
#include "catalogue-site/LoopbackPort.h"
#include "catalogue-site/SyntheticIcons.h"
#include "catalogue/CategoryTable.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QSet>

#include <gtest/gtest.h>

namespace {
IconEntry entry(const QString& name)
{
    IconEntry e;
    e.name = name;
    e.compact = IconNaming::compact(name);
    e.synthetic = 0;
    return e;
}
} // namespace

TEST(IconNaming, FileBaseNamesBecomeLowercaseWordsJoinedByDashes)
{
    EXPECT_EQ(IconNaming::nameFromFileBase("org.gnome.Calculator"), "org-gnome-calculator");
    EXPECT_EQ(IconNaming::nameFromFileBase("__Arrow--Left__"), "arrow-left");
    EXPECT_EQ(IconNaming::nameFromFileBase("python3_11"), "python3-11");
    EXPECT_EQ(IconNaming::nameFromFileBase("caf\u00e9 au lait"), "caf-au-lait");
    EXPECT_EQ(IconNaming::nameFromFileBase("._-"), "");
    const QString longName = IconNaming::nameFromFileBase(QString("ab-").repeated(100));
    EXPECT_LE(longName.size(), IconNaming::kMaxNameLength);
    EXPECT_FALSE(longName.endsWith('-'));
    EXPECT_EQ(IconNaming::compact("arrow-left-alt"), "arrowleftalt");
}

TEST(IconNaming, DatesAreStableSpreadAndInsideThePostYears)
{
    QSet<int> years;
    QSet<QDate> dates;
    for (const QString& name : SyntheticIcons::names(500)) {
        const QDate d = IconNaming::dateFor(name);
        EXPECT_EQ(d, IconNaming::dateFor(QString(name)));
        EXPECT_GE(d, QDate(2013, 1, 1));
        EXPECT_LE(d, QDate(2017, 12, 31));
        years.insert(d.year());
        dates.insert(d);
    }
    EXPECT_EQ(years.size(), 5);
    EXPECT_GT(dates.size(), 300);
    EXPECT_TRUE(IconNaming::containsPostYear("x/2013/"));
    EXPECT_TRUE(IconNaming::containsPostYear("a2017b"));
    EXPECT_FALSE(IconNaming::containsPostYear("2012-2018"));
}

TEST(IconCatalogue, OrdersNewestFirstKeepsEachCompactNameOnceAndLooksUpFiles)
{
    const IconCatalogue catalogue({entry("arrow-left"), entry("arrowleft"), entry("home"), entry("user"), entry("mail")});
    ASSERT_EQ(catalogue.size(), 4);
    EXPECT_GE(catalogue.indexOfName("arrow-left"), 0);
    EXPECT_EQ(catalogue.indexOfName("arrowleft"), -1);  // same compact name: the first stays
    for (int i = 1; i < catalogue.size(); ++i) {
        const IconEntry& a = catalogue.at(i - 1);
        const IconEntry& b = catalogue.at(i);
        EXPECT_TRUE(a.date > b.date || (a.date == b.date && a.compact < b.compact));
    }
    const int home = catalogue.indexOfName("home");
    const IconEntry& h = catalogue.at(home);
    EXPECT_EQ(catalogue.indexOfThumbName(h.thumbName()), home);
    EXPECT_EQ(catalogue.indexOfFullName(h.fullName()), home);
    EXPECT_EQ(catalogue.indexOfFullName(h.thumbName()), -1);
    EXPECT_EQ(catalogue.indexOfThumbName(h.fullName()), -1);
    QString otherMonth = h.thumbName();
    otherMonth[5] = otherMonth[5] == '1' ? '2' : '1';
    EXPECT_EQ(catalogue.indexOfThumbName(otherMonth), -1);
    EXPECT_EQ(catalogue.indexOfThumbName("-150x150.png"), -1);
}

TEST(IconCatalogue, SearchMatchesTheCompactNameCaseInsensitivelyInCatalogueOrder)
{
    SiteFixture site(400);
    const IconCatalogue& c = site.catalogue();
    const std::vector<int> arrows = c.search("ArrowLeft");
    ASSERT_FALSE(arrows.empty());
    int expected = 0;
    for (int i = 0; i < c.size(); ++i)
        expected += c.at(i).compact.contains("arrowleft");
    EXPECT_EQ(int(arrows.size()), expected);
    for (size_t k = 0; k < arrows.size(); ++k) {
        EXPECT_TRUE(c.at(arrows[k]).compact.contains("arrowleft"));
        if (k > 0) {
            EXPECT_LT(arrows[k - 1], arrows[k]);
        }
    }
    EXPECT_TRUE(c.search("arrow-left").empty());  // separators are not part of the compact name
    EXPECT_EQ(int(c.search("").size()), c.size());
    EXPECT_EQ(IconCatalogue::pageCount(0), 1);
    EXPECT_EQ(IconCatalogue::pageCount(30), 1);
    EXPECT_EQ(IconCatalogue::pageCount(31), 2);
}

TEST(SyntheticIcons, NamesAreDistinctWordsCoveringCategoriesAndCommonIcons)
{
    const QStringList names = SyntheticIcons::names(400);
    ASSERT_EQ(names.size(), 400);
    QSet<QString> compacts;
    const QRegularExpression words("^[a-z0-9]+(-[a-z0-9]+)*$");
    for (const QString& n : names) {
        EXPECT_TRUE(words.match(n).hasMatch()) << n.toStdString();
        compacts.insert(IconNaming::compact(n));
    }
    EXPECT_EQ(compacts.size(), 400);
    for (int i = 0; i < CategoryTable::kCount; ++i) {
        const QString slug = CategoryTable::slug(i);
        EXPECT_TRUE(std::any_of(compacts.begin(), compacts.end(), [&](const QString& c) { return c.contains(slug); }))
            << slug.toStdString();
    }
    const QStringList small = SyntheticIcons::names(60);
    for (const char* common : {"arrow-left", "arrow-right", "home", "user", "mail"})
        EXPECT_TRUE(small.contains(common)) << common;
    EXPECT_EQ(SyntheticIcons::names(50), small.mid(0, 50));
}

TEST(SyntheticIcons, PicturesHaveTransparentGroundAndColouredShapes)
{
    const QStringList names = SyntheticIcons::names(12);
    QSet<QRgb> centres;
    for (int i = 0; i < names.size(); ++i) {
        const QImage img = SyntheticIcons::draw(i, names[i], 97);
        ASSERT_EQ(img.size(), QSize(97, 97));
        EXPECT_EQ(qAlpha(img.pixel(0, 0)), 0);
        EXPECT_EQ(qAlpha(img.pixel(96, 96)), 0);
        EXPECT_EQ(qAlpha(img.pixel(48, 48)), 255) << names[i].toStdString();
        centres.insert(img.pixel(48, 48));
    }
    EXPECT_GT(centres.size(), 3);
}

TEST(IconDirectoryScan, FindsSvgAndPngFilesRecursivelyAndRendersThemOnTransparentSquares)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("apps/nested"));
    QFile svg(dir.filePath("apps/nested/Accessories-Calculator.svg"));
    ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
    svg.write("<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"64\" height=\"32\">"
              "<rect x=\"0\" y=\"0\" width=\"64\" height=\"32\" fill=\"#ff0000\"/></svg>");
    svg.close();
    QImage wide(40, 20, QImage::Format_ARGB32);
    wide.fill(qRgba(0, 0, 255, 255));
    ASSERT_TRUE(wide.save(dir.filePath("apps/folder_home.png")));
    QFile(dir.filePath("apps/readme.txt")).open(QIODevice::WriteOnly);
    QFile(dir.filePath("apps/___.svg")).open(QIODevice::WriteOnly);

    const std::vector<IconEntry> found = IconDirectoryScan::scan({dir.path()});
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].name, "folder-home");
    EXPECT_EQ(found[1].name, "accessories-calculator");
    EXPECT_EQ(found[1].compact, "accessoriescalculator");

    // Both keep their aspect ratio, centred: wide pictures leave transparent bands above and below.
    for (const IconEntry& e : found) {
        const QImage img = IconRenderer::render(e, 150);
        ASSERT_EQ(img.size(), QSize(150, 150)) << e.name.toStdString();
        EXPECT_EQ(qAlpha(img.pixel(75, 5)), 0);
        EXPECT_EQ(qAlpha(img.pixel(75, 75)), 255);
        EXPECT_EQ(qAlpha(img.pixel(2, 75)), 255);
    }
    EXPECT_GT(qRed(IconRenderer::render(found[1], 150).pixel(75, 75)), 200);
    EXPECT_GT(qBlue(IconRenderer::render(found[0], 150).pixel(75, 75)), 200);

    IconEntry broken = found[1];
    broken.file = dir.filePath("apps/___.svg");
    EXPECT_EQ(qAlpha(IconRenderer::render(broken, 64).pixel(32, 32)), 0);  // nothing drawn, no crash
}

TEST(LoopbackPort, FreePortsNeverHoldAPostYear)
{
    EXPECT_TRUE(LoopbackPort::holdsPostYear(42015));
    EXPECT_TRUE(LoopbackPort::holdsPostYear(20170));
    EXPECT_FALSE(LoopbackPort::holdsPostYear(8123));
    EXPECT_FALSE(LoopbackPort::holdsPostYear(20180));
    for (int i = 0; i < 20; ++i) {
        const int port = LoopbackPort::pickFree();
        EXPECT_GT(port, 0);
        EXPECT_FALSE(LoopbackPort::holdsPostYear(port)) << port;
    }
}
