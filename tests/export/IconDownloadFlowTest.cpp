#include "export/IconDownloadFlow.h"
#include "ExportTestUtil.h"
#include "export/DownloadNames.h"
#include "export/FileTypeCode.h"
#include "export/ImageSaver.h"
#include "platform/BusyPointer.h"
#include "platform/HeldHttpServer.h"
#include "platform/SiteAddress.h"
#include "platform/UserSettings.h"
#include "support/WaitFor.h"

#include "support/ScriptedDialogs.h"

#include <QBuffer>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QSettings>
#include <QSignalSpy>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace
{

constexpr int kWaitMs = 20000;
const QByteArray kPath = "/wp-content/uploads/2015/11/201511ab.png";
const QString kThumb = "201511ab-150x150.png";

// A 20 x 20 PNG of one colour.
QByteArray png(QRgb colour)
{
    QImage icon(20, 20, QImage::Format_RGB32);
    icon.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    icon.save(&buffer, "PNG");
    return bytes;
}

class DownloadFlow : public ExportTestUtil::AppFolder
{
protected:
    void SetUp() override
    {
        AppFolder::SetUp();
        ASSERT_TRUE(site.setBase(server.url("/")));
    }
    QStringList downloads() const { return QDir(paths.downloads()).entryList(QDir::Files, QDir::Name); }

    ScriptedDialogs dialogs;
    HeldHttpServer server;
    BusyPointer pointer;
    SiteAddress site;
    const UserSettings settings{out("config/pictomine.conf")};
    IconDownloadFlow flow{dialogs, pointer, FileWriter::system(), paths, site, settings, nullptr};
    QSignalSpy finished{&flow, &IconDownloadFlow::downloadFinished};
    QSignalSpy saved{&flow, &IconDownloadFlow::saved};
};

} // namespace

