#include "ExportTestUtil.h"
#include "export/IconDownloadFlow.h"
#include "platform/AppPaths.h"
#include "platform/HeldHttpServer.h"
#include "platform/SiteAddress.h"
#include "platform/Transfer.h"

#include "support/ScriptedDialogs.h"
#include "support/SiteProcess.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int kWaitMs = 20000;

// Reads the site's front page and returns the thumbnail names it shows.
QStringList thumbnailsOn(const QString& base)
{
    Transfer transfer;
    QSignalSpy done(&transfer, &Transfer::finished);
    transfer.get(QUrl(base));
    if (!done.wait(kWaitMs) || !done.first().at(0).toBool())
        return {};
    const QString html = QString::fromUtf8(done.first().at(1).toByteArray());
    QStringList names;
    static const QRegularExpression thumb("wp-content/uploads/\\d{4}/\\d{2}/([^\"/]+-150x150\\.png)");
    for (const auto& m : thumb.globalMatch(html))
        names << m.captured(1);
    return names;
}

class DownloadFlow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        AppPaths::setRoot(dir.filePath("app"));
        AppPaths::ensureLayout();
        oldBase = SiteAddress::base();
    }
    void TearDown() override
    {
        SiteAddress::setBase(oldBase);
        AppPaths::setRoot({});
    }
    QString out(const QString& name) const { return dir.filePath(name); }
    static QStringList downloads() { return QDir(AppPaths::downloads()).entryList(QDir::Files); }
    static void writeFile(const QString& path, const QByteArray& bytes)
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    static QByteArray readFile(const QString& path)
    {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QTemporaryDir dir;
    QString oldBase;
    ScriptedDialogs dialogs;
};

} // namespace

TEST_F(DownloadFlow, FetchesThenSavesAndReusesTheDownload)
{
    SiteProcess site({"--synthetic", "5"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    ASSERT_TRUE(SiteAddress::setBase(site.baseUrl()));
    const QStringList thumbs = thumbnailsOn(site.baseUrl());
    ASSERT_FALSE(thumbs.isEmpty());

    IconDownloadFlow flow(dialogs, nullptr);
    QSignalSpy finished(&flow, &IconDownloadFlow::downloadFinished);
    QSignalSpy saved(&flow, &IconDownloadFlow::saved);
    dialogs.saveAnswer = out("icon.GIF");
    flow.start(thumbs.first());
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, kWaitMs);
    EXPECT_EQ(finished.count(), 1);
    EXPECT_EQ(saved.first().at(0).toString(), out("icon.GIF"));
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_EQ(dialogs.asked[0], "save:Open File...|PNG Portable Network Graphics (*.PNG) (*.png);;"
                                "JPEG Files (*.JPG;*.JPEG) (*.jpg *.jpeg);;"
                                "BMP Windows Bitmap (*.BMP;*.DIB;*.RLE) (*.bmp *.dib *.rle);;"
                                "EMF Windows Enhanced Metafile (*.EMF) (*.emf);;GIF CompuServe GIF (*.GIF) (*.gif);;"
                                "TIFF Tag Image File Format (*.TIF;*.TIFF) (*.tif *.tiff);;"
                                "WMF Windows Metafile (*.WMF) (*.wmf)");
    QString full = thumbs.first();
    full.remove("-150x150");
    EXPECT_EQ(downloads(), QStringList{full});
    EXPECT_EQ(QImage(flow.downloadPath()).size(), QSize(512, 512));
    const auto gif = ExportTestUtil::readGif(out("icon.GIF"));  // upper-case extension is still GIF
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.width, 512);

    // A second press reuses the file on disk: a stand-in of another size shows it was not refetched.
    ASSERT_TRUE(QImage(QImage(20, 20, QImage::Format_RGB32)).save(flow.downloadPath(), "PNG"));
    dialogs.saveAnswer = out("again.png");
    flow.start(thumbs.first());
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 2, kWaitMs);
    EXPECT_EQ(QImage(out("again.png")).size(), QSize(20, 20));
    EXPECT_EQ(finished.count(), 2);

    // Cancelling the dialog writes nothing and asks nothing more.
    dialogs.saveAnswer.clear();
    dialogs.asked.clear();
    flow.start(thumbs.first());
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.asked.size() == 1, kWaitMs);
    EXPECT_FALSE(flow.isPolling());
    EXPECT_EQ(saved.count(), 2);
}

