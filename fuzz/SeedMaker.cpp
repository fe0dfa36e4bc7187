// Writes the seed corpora of the fuzz targets into the folder given on the command line:
// page/, thumbnail/, keywords/ and bmp/, each a few small, valid or typical inputs.

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <cstdio>

namespace
{
bool write(const QString& folder, const QString& name, const QByteArray& bytes)
{
    QDir().mkpath(folder);
    QFile file(folder + '/' + name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QImage picture(int w, int h, QImage::Format format)
{
    QImage image(w, h, QImage::Format_ARGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgba(x * 255 / w, y * 255 / h, 90, x < w / 2 ? 255 : 128));
    return image.convertToFormat(format);
}

QByteArray encoded(const QImage& image, const char* format)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return buffer.data();
}

// A result page in the shape the catalogue serves: posts linked twice, one picture each.
QByteArray resultPage()
{
    QByteArray page =
        "<!DOCTYPE html><html><head><base href='http://127.0.0.1:8123/'><title>Icons</title></head>"
        "<body><header><a href='/'>Home</a><form action='/'><input name='s'></form></header>";
    for (int k = 0; k < 6; ++k) {
        const QByteArray n = QByteArray::number(k);
        const QByteArray link = "http://127.0.0.1:8123/2016/0" + n + "/1" + n + "/arrow-" + n + "-icon/";
        page += "<article><a href='" + link + "'><img src='wp-content/uploads/2016/0" + n + "/arrow" + n +
                "icon-150x150.png' alt='a'></a><h2><a href='" + link + "'>Arrow " + n + "</a></h2></article>";
    }
    return page + "<nav><a href='/page/2'>Older</a></nav></body></html>";
}

// An 8-bit run-length BMP of 4 x 2 pixels.
QByteArray rleBmp()
{
    const QByteArray pixels("\x04\x01\x04\x00\x00\x00\x04\x01\x00\x01", 10);
    QByteArray bmp(54 + 8, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size() + pixels.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(54 + 8, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(4, bmp.data() + 18);
    qToLittleEndian<qint32>(2, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(8, bmp.data() + 28);
    qToLittleEndian<quint32>(1, bmp.data() + 30);
    qToLittleEndian<quint32>(quint32(pixels.size()), bmp.data() + 34);
    qToLittleEndian<quint32>(2, bmp.data() + 46);
    bmp[58] = char(0xFF); // second colour: blue
    return bmp + pixels;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds FOLDER\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QString root = QString::fromLocal8Bit(argv[1]);
    bool ok = write(root + "/page", "result-page.html", resultPage()) &&
              write(root + "/page", "broken.html", "<table><a href='/2015/a'><tr><b><i></b><img src=x") &&
              write(root + "/page", "escapes.html", "<a href='/2016/a%20b/'><img src='g%20h.png'></a>");
    for (const char* format : {"png", "jpeg", "bmp", "webp"})
        ok = ok && write(root + "/thumbnail", QString("thumb.") + format,
                         encoded(picture(24, 16, QImage::Format_ARGB32), format));
    ok = ok && write(root + "/thumbnail", "thumb.gif",
                     QByteArray::fromBase64("R0lGODlhAgACAPAAAMgeCgAA/yH5BAAAAAAALAAAAAACAAIAAAIChFEAOw=="));
    ok =
        ok && write(root + "/thumbnail", "vector.svg", "<svg xmlns='http://www.w3.org/2000/svg' width='9'/>");
    ok = ok && write(root + "/keywords", "GoodLuck.txt", "arrow#3\r\nflag#1\r\n#1\r\nc##2\r\nmail box#x\r\n");
    ok = ok && write(root + "/keywords", "ten.txt", QByteArray("k#1\r\n").repeated(12));
    const std::pair<const char*, QImage::Format> depths[] = {{"mono", QImage::Format_Mono},
                                                             {"indexed", QImage::Format_Indexed8},
                                                             {"rgb24", QImage::Format_RGB888},
                                                             {"argb32", QImage::Format_ARGB32}};
    for (const auto& [name, format] : depths)
        ok = ok && write(root + "/bmp", QString(name) + ".bmp", encoded(picture(7, 5, format), "bmp"));
    ok = ok && write(root + "/bmp", "rle8.bmp", rleBmp());
    if (!ok) {
        std::fprintf(stderr, "fuzz_seeds: cannot write the seeds under %s\n", argv[1]);
        return 1;
    }
    return 0;
}
