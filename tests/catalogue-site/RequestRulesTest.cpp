// Request parsing, options, faults and broken bodies: the parts that decide an answer before any
// icon is looked up.
#include "catalogue-site/FaultSet.h"
#include "catalogue-site/FaultyBytes.h"
#include "catalogue-site/RequestLog.h"
#include "catalogue-site/SiteOptions.h"
#include "catalogue-site/SiteRoute.h"

#include <QBuffer>
#include <QImageReader>

#include <gtest/gtest.h>

using Kind = SiteRoute::Kind;

TEST(SiteRoute, RecognisesTheSiteAddressShapes)
{
    EXPECT_EQ(SiteRoute::parse("/").kind, Kind::Front);
    auto r = SiteRoute::parse("/page/7");
    EXPECT_EQ(r.kind, Kind::Front);
    EXPECT_EQ(r.page, 7);
    EXPECT_EQ(SiteRoute::parse("/page/7/").page, 7);
    r = SiteRoute::parse("/?s=arrow");
    EXPECT_EQ(r.kind, Kind::Search);
    EXPECT_EQ(r.keyword, "arrow");
    EXPECT_EQ(r.page, 1);
    r = SiteRoute::parse("/page/3/?s=%41rrow+L");
    EXPECT_EQ(r.kind, Kind::Search);
    EXPECT_EQ(r.page, 3);
    EXPECT_EQ(r.keyword, "Arrow L");
    r = SiteRoute::parse("/?x=1&s=caf%C3%A9&s=other");
    EXPECT_EQ(r.keyword, "caf\u00e9");
    r = SiteRoute::parse("/?s=");
    EXPECT_EQ(r.kind, Kind::Search);
    EXPECT_TRUE(r.keyword.isEmpty());
    r = SiteRoute::parse("/2016/05/12/arrow-left/");
    EXPECT_EQ(r.kind, Kind::Post);
    EXPECT_EQ(r.datePath, "2016/05/12/");
    EXPECT_EQ(r.name, "arrow-left");
    r = SiteRoute::parse("/wp-content/uploads/2016/05/201605arrowleft-150x150.png");
    EXPECT_EQ(r.kind, Kind::Thumbnail);
    EXPECT_EQ(r.datePath, "2016/05/");
    EXPECT_EQ(r.name, "201605arrowleft-150x150.png");
    EXPECT_EQ(SiteRoute::parse("/wp-content/uploads/2016/05/201605arrowleft.png").kind, Kind::FullSize);
    EXPECT_EQ(SiteRoute::parse("/wp-content/uploads/2016/05/%2e%2e").name, "..");
}

TEST(SiteRoute, BadPagesAreNotFoundAndBrokenRequestsAreBad)
{
    for (const char* target : {"/page/0", "/page/-1", "/page/abc", "/page/02", "/page/", "/page/99999999",
                               "/page/2/x", "/2016/5/12/a/", "/wp-content/uploads/2016/05/", "/favicon.ico",
                               "/page/1e3", "/page/%30"})
        EXPECT_EQ(SiteRoute::parse(target).kind, Kind::NotFound) << target;
    EXPECT_EQ(SiteRoute::parse("/page/2/?s=%32").kind, Kind::Search);
    for (const std::string& target : {std::string("/?s=%zz"), std::string("/?s=%4"), std::string("/?s=%"),
                                     std::string("/page/%G1"), std::string("/?s=%ff%fe"), std::string("page/2"),
                                     std::string(""), "/?s=" + std::string(5000, 'a')})
        EXPECT_EQ(SiteRoute::parse(target).kind, Kind::BadRequest) << target.substr(0, 40);
}

