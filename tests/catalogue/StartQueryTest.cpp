#include "FakeResultView.h"

#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// A site that accepts connections and never answers, so a page load stays in progress.
class SilentSite : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_server.listen(QHostAddress::LocalHost, 0));
        m_originalBase = SiteAddress::base();
        base = QString("http://127.0.0.1:%1/").arg(m_server.serverPort());
        ASSERT_TRUE(SiteAddress::setBase(base));
        ASSERT_TRUE(m_root.isValid());
        AppPaths::setRoot(m_root.path());
        ASSERT_TRUE(QDir(m_root.path()).mkdir("Icons"));
    }
    void TearDown() override
    {
        ASSERT_TRUE(SiteAddress::setBase(m_originalBase));
        AppPaths::setRoot(QString());
    }
    void touch(const QString& path)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("xy");
    }
    QStringList iconsFolder() const
    {
        QStringList names = QDir(AppPaths::icons()).entryList(QDir::Files);
        names.sort();
        return names;
    }

    QString base;
    FakeResultView view;

private:
    QTcpServer m_server;
    QTemporaryDir m_root;
    QString m_originalBase;
};
} // namespace

TEST_F(SilentSite, StartQueryClearsTheCacheAndResetsTheResultSet)
{
    touch(AppPaths::icons() + "/old1.png");
    touch(AppPaths::icons() + "/old2.png");
    touch(AppPaths::icons() + "/kept.jpg");
    touch(AppPaths::icons() + "/kept.gif");
    CatalogueClient client(view, AppPaths::icons());
    view.client = &client;
    // Leftovers of an earlier result set.
    client.state().loadMore = true;
    client.state().resultCount = 3;
    client.state().pageBoundary = true;

    client.StartQuery("arrow left");
    EXPECT_EQ(iconsFolder(), (QStringList{"kept.gif", "kept.jpg"}));
    EXPECT_EQ(view.clears, 1);
    EXPECT_EQ(view.loadMore, std::vector<bool>{false});
    EXPECT_FALSE(client.state().loadMore);
    EXPECT_FALSE(client.state().pageBoundary);
    EXPECT_EQ(client.state().resultCount, 0);
    EXPECT_TRUE(client.resultList().isEmpty());
    EXPECT_EQ(client.state().keyword, "arrowleft");
    EXPECT_EQ(client.lastRequestUrl(), base + "?s=arrowleft");
    EXPECT_TRUE(client.isLoading());
    ASSERT_FALSE(client.keywords().entries().empty());
    EXPECT_EQ(client.keywords().entries().back().keyword, "arrow left");

    // Load More was not shown this time: no slide-away is asked for again.
    client.StartQuery("");
    EXPECT_EQ(view.loadMore, std::vector<bool>{false});
    EXPECT_EQ(client.state().keyword, "");
    EXPECT_EQ(client.lastRequestUrl(), base);
    EXPECT_EQ(client.keywords().entries().back().keyword, "");  // the empty search is recorded too
    // The first load was abandoned by the second query.
    EXPECT_EQ(view.ended, std::vector<bool>{true});

    client.StartQuery("   ");
    EXPECT_EQ(client.state().keyword, "");
    EXPECT_EQ(client.lastRequestUrl(), base + "?s=");
    EXPECT_EQ(client.keywords().entries().size(), 3u);
    EXPECT_EQ(view.clears, 3);
}

TEST_F(SilentSite, CategoryChoiceAndLoadMoreKeepTheQueryKeyword)
{
    CatalogueClient client(view, AppPaths::icons());
    client.StartQuery("arrow");
    ASSERT_TRUE(client.isLoading());

    // A category choice stops the running load before anything else.
    EXPECT_EQ(client.chooseCategory(11), "flag");
    EXPECT_FALSE(client.isLoading());
    EXPECT_EQ(view.ended, std::vector<bool>{true});
    EXPECT_EQ(client.state().keyword, "flag");
    for (int outside : {-1, 20, 32767})
        EXPECT_EQ(client.chooseCategory(outside), "flag");
    EXPECT_EQ(client.chooseCategory(0), "mobile");
    client.StartQuery(client.chooseCategory(18));
    EXPECT_EQ(client.lastRequestUrl(), base + "?s=arrow");

    // The user typed "cat" without searching: Load More continues the arrow query.
    client.LoadMoreResults("cat");
    EXPECT_EQ(client.state().keyword, "arrow");
    EXPECT_EQ(client.lastRequestUrl(), base + "?s=arrow");  // nothing listed yet: page 1
    EXPECT_EQ(view.loadMore.back(), false);
    // With the box emptied the front page continues instead.
    client.LoadMoreResults("");
    EXPECT_EQ(client.state().keyword, "");
    EXPECT_EQ(client.lastRequestUrl(), base);
    // Neither Load More recorded a keyword.
    EXPECT_EQ(client.keywords().entries().size(), 2u);

    // Encoded keywords cannot leave the query part.
    client.StartQuery("c# & c++");
    EXPECT_EQ(client.lastRequestUrl(), base + "?s=c%23%26c%2B%2B");

    client.stop();
    EXPECT_FALSE(client.isLoading());
    EXPECT_EQ(view.progress.back(), 0);
}
