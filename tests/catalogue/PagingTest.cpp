#include "../platform/HeldHttpServer.h"
#include "FakeResultView.h"

#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <map>
#include <numeric>
#include <set>

namespace {
constexpr int kBoundMs = 20000;

// A catalogue of `count` icons answered at once: 30 posts per page, pages past the end 404.
// Image k of the catalogue is "/t/<k>.png"; `failing` images answer 404, `twinOf` maps an image to
// the earlier one whose file name it repeats.
class AnsweringSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        m_originalBase = SiteAddress::base();
        base = server.url("/");
        ASSERT_TRUE(SiteAddress::setBase(base));
        AppPaths::setRoot(m_root.path());
        ASSERT_TRUE(QDir(m_root.path()).mkdir("Icons"));
        server.autoAnswer = [this](const QByteArray& path) { return respond(path); };
    }
    void TearDown() override
    {
        ASSERT_TRUE(SiteAddress::setBase(m_originalBase));
        AppPaths::setRoot(QString());
    }

    static QString iconName(int k) { return "icon" + QString::number(k) + "-glyph"; }
    QByteArray imagePath(int k) const
    {
        return "/t/" + QByteArray::number(twinOf.count(k) ? twinOf.at(k) : k) + ".png";
    }
    std::pair<int, QByteArray> respond(const QByteArray& path) const
    {
        if (path.startsWith("/t/")) {
            const int k = path.mid(3).split('.').first().toInt();
            return failing.count(k) ? std::make_pair(404, QByteArray()) : std::make_pair(200, "PNG" + path);
        }
        int page = 1;
        if (path.startsWith("/page/"))
            page = path.mid(6).split('/').first().toInt();
        const int first = (page - 1) * 30;
        if (page < 1 || first >= count)
            return {404, "<html><body><a href='" + base.toUtf8() + "'>Home</a></body></html>"};
        QByteArray html = "<html><body><nav><a href='" + base.toUtf8() + "'>Home</a></nav>";
        for (int k = first; k < std::min(first + 30, count); ++k) {
            const QByteArray post = base.toUtf8() + "2015/06/07/" + iconName(k).toUtf8() + "/";
            html += "<a href='" + post + "'><img src='" + imagePath(k) + "'></a><a href='" + post + "'>t</a>";
        }
        return {200, html + "<a href='" + base.toUtf8() + "page/" + QByteArray::number(page + 1) + "'>Next</a></body>"};
    }
    void waitForLoads(const FakeResultView& view, int loads)
    {
        QTRY_COMPARE_WITH_TIMEOUT(view.completedLoads(), loads, kBoundMs);
    }

    HeldHttpServer server;
    QString base;
    int count = 45;
    std::set<int> failing;
    std::map<int, int> twinOf;

private:
    QTemporaryDir m_root;
    QString m_originalBase;
};

QStringList fileNames(const QStringList& paths)
{
    QStringList names;
    for (const QString& p : paths)
        names << QFileInfo(p).fileName();
    return names;
}
} // namespace

TEST_F(AnsweringSite, FullFrontPagePairsRecordsListAndTiles)
{
    FakeResultView view;
    CatalogueClient client(view, AppPaths::icons());
    view.client = &client;
    client.StartQuery("");
    waitForLoads(view, 1);

    ASSERT_EQ(client.resultList().size(), 30);
    ASSERT_EQ(client.records().size(), 30u);
    EXPECT_EQ(QDir(AppPaths::icons()).entryList({"*.png"}, QDir::Files).size(), 30);
    EXPECT_EQ(view.placed, 30);
    std::vector<int> expectedSizes(30);
    std::iota(expectedSizes.begin(), expectedSizes.end(), 1);
    EXPECT_EQ(view.listSizeAtPlace, expectedSizes);
    EXPECT_EQ(view.loadMore, std::vector<bool>{true});
    EXPECT_EQ(view.loadMoreAtCount, std::vector<int>{30});
    EXPECT_TRUE(client.state().loadMore);
    EXPECT_TRUE(client.state().pageBoundary);
    EXPECT_EQ(client.state().resultCount, 30);
    for (int i = 0; i < 30; ++i) {
        const IconRecord& r = client.records()[size_t(i)];
        EXPECT_EQ(r.thumbFile, QString::number(i) + ".png");
        EXPECT_EQ(QFileInfo(client.resultList()[i]).fileName(), r.thumbFile);
        EXPECT_EQ(r.postLink, base + "2015/06/07/" + iconName(i) + "/");
        EXPECT_EQ(r.title, "icon" + QString::number(i) + ", glyph");
        EXPECT_EQ(client.resultList()[i], AppPaths::icons() + "/" + r.thumbFile);
    }
    QFile stored(client.resultList()[7]);
    ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
    EXPECT_EQ(stored.readAll(), "PNG/t/7.png");
}