TEST_F(DownloadFlow, OverwriteQuestionNeverLosesTheExistingFile)
{
    const QString thumb = "201511ab-150x150.png";
    QImage small(12, 12, QImage::Format_ARGB32);
    small.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(small.save(AppPaths::downloads() + "/201511ab.png"));
    IconDownloadFlow flow(dialogs, nullptr);
    QSignalSpy saved(&flow, &IconDownloadFlow::saved);

    // Cancel keeps the file.
    writeFile(out("keep.png"), "old contents");
    dialogs.saveAnswer = out("keep.png");
    dialogs.confirmAnswer = false;
    flow.start(thumb);
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.asked.size() == 2, kWaitMs);
    EXPECT_EQ(dialogs.asked[1], "confirm:Warning|Image already exists, overwrite it?");
    EXPECT_EQ(readFile(out("keep.png")), "old contents");

    // OK with an export that fails (12 pixels are too few for an icon) keeps the old file too.
    writeFile(out("keep.ico"), "old icon");
    dialogs.asked.clear();
    dialogs.saveAnswer = out("keep.ico");
    dialogs.confirmAnswer = true;
    flow.start(thumb);
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.asked.size() == 3, kWaitMs);
    EXPECT_TRUE(dialogs.asked[2].startsWith("inform:")) << dialogs.asked[2].toStdString();
    EXPECT_EQ(readFile(out("keep.ico")), "old icon");
    EXPECT_EQ(QDir(dir.path()).entryList({"*keep*"}, QDir::Files).size(), 2);  // no stray temporary file

    // OK with a working export replaces it.
    dialogs.saveAnswer = out("keep.png");
    flow.start(thumb);
    QTRY_COMPARE_WITH_TIMEOUT(saved.count(), 1, kWaitMs);
    EXPECT_EQ(QImage(out("keep.png")).pixel(0, 0), qRgb(1, 2, 3));
}

TEST_F(DownloadFlow, FailedFetchesAndUnreadableFilesAreReported)
{
    SiteProcess site({"--synthetic", "5", "--faults", "full-404"});
    ASSERT_TRUE(site.isReady()) << site.errorText().toStdString();
    ASSERT_TRUE(SiteAddress::setBase(site.baseUrl()));
    const QStringList thumbs = thumbnailsOn(site.baseUrl());
    ASSERT_FALSE(thumbs.isEmpty());

    IconDownloadFlow flow(dialogs, nullptr);
    QSignalSpy finished(&flow, &IconDownloadFlow::downloadFinished);
    dialogs.saveAnswer = out("x.png");
    flow.start(thumbs.first());
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].startsWith("inform:Pictomine|The icon could not be downloaded"));
    EXPECT_FALSE(flow.isPolling());
    EXPECT_TRUE(downloads().isEmpty());

    // A downloaded file that is not an image gets its own message and nothing is written.
    writeFile(AppPaths::downloads() + "/201511junk.png", "not a picture");
    dialogs.asked.clear();
    flow.start("201511junk-150x150.png");
    QTRY_VERIFY_WITH_TIMEOUT(dialogs.asked.size() == 2, kWaitMs);
    EXPECT_TRUE(dialogs.asked[1].contains("could not be read")) << dialogs.asked[1].toStdString();
    EXPECT_FALSE(QFile::exists(out("x.png")));

    // A name that would leave the downloads folder is refused before any request.
    dialogs.asked.clear();
    flow.start("2015/../../../evil-150x150.png");
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].contains("not a usable file name"));
    EXPECT_EQ(finished.count(), 3);
}

TEST_F(DownloadFlow, ACutDownloadNeverBecomesTheReusedCopy)
{
    HeldHttpServer server;
    ASSERT_TRUE(server.isListening());
    ASSERT_TRUE(SiteAddress::setBase(server.url("/")));
    IconDownloadFlow flow(dialogs, nullptr);
    QSignalSpy finished(&flow, &IconDownloadFlow::downloadFinished);
    const QByteArray path = "/wp-content/uploads/2015/11/201511ab.png";

    flow.start("201511ab-150x150.png");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(path), kWaitMs);
    EXPECT_TRUE(finished.isEmpty());  // asynchronous: the press returns while the fetch runs
    ASSERT_TRUE(server.cut(path));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 1, kWaitMs);
    EXPECT_TRUE(downloads().isEmpty());
    EXPECT_TRUE(dialogs.asked.value(0).contains("could not be downloaded"));

    // A one-byte reply counts as a failed fetch as well.
    dialogs.asked.clear();
    flow.start("201511ab-150x150.png");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(path), kWaitMs);
    ASSERT_TRUE(server.answer(path, 200, "x"));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 2, kWaitMs);
    EXPECT_TRUE(downloads().isEmpty());
    EXPECT_EQ(dialogs.asked.size(), 1);

    // A fetched icon that cannot be stored is reported as such, and no dialog follows.
    ASSERT_TRUE(QDir(AppPaths::downloads()).removeRecursively());
    dialogs.asked.clear();
    flow.start("201511ab-150x150.png");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending(path), kWaitMs);
    ASSERT_TRUE(server.answer(path, 200, QByteArray(100, 'p')));
    QTRY_COMPARE_WITH_TIMEOUT(finished.count(), 3, kWaitMs);
    ASSERT_EQ(dialogs.asked.size(), 1);
    EXPECT_TRUE(dialogs.asked[0].contains("could not be stored")) << dialogs.asked[0].toStdString();
    EXPECT_FALSE(flow.isPolling());
}
