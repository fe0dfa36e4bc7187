// The client against a real WordPress catalogue (scripts/wordpress): every tile's title, post link
// and thumbnail is checked against WordPress's own listing, through the window a person uses.
#include "WordpressListing.h"

#include "app/MainWindowTest.h"
#include "catalogue/LinkPass.h"
#include "controls/LayerList.h"
#include "controls/LayerListWidget.h"
#include "grid/IconGrid.h"
#include "grid/IconTile.h"
#include "support/ScriptedDialogs.h"
#include "support/WaitFor.h"

#include <QImageReader>
#include <QLineEdit>
#include <QRegularExpression>

namespace
{
constexpr int kPageSize = 30;

// The largest difference of any premultiplied channel of any pixel.
int maxDifference(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QImage y = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    int most = 0;
    for (int row = 0; row < x.height(); ++row)
        for (int col = 0; col < x.width(); ++col) {
            const QRgb p = x.pixel(col, row), q = y.pixel(col, row);
            most = std::max({most, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q)), std::abs(qAlpha(p) - qAlpha(q))});
        }
    return most;
}

class WordpressCatalogue : public MainWindowTest
{
protected:
    void SetUp() override
    {
        base = qEnvironmentVariable("PICTOMINE_WORDPRESS_URL");
        ASSERT_FALSE(base.isEmpty())
            << "PICTOMINE_WORDPRESS_URL is not set: scripts/wordpress prints the address";
        if (!base.endsWith('/'))
            base += '/';
        open(base, "arrow#1\r\n");
        ASSERT_FALSE(HasFatalFailure());
        waitForPage(1);
    }

    // Waits until `pages` full pages have come in and the load has ended.
    void waitForPage(int pages)
    {
        WAIT_UNTIL(window->client().resultList().size() >= pages * kPageSize && !window->client().isLoading(),
                   kBoundMs);
        ASSERT_EQ(window->client().resultList().size(), pages * kPageSize) << "page " << pages;
    }

    // WordPress's own page `page` of the listing (the front page when `search` is empty); the
    // client's records from index `first` on must be those posts, in that order.
    std::vector<WordpressPost> expectListing(const QString& search, int page, size_t first)
    {
        QString error;
        const std::vector<WordpressPost> listing = WordpressListing::page(base, search, page, &error);
        EXPECT_TRUE(error.isEmpty()) << error.toStdString();
        const std::vector<IconRecord>& records = window->client().records();
        EXPECT_GE(records.size(), first + listing.size());
        for (size_t k = 0; k < listing.size() && first + k < records.size(); ++k) {
            const IconRecord& record = records[first + k];
            const WordpressPost& post = listing[k];
            EXPECT_EQ(record.postLink, post.link) << "result " << first + k;
            EXPECT_EQ(record.title, QString(post.slug).replace('-', ", ")) << post.link.toStdString();
            EXPECT_EQ(record.thumbFile, fileNameFromUrl(post.thumbnail)) << post.link.toStdString();
        }
        return listing;
    }

    QString base;
};
} // namespace

TEST_F(WordpressCatalogue, FrontPageAndLoadMoreToTheLastPageMatchTheSitesListing)
{
    // Month-only permalinks: the whole name comes through; dashed names among them.
    const QRegularExpression monthLink("^" + QRegularExpression::escape(base) + "20\\d\\d/\\d\\d/[^/]+/$");
    int dashed = 0;
    // Load More is offered up to 750 results (25 pages): the 26th page is the last one loaded,
    // since the site's paging stops after 26 pages.
    for (int page = 1; page <= 26; ++page) {
        if (page > 1) {
            WAIT_UNTIL(window->client().state().loadMore, kBoundMs);
            click(window->loadMoreCaption(), QPoint(10, 8));
            EXPECT_EQ(window->client().lastRequestUrl(), base + "page/" + QString::number(page));
            waitForPage(page);
        }
        const std::vector<WordpressPost> listing = expectListing("", page, size_t(page - 1) * kPageSize);
        ASSERT_EQ(listing.size(), size_t(kPageSize)) << "the site lists fewer than 26 full pages (780 posts)";
        for (const WordpressPost& post : listing) {
            EXPECT_TRUE(monthLink.match(post.link).hasMatch()) << post.link.toStdString();
            dashed += post.slug.count('-') >= 2;
        }
    }
    EXPECT_GT(dashed, 0);
    EXPECT_EQ(window->iconGrid()->tileCount(), 26 * kPageSize);
    EXPECT_FALSE(window->client().state().loadMore);
}

