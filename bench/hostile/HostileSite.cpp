#include "HostileSite.h"

#include <QBuffer>
#include <QImage>
#include <QtEndian>

#include <httplib.h>

#include <algorithm>

namespace
{

QByteArray png(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(qRgb(40, 120, 200));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return buffer.data();
}

// 9 levels of groups that each use the level below 10 times: 10^9 rectangles to draw.
QByteArray svgNestedUse()
{
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' xmlns:xlink='http://www.w3.org/1999/xlink' "
                     "width='4000' height='4000'><defs><rect id='a0' width='4000' height='4000' fill='red'/>";
    for (int level = 1; level <= 9; ++level) {
        svg += "<g id='a" + QByteArray::number(level) + "'>";
        for (int k = 0; k < 10; ++k)
            svg += "<use xlink:href='#a" + QByteArray::number(level - 1) + "'/>";
        svg += "</g>";
    }
    return svg + "</defs><use xlink:href='#a9'/></svg>";
}

QByteArray svgLargeRects()
{
    QByteArray svg = "<svg xmlns='http://www.w3.org/2000/svg' width='20000' height='20000'>";
    for (int k = 0; k < 2000; ++k)
        svg += "<rect x='" + QByteArray::number(k) + "' width='19000' height='19000' fill='#" +
               QByteArray::number(0x100000 + k * 37, 16) + "'/>";
    return svg + "</svg>";
}

QByteArray manyAttributes(int n)
{
    QByteArray html = "<a href='/x/'";
    for (int i = 0; i < n; ++i)
        html += " d" + QByteArray::number(i) + "='v'";
    return html + ">x</a>";
}

QByteArray nestedDivsAndStrayParagraphEnds(int divs, int strayEnds)
{
    return QByteArray("<div>").repeated(divs) + QByteArray("</p>").repeated(strayEnds);
}

// A run-length BMP of 90 bytes whose header claims 6,000 x 5,300 pixels.
QByteArray rleBmp()
{
    QByteArray bmp(90, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(90, bmp.data() + 2);
    qToLittleEndian<quint32>(54 + 8, bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(6000, bmp.data() + 18);
    qToLittleEndian<qint32>(5300, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(8, bmp.data() + 28);
    qToLittleEndian<quint32>(1, bmp.data() + 30); // BI_RLE8
    qToLittleEndian<quint32>(2, bmp.data() + 46); // two colours
    return bmp;
}
} // namespace

HostileSite::HostileSite() : m_server(std::make_unique<httplib::Server>())
{
    const QByteArray normal = png(150, 150);
    add("normal", "30 posts with 150 x 150 PNG pictures", {}, normal);
    add("svg-nested-use", "30 SVG pictures of 1.9 KB named .png, 10^9 nested uses", {}, svgNestedUse());
    add("svg-large-rects", "SVG pictures of 2,000 large rectangles named .png", {}, svgLargeRects());
    add("rle-bmp", "90-byte RLE BMP pictures claiming 31.8 million pixels", {}, rleBmp());
    add("large-png", "30 PNG pictures of 4096 x 1024", {}, png(4096, 1024));
    add("attributes-50k", "a tag with 50,000 attributes", manyAttributes(50000), normal);
    add("attributes-100k", "a tag with 100,000 attributes", manyAttributes(100000), normal);
    add("implied-paragraphs", "19,000 nested divs and 300,000 stray </p> (1.3 MB)",
        nestedDivsAndStrayParagraphEnds(19000, 300000), normal);
    add("implied-paragraphs-8mb", "19,000 nested divs and 2,000,000 stray </p> (8.1 MB)",
        nestedDivsAndStrayParagraphEnds(19000, 2000000), normal);
    addStreaming("endless-thumbnails", "30 pictures that each stream without end", 30, 0);
    addStreaming("thumbnails-500mb", "12 pictures that each declare and stream 500 MB", 12,
                 qint64(500) << 20);

    m_server->Get(R"(/([^/]+)/(t/\d+\.png)?)",
                  [this](const httplib::Request& request, httplib::Response& response) {
                      const auto found = m_cases.find(QString::fromStdString(request.matches[1]));
                      if (found == m_cases.end()) {
                          response.status = 404;
                          return;
                      }
                      const bool picture = request.matches[2].length() > 0;
                      if (picture && found->second.streamed >= 0) {
                          stream(found->second.streamed, response);
                          return;
                      }
                      const QByteArray& body = picture ? found->second.picture : found->second.page;
                      response.set_content(body.toStdString(), "application/octet-stream");
                  });
    // As a production server does: answers are not held back waiting for acknowledgements.
    m_server->set_tcp_nodelay(true);
    m_port = m_server->bind_to_any_port("127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
}

HostileSite::~HostileSite()
{
    m_server->stop();
    m_thread.join();
}

void HostileSite::add(const QString& name, const QString& description, const QByteArray& hostileMarkup,
                      const QByteArray& picture, int posts)
{
    QByteArray page = "<html><body>" + hostileMarkup;
    for (int k = 0; k < posts; ++k) {
        const QByteArray link = "/" + name.toUtf8() + "/2016/01/01/icon-" + QByteArray::number(k) + "/";
        page += "<a href='" + link + "'><img src='/" + name.toUtf8() + "/t/" + QByteArray::number(k) +
                ".png'></a><a href='" + link + "'>icon " + QByteArray::number(k) + "</a>";
    }
    m_cases[name] = {description, page + "</body></html>", picture};
    m_order << name;
}

void HostileSite::addStreaming(const QString& name, const QString& description, int posts, qint64 length)
{
    add(name, description, {}, {}, posts);
    m_cases[name].streamed = length;
}

// A PNG signature, then filler, sent as fast as the client takes it until the length is reached
// or, without one, until the client goes.
void HostileSite::stream(qint64 length, httplib::Response& response)
{
    static const std::string block = [] {
        std::string b(64 * 1024, 'x');
        b.replace(0, 8, "\x89PNG\r\n\x1a\n");
        return b;
    }();
    if (length == 0) {
        response.set_chunked_content_provider("image/png", [](size_t, httplib::DataSink& sink) {
            return sink.write(block.data(), block.size());
        });
        return;
    }
    response.set_content_provider(size_t(length), "image/png",
                                  [](size_t, size_t left, httplib::DataSink& sink) {
                                      return sink.write(block.data(), std::min(left, block.size()));
                                  });
}

QStringList HostileSite::cases() const
{
    return m_order;
}

QString HostileSite::describe(const QString& name) const
{
    return m_cases.at(name).description;
}

QString HostileSite::baseUrl(const QString& name) const
{
    return QStringLiteral("http://127.0.0.1:%1/%2/").arg(m_port).arg(name);
}