TEST_F(DownloadFlow, FetchesSavesReusesAndNeverLosesTheExistingFile)
{
    server.autoAnswer = [](const QByteArray&) { return std::pair{200, png(qRgb(9, 99, 199))}; };
    dialogs.saveAnswer = out("icon.GIF");
    flow.start(kThumb);
    WAIT_EQ(saved.count(), 1, kWaitMs);
    // Every format offered, each label with its patterns once; the downloaded file's name
    // suggested under its own format's entry, in the pictures folder (or home) the first time.
    EXPECT_EQ(dialogs.asked.value(0), "save:Open File...|PNG Portable Network Graphics (*.png);;"
                                      "JPEG Files (*.jpg *.jpeg);;BMP Windows Bitmap (*.bmp *.dib *.rle);;"
                                      "EMF Windows Enhanced Metafile (*.emf);;GIF CompuServe GIF (*.gif);;"
                                      "ICO Windows Icon (*.ico);;TIFF Tag Image File Format (*.tif *.tiff);;"
                                      "WMF Windows Metafile (*.wmf)");
    EXPECT_EQ(dialogs.lastSave.fileName, "201511ab.png");
    EXPECT_EQ(dialogs.lastSave.selectedFilter, "PNG Portable Network Graphics (*.png)");
    EXPECT_TRUE(QFileInfo(dialogs.lastSave.folder).isDir()) << dialogs.lastSave.folder.toStdString();
    EXPECT_EQ(downloads(), QStringList{"201511ab.png"});
    EXPECT_EQ(ExportTestUtil::readGif(out("icon.GIF")).colorAt(19, 19), qRgb(9, 99, 199)); // still GIF

    // Later presses reuse the file on disk (a stand-in of another colour shows what was saved),
    // and open in the folder of the last save, remembered in the user's settings.
    QImage stand(12, 12, QImage::Format_RGB32);
    stand.fill(qRgb(1, 2, 3));
    ASSERT_TRUE(stand.save(flow.downloadPath(), "PNG"));

    // Cancel at the overwrite question, which names the file, keeps it.
    QImage old(3, 3, QImage::Format_RGB32);
    old.fill(qRgb(7, 8, 9));
    ASSERT_TRUE(old.save(out("keep.png"), "PNG"));
    dialogs.asked.clear();
    dialogs.saveAnswer = out("keep.png");
    flow.start(kThumb);
    WAIT_EQ(dialogs.asked.size(), 2, kWaitMs);
    EXPECT_EQ(dialogs.lastSave.folder, dir.path());
    EXPECT_EQ(settings.value(IconDownloadFlow::kFolderKey), dir.path());
    EXPECT_TRUE(QFile::exists(settings.fileName()));
    EXPECT_EQ(dialogs.asked[1], "confirm:Warning|Image \"keep.png\" already exists in " +
                                    QDir::toNativeSeparators(dir.path()) + ", overwrite it?");
    EXPECT_EQ(QImage(out("keep.png")), old);

    // OK with an export that fails (a 12 x 12 picture makes no icon) keeps the old file too.
    ASSERT_TRUE(old.save(out("keep.ico"), "PNG"));
    dialogs.saveAnswer = out("keep.ico");
    dialogs.confirmAnswer = true;
    flow.start(kThumb);
    WAIT_EQ(dialogs.asked.size(), 5, kWaitMs);
    EXPECT_TRUE(dialogs.asked[4].startsWith("inform:") && dialogs.asked[4].contains("16 x 16"))
        << dialogs.asked[4].toStdString();
    EXPECT_EQ(QImage(out("keep.ico")), old);

    // OK with a working export replaces it, from the copy on disk.
    dialogs.saveAnswer = out("keep.png");
    flow.start(kThumb);
    WAIT_EQ(saved.count(), 2, kWaitMs);
    EXPECT_EQ(QImage(out("keep.png")).pixel(11, 11), qRgb(1, 2, 3));
    EXPECT_EQ(std::count(server.log.begin(), server.log.end(), "request " + kPath), 1);

    // The metafiles are written too.
    for (const char* name : {"icon.emf", "icon.wmf"}) {
        dialogs.saveAnswer = out(name);
        flow.start(kThumb);
        WAIT_UNTIL(QFile::exists(out(name)), kWaitMs);
    }
    WAIT_EQ(saved.count(), 4, kWaitMs);
    EXPECT_TRUE(ExportTestUtil::fileType(out("icon.emf")).startsWith("Windows Enhanced Metafile"));
    EXPECT_TRUE(ExportTestUtil::fileType(out("icon.wmf")).contains("metafile"));
}

TEST_F(DownloadFlow, DownloadsStayWithinTheBound)
{
    // Downloads of one size each (a picture that compresses badly, so that the folder's record
    // weighs little beside it), the bound 2.7 of them; the user's own file is never the client's
    // to remove.
    QImage noise(32, 32, QImage::Format_RGB32);
    quint32 seed = 1;
    for (int y = 0; y < noise.height(); ++y)
        for (int x = 0; x < noise.width(); ++x)
            noise.setPixel(x, y, seed = seed * 1664525u + 1013904223u);
    QByteArray icon;
    QBuffer buffer(&icon);
    ASSERT_TRUE(buffer.open(QIODevice::WriteOnly) && noise.save(&buffer, "PNG"));
    ASSERT_GT(icon.size(), 1000);
    server.autoAnswer = [icon](const QByteArray&) { return std::pair{200, icon}; };
    QFile mine(paths.downloads() + "/mine.bin");
    ASSERT_TRUE(mine.open(QIODevice::WriteOnly) && mine.write(icon.left(icon.size() / 2)) == icon.size() / 2);
    mine.close();
    flow.setDownloadBound(icon.size() * 27 / 10);
    const auto download = [&](const char* n) {
        const qsizetype before = finished.count();
        flow.start(QString("201511%1-150x150.png").arg(n));
        WAIT_EQ(finished.count(), before + 1, kWaitMs);
        WAIT_UNTIL(!flow.isPolling(), kWaitMs); // the save dialog was shown and cancelled
    };
    const auto file = [](const char* n) { return QString("201511%1.png").arg(n); };
    for (const char* n : {"a1", "a2", "a3"})
        download(n);
    // Over the bound with the third: the least recently used goes.
    EXPECT_EQ(downloads(), (QStringList{file("a2"), file("a3"), "mine.bin"}));
    download("a2"); // used again: a3 is now the least recently used
    download("a4");
    EXPECT_EQ(downloads(), (QStringList{file("a2"), file("a4"), "mine.bin"}));
    // A download on the clipboard stays; the next least recently used goes instead.
    auto* copied = new QMimeData;
    copied->setUrls({QUrl::fromLocalFile(paths.downloads() + "/" + file("a2"))});
    QGuiApplication::clipboard()->setMimeData(copied);
    download("a5");
    EXPECT_EQ(downloads(), (QStringList{file("a2"), file("a5"), "mine.bin"}));
    QGuiApplication::clipboard()->clear();
}