TEST_F(WordpressCatalogue, ASearchOfTwoWordsAndACategoryListWhatTheSiteFinds)
{
    // Two words of a listed post's name, typed with a space: the site finds that post.
    QString error;
    const std::vector<WordpressPost> front = WordpressListing::page(base, {}, 1, &error);
    ASSERT_FALSE(front.empty()) << error.toStdString();
    const auto named = std::find_if(front.begin(), front.end(),
                                    [](const WordpressPost& p) { return p.slug.count('-') >= 1; });
    ASSERT_NE(named, front.end());
    const QString words = named->slug.section('-', 0, 1).replace('-', ' ');
    window->searchBar()->setText(words);
    QTest::keyClick(window->searchBar(), Qt::Key_Return);
    EXPECT_EQ(window->client().lastRequestUrl(), base + "?s=" + QString(words).replace(' ', '+'));
    WAIT_UNTIL(!window->client().isLoading(), kBoundMs);
    const std::vector<WordpressPost> found = expectListing(words, 1, 0);
    EXPECT_EQ(window->client().records().size(), found.size());
    EXPECT_TRUE(std::any_of(found.begin(), found.end(), [&](const WordpressPost& p) {
        return p.link == named->link;
    })) << words.toStdString();

    // "Arrow Icons", the second row from the top of the category list.
    LayerListWidget* list = window->menuPanel();
    const QPoint arrowRow(60, LayerList::kItemHeight * (20 - 1 - 18) + LayerList::kItemHeight / 2);
    QTest::mouseMove(list, arrowRow);
    WAIT_EQ(list->selectedIndex(), 18, kBoundMs);
    click(list, arrowRow);
    EXPECT_EQ(window->client().lastRequestUrl(), base + "?s=arrow");
    WAIT_UNTIL(!window->client().isLoading(), kBoundMs);
    const std::vector<WordpressPost> arrows = expectListing("arrow", 1, 0);
    EXPECT_FALSE(arrows.empty());
    EXPECT_EQ(window->client().records().size(), arrows.size());
}

TEST_F(WordpressCatalogue, ADashedIconDownloadsAtFullSizeAndSavesAsPngGifAndIco)
{
    const std::vector<IconRecord>& records = window->client().records();
    const auto dashed = std::find_if(records.begin(), records.end(),
                                     [](const IconRecord& r) { return r.title.count(',') >= 2; });
    ASSERT_NE(dashed, records.end()) << "no icon with a dashed name on the front page";
    const int index = int(dashed - records.begin());
    // WordPress's full-size upload: the thumbnail name without its last "-150x150".
    QString fullName = dashed->thumbFile;
    fullName.remove(QRegularExpression("-150x150(?=\\.png$)"));
    const QString fullUrl =
        base + "wp-content/uploads/" + fullName.left(4) + "/" + fullName.mid(4, 2) + "/" + fullName;
    QString error;
    const QImage original = QImage::fromData(WordpressListing::fetch(fullUrl, &error));
    ASSERT_FALSE(original.isNull()) << error.toStdString();

    IconTile* tile = window->iconGrid()->tile(index);
    for (const QString ext : {"png", "gif", "ico"}) {
        QTest::mouseMove(tile, QPoint(20, 20));
        WAIT_UNTIL(tile->strip().isActive(), kBoundMs);
        const QString target = home.filePath("saved." + ext);
        dialogs.saveAnswer = target;
        click(tile->downloadButton(), QPoint(8, 8));
        WAIT_UNTIL(QFile::exists(target), kBoundMs);
        QImageReader reader(target);
        EXPECT_EQ(reader.format(), ext.toLatin1());
        if (ext == "ico") {
            EXPECT_EQ(reader.imageCount(), 7); // 256, 128, 64, 48, 32, 24 and 16 pixels
            continue;
        }
        const QImage saved = reader.read();
        ASSERT_EQ(saved.size(), original.size()) << ext.toStdString();
        if (ext == "png") { // lossless: the picture WordPress holds, drawn once more on the canvas
            EXPECT_LE(maxDifference(saved, original), 2);
        }
    }
    EXPECT_TRUE(QFile::exists(paths.downloads() + "/" + fullName));
    EXPECT_TRUE(dialogs.asked.filter("critical:").isEmpty()) << dialogs.asked.join('\n').toStdString();
}