TEST(SiteOptions, ParsesEveryOptionAndRefusesBadInput)
{
    QString error;
    auto o = SiteOptions::parse({"--port", "8123", "--icons", "/a", "--icons", "/b", "--synthetic", "40", "--log",
                                 "/tmp/x.log", "--latency-ms", "200", "--faults", "stall,thumb-404"},
                                &error);
    ASSERT_TRUE(o) << error.toStdString();
    EXPECT_EQ(o->port, 8123);
    EXPECT_EQ(o->iconFolders, QStringList({"/a", "/b"}));
    EXPECT_EQ(o->synthetic, 40);
    EXPECT_EQ(o->logFile, "/tmp/x.log");
    EXPECT_EQ(o->latencyMs, 200);
    EXPECT_TRUE(o->faults.has(Fault::Stall));
    EXPECT_TRUE(o->faults.has(Fault::ThumbNotFound));
    EXPECT_FALSE(o->faults.has(Fault::Reset));

    for (const QStringList& bad : {QStringList{"--synthetic", "10", "--faults", "thumb-404,nope"},
                                   QStringList{"--synthetic", "10", "--port", "70000"},
                                   QStringList{"--synthetic", "0"}, QStringList{"--synthetic"},
                                   QStringList{"--synthetic", "10", "--latency-ms", "-5"},
                                   QStringList{"--synthetic", "10", "--bogus", "1"}, QStringList{}}) {
        error.clear();
        EXPECT_FALSE(SiteOptions::parse(bad, &error)) << bad.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
    SiteOptions::parse({"--synthetic", "10", "--faults", "nope"}, &error);
    EXPECT_TRUE(error.contains("nope"));
}

TEST(FaultSet, EachKnownNameSelectsExactlyOneFault)
{
    const QStringList names = FaultSet::knownNames();
    EXPECT_EQ(names.size(), 13);
    for (const QString& name : names) {
        const auto set = FaultSet::parse(name);
        ASSERT_TRUE(set) << name.toStdString();
        int selected = 0;
        for (int f = 0; f <= int(Fault::FullNotFound); ++f)
            selected += set->has(Fault(f));
        EXPECT_EQ(selected, 1) << name.toStdString();
    }
    EXPECT_TRUE(FaultSet::parse("")->empty());
    EXPECT_FALSE(FaultSet::parse("Thumb-404"));
    EXPECT_FALSE(FaultSet::hits(0));
    EXPECT_TRUE(FaultSet::hits(6));
    EXPECT_FALSE(FaultSet::hits(7));
    EXPECT_TRUE(FaultSet::hits(13));
}

TEST(FaultyBytes, BrokenBodiesAreWhatTheirNamesSay)
{
    QByteArray bomb = FaultyBytes::bomb();
    QBuffer buffer(&bomb);
    QImageReader reader(&buffer, "png");
    EXPECT_EQ(reader.size(), QSize(100000, 100000));
    EXPECT_TRUE(reader.read().isNull());  // the decoder refuses the declared allocation

    QByteArray garbage = FaultyBytes::garbage();
    EXPECT_GE(garbage.size(), 2);
    EXPECT_TRUE(QImage::fromData(garbage).isNull());

    QImage img(40, 30, QImage::Format_ARGB32);
    img.fill(qRgba(10, 200, 30, 128));
    QByteArray png;
    QBuffer out(&png);
    out.open(QIODevice::WriteOnly);
    img.save(&out, "png");
    const QByteArray half = FaultyBytes::truncated(png);
    EXPECT_EQ(half.size(), png.size() / 2);
    EXPECT_TRUE(png.startsWith(half));
}

TEST(RequestLog, LinesHaveFiveFieldsEvenForHostileTargets)
{
    EXPECT_EQ(RequestLog::line("GET", "/?s=arrow", 200, 18234, 3), "GET /?s=arrow 200 18234 3\n");
    EXPECT_EQ(RequestLog::line("GET", "/a b\x01", 404, 0, 12), "GET /a%20b%01 404 0 12\n");
    EXPECT_EQ(RequestLog::line("", "", 400, 5, 0), "- - 400 5 0\n");
}