TEST_F(DownloadFlow, FailedAndUnstorableFetchesAreNeverUsed)
{
    // An error status, a cut connection and a one-byte reply are failed fetches; an error page or
    // a picture cut short served as a success is no picture; a fetched icon that cannot be stored
    // (no downloads folder) is reported as such. None leaves a file, a save dialog or a poll behind.
    const std::tuple<std::function<bool()>, const char*> cases[] = {
        {[&] { return server.answer(kPath, 404, "<html>Not found</html>"); }, "could not be downloaded"},
        {[&] { return server.cut(kPath); }, "could not be downloaded"},
        {[&] { return server.answer(kPath, 200, "x"); }, "could not be downloaded"},
        {[&] { return server.answer(kPath, 200, "<html>Server error</html>"); },
         "is not a picture that can be read"},
        {[&] { return server.answer(kPath, 200, png(qRgb(1, 2, 3)).left(60)); },
         "is not a picture that can be read"},
        {[&] {
             return QDir(paths.downloads()).removeRecursively() &&
                    server.answer(kPath, 200, png(qRgb(1, 2, 3)));
         },
         "could not be stored"},
    };
    for (const auto& [reply, message] : cases) {
        const qsizetype before = finished.count();
        dialogs.asked.clear();
        flow.start(kThumb);
        WAIT_UNTIL(server.isPending(kPath), kWaitMs);
        EXPECT_EQ(finished.count(), before); // asynchronous: the press returns while the fetch runs
        ASSERT_TRUE(reply());
        WAIT_EQ(finished.count(), before + 1, kWaitMs);
        EXPECT_TRUE(downloads().isEmpty());
        EXPECT_EQ(dialogs.asked.size(), 1);
        EXPECT_TRUE(dialogs.asked.value(0).contains(message)) << dialogs.asked.value(0).toStdString();
        EXPECT_FALSE(flow.isPolling());
    }
}

TEST_F(DownloadFlow, AStoredDownloadThatNoLongerDecodesIsFetchedAgain)
{
    const QByteArray good = png(qRgb(9, 99, 199));
    server.autoAnswer = [good](const QByteArray&) { return std::pair{200, good}; };
    const QString stored = paths.downloads() + "/201511ab.png";
    // An error page kept by an earlier version, and a picture cut after its header.
    int presses = 0;
    for (const QByteArray& bad : {QByteArray("<html>Bad gateway</html>"), good.left(good.size() / 2)}) {
        QFile file(stored);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bad) == bad.size());
        file.close();
        flow.start(kThumb); // the save dialog is cancelled
        ++presses;
        WAIT_EQ(dialogs.asked.size(), presses, kWaitMs);
        EXPECT_TRUE(dialogs.asked.last().startsWith("save:")) << dialogs.asked.last().toStdString();
        EXPECT_EQ(std::count(server.log.begin(), server.log.end(), "request " + kPath), presses);
        QFile now(stored);
        ASSERT_TRUE(now.open(QIODevice::ReadOnly));
        EXPECT_EQ(now.readAll(), good);
    }
    // A dangling link in the downloads folder is replaced by the download; nothing is made where it led.
    ASSERT_TRUE(QFile::remove(stored) && QFile::link(out("outside.png"), stored));
    flow.start(kThumb);
    ++presses;
    WAIT_EQ(dialogs.asked.size(), presses, kWaitMs);
    EXPECT_FALSE(QFileInfo(stored).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(out("outside.png")));
    {
        QFile now(stored);
        ASSERT_TRUE(now.open(QIODevice::ReadOnly));
        EXPECT_EQ(now.readAll(), good);
    }
}