TEST_F(AnsweringSite, LoadMorePageNumbersFollowTheListLength)
{
    FakeResultView view;
    CatalogueClient client(view, AppPaths::icons());
    view.client = &client;
    client.StartQuery("arrow");
    waitForLoads(view, 1);
    ASSERT_EQ(client.resultList().size(), 30);

    client.LoadMoreResults("cat");  // the box was edited but not searched
    EXPECT_EQ(client.lastRequestUrl(), base + "page/2/?s=arrow");
    EXPECT_FALSE(client.state().loadMore);
    waitForLoads(view, 2);
    ASSERT_EQ(client.resultList().size(), 45);
    // Page 2's first record sits right after page 1's last, paired with thumbnail 30.
    EXPECT_EQ(client.records()[30].postLink, base + "2015/06/07/" + iconName(30) + "/");
    EXPECT_EQ(client.records()[30].thumbFile, "30.png");
    EXPECT_EQ(client.records()[0].thumbFile, "0.png");  // page 1 kept
    EXPECT_EQ(view.loadMore, (std::vector<bool>{true, false}));  // 45 is no page boundary

    client.LoadMoreResults("arrow");  // 45 entries -> page 2 again
    EXPECT_EQ(client.lastRequestUrl(), base + "page/2/?s=arrow");
    waitForLoads(view, 3);
    ASSERT_EQ(client.resultList().size(), 60);
    EXPECT_EQ(client.records()[45].thumbFile, "30.png");
    EXPECT_EQ(view.loadMoreAtCount, (std::vector<int>{30, 60}));

    client.LoadMoreResults("");  // emptied box: the front page continues
    EXPECT_EQ(client.lastRequestUrl(), base + "page/3");
    waitForLoads(view, 4);
    EXPECT_EQ(client.resultList().size(), 60);  // past the end: nothing added
    EXPECT_TRUE(view.notices.isEmpty());  // a 404 past the last page is no failure to report
    EXPECT_EQ(client.records().size(), 60u);
    EXPECT_EQ(view.clears, 1);  // Load More never clears
    EXPECT_EQ(client.keywords().entries().size(), 1u);  // nor records a keyword
}

TEST_F(AnsweringSite, OneAtATimeGivesTheSameResultAsSix)
{
    count = 30;
    failing = {6, 13};
    twinOf = {{21, 20}, {27, 26}};  // images 21 and 27 repeat the file name just before them
    auto run = [this](int parallel) {
        FakeResultView view;
        CatalogueClient client(view, AppPaths::icons());
        client.setParallelFetches(parallel);
        client.StartQuery("");
        waitForLoads(view, 1);
        QStringList out;
        for (const IconRecord& r : client.records())
            out << r.title + "|" + r.postLink + "|" + r.thumbFile;
        return std::make_pair(out, fileNames(client.resultList()));
    };
    const auto six = run(6);
    const auto one = run(1);
    EXPECT_EQ(six.first, one.first);
    EXPECT_EQ(six.second, one.second);
    // 30 images: 2 fail and 2 repeat their neighbour's name -> 26 stored.
    EXPECT_EQ(six.second.size(), 26);
    EXPECT_FALSE(six.second.contains("6.png"));
    EXPECT_EQ(six.second.count("20.png"), 1);
    // Pairing is by order: from the first failed image on, records take the next thumbnail.
    EXPECT_TRUE(six.first[5].endsWith("|5.png"));
    EXPECT_TRUE(six.first[6].endsWith("|7.png"));
}