TEST_F(DownloadFlow, CancelAbandonsTheFetchAndItsSave)
{
    flow.start(kThumb);
    WAIT_UNTIL(server.isPending(kPath), kWaitMs);
    EXPECT_EQ(pointer.shape(), BusyPointer::Shape::Hourglass);
    flow.cancel();
    // The request is dropped (the site sees the connection go), the pointer is back, and no poll
    // is left to open the save dialog: nothing is stored or asked.
    WAIT_UNTIL(server.disconnects == 1 && !server.isPending(kPath), kWaitMs);
    EXPECT_FALSE(server.answer(kPath, 200, "late bytes"));
    EXPECT_EQ(pointer.shape(), BusyPointer::Shape::Default);
    EXPECT_FALSE(flow.isPolling());
    EXPECT_TRUE(downloads().isEmpty() && dialogs.asked.isEmpty());
}

TEST_F(DownloadFlow, LargePicturesExportOffTheWindowThreadWithinTheBound)
{
    // A 5,700 x 5,700 picture: the window's thread keeps turning while the export runs, under the
    // hourglass, and the GIF comes out whole.
    {
        QImage big(5700, 5700, QImage::Format_RGB32);
        big.fill(qRgb(0, 80, 20));
        QPainter(&big).fillRect(2850, 0, 2850, 5700, qRgb(198, 80, 230));
        ASSERT_TRUE(big.save(paths.downloads() + "/201511big.png", "PNG"));
    }
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        ticks += flow.isExporting() && pointer.shape() == BusyPointer::Shape::Hourglass;
    });
    timer.start(10);
    dialogs.saveAnswer = out("big.gif");
    flow.start("201511big-150x150.png");
    WAIT_EQ(saved.count(), 1, 120000);
    EXPECT_GE(ticks, 3);
    EXPECT_EQ(pointer.shape(), BusyPointer::Shape::Default);
    const auto gif = ExportTestUtil::readGif(out("big.gif"));
    ASSERT_EQ(gif.indices.size(), 5700 * 5700);
    EXPECT_EQ(gif.colorAt(5699, 5699), qRgb(198, 80, 230));
    EXPECT_EQ(gif.colorAt(0, 0), qRgb(0, 80, 20));

    // Beyond the bound, told by the header alone: a message naming the size, nothing written.
    // The file's name does not decide its format. (Content that is no raster picture is fetched
    // again: see AStoredDownloadThatNoLongerDecodesIsFetchedAgain.)
    const std::pair<QByteArray, const char*> cases[] = {
        {ExportTestUtil::gifHeader(40000, 40000), "The image is 40,000 x 40,000 pixels, too large to export"},
    };
    for (const auto& [bytes, says] : cases) {
        QFile file(paths.downloads() + "/201511huge.png");
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        file.close();
        dialogs.asked.clear();
        dialogs.saveAnswer = out("huge.png");
        flow.start("201511huge-150x150.png");
        WAIT_EQ(dialogs.asked.size(), 2, kWaitMs);
        EXPECT_TRUE(dialogs.asked[1].contains(says)) << dialogs.asked[1].toStdString();
        EXPECT_FALSE(QFile::exists(out("huge.png")));
    }
}

TEST(DownloadNamesTest, DerivedFromTheThumbnailName)
{
    // The size suffix is the last "-WIDTHxHEIGHT" right before the extension, whatever "-" the
    // name holds before it (WordPress turns spaces into "-" and numbers repeated names "-1"); a
    // name without one is the full-size name as it stands. Short names give short parts.
    // Characters with a meaning in addresses are encoded; an encoded name is sent as it was.
    const std::pair<const char*, const char*> cases[] = {
        {"201511ab-150x150.png", "2015|11|-150x150|201511ab.png|h/wp-content/uploads/2015/11/201511ab.png"},
        {"201611folder-adwaita-backup-150x150.png",
         "2016|11|-150x150|201611folder-adwaita-backup.png|h/wp-content/uploads/2016/11/"
         "201611folder-adwaita-backup.png"},
        {"201502home-1-150x150.png",
         "2015|02|-150x150|201502home-1.png|h/wp-content/uploads/2015/02/201502home-1.png"},
        {"201502wide-1024x576.jpeg",
         "2015|02|-1024x576|201502wide.jpeg|h/wp-content/uploads/2015/02/201502wide.jpeg"},
        {"201502bare-150x150", "2015|02|-150x150|201502bare|h/wp-content/uploads/2015/02/201502bare"},
        {"201403home.png", "2014|03||201403home.png|h/wp-content/uploads/2014/03/201403home.png"},
        {"201403home-1.pn", "2014|03||201403home-1.pn|h/wp-content/uploads/2014/03/201403home-1.pn"},
        {"201403a-150x15x.png",
         "2014|03||201403a-150x15x.png|h/wp-content/uploads/2014/03/201403a-150x15x.png"},
        {"201403a-150x150b-150x150.png",
         "2014|03|-150x150|201403a-150x150b.png|h/wp-content/uploads/2014/03/201403a-150x150b.png"},
        {"20", "20|||20|h/wp-content/uploads/20//20"},
        {"201511a b#c.png", "2015|11||201511a b#c.png|h/wp-content/uploads/2015/11/201511a%20b%23c.png"},
        {"201511a%20b.png", "2015|11||201511a%20b.png|h/wp-content/uploads/2015/11/201511a%20b.png"},
    };
    for (const auto& [thumb, parts] : cases) {
        const DownloadNames d = DownloadNames::derive(thumb);
        EXPECT_EQ(QStringList({d.year, d.month, d.sizeSuffix, d.fullFileName, d.fullSizeUrl("h/")}).join('|'),
                  parts);
    }
    // Only plain file names are used as downloads.
    EXPECT_TRUE(DownloadNames::derive("201511..ab.png").isPlainFileName());
    for (const char* bad : {"", "..", ".", "2015/../../etc.png", "2015\\x.png", "2015\nx.png", "-150x150"})
        EXPECT_FALSE(DownloadNames::derive(bad).isPlainFileName()) << bad;
}

TEST(FileTypeCodeTest, ExtensionTableIgnoresCase)
{
    // GIF, EMF and WMF are told apart by the export tests.
    const std::pair<const char*, int> table[] = {
        {"x.bmp x.dib x.rle x.xyz x.pngx /tmp/icon icon. /tmp/my.gif/icon", FileType::BMP},
        {"x.jpg x.jpeg x.JpEg", FileType::JPEG},
        {"x.tif x.tiff a.b.Tiff", FileType::TIFF},
        {"x.png /a/icon.PNG", FileType::PNG},
        {"x.ico x.ICO", FileType::ICO},
    };
    for (const auto& [paths, code] : table)
        for (const QString& path : QString(paths).split(' '))
            EXPECT_EQ(FileTypeCode::fromPath(path), code) << path.toStdString();
}

TEST_F(DownloadFlow, ASlowDownloadArrivesAndTellsHowMuchCame)
{
    // The icon comes in pieces 50 ms apart; the flow passes on each step with the declared size.
    QSignalSpy progress(&flow, &IconDownloadFlow::downloadProgress);
    const QByteArray icon = png(qRgb(30, 60, 90));
    flow.start(kThumb);
    WAIT_UNTIL(server.isPending(kPath), kWaitMs);
    ASSERT_TRUE(server.begin(kPath, icon.size()));
    qsizetype sent = 0;
    QTimer drip;
    QObject::connect(&drip, &QTimer::timeout, [&] {
        server.send(kPath, icon.mid(sent, 16));
        sent += 16;
    });
    drip.start(50);
    WAIT_EQ(finished.count(), 1, kWaitMs);
    EXPECT_EQ(downloads(), QStringList{"201511ab.png"});
    ASSERT_GE(progress.count(), 3);
    EXPECT_EQ(progress.last().at(0).toLongLong(), icon.size());
    EXPECT_EQ(progress.last().at(1).toLongLong(), icon.size());
}
