#pragma once

#include "catalogue-site/SiteResponder.h"
#include "catalogue-site/SyntheticIcons.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

// A catalogue of generated icons with its image store and the site's answers, in-process.
struct SiteFixture {
    explicit SiteFixture(int synthetic, const QStringList& faults = {},
                         const QString& siteBase = QStringLiteral("http://127.0.0.1:18123/"))
        : base(siteBase), catalogue(SyntheticIcons::entries(synthetic)), images(catalogue),
          responder(siteBase, catalogue, images, FaultSet::parse(faults.join(',')).value())
    {
    }
    [[nodiscard]] SiteAnswer get(const std::string& target) const { return responder.answer(target); }
    // The request target of one of the site's addresses.
    [[nodiscard]] std::string target(const QString& url) const
    {
        return url.mid(base.size() - 1).toStdString();
    }

    QString base;
    IconCatalogue catalogue;
    ImageStore images;
    SiteResponder responder;
};

// Writes a source file for the scanners, creating its folders.
inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

// An SVG page filled with one colour.
inline QByteArray svgRect(const char* colour, int width = 16, int height = 16)
{
    const QByteArray size =
        "width=\"" + QByteArray::number(width) + "\" height=\"" + QByteArray::number(height);
    return "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + "\"><rect " + size + "\" fill=\"" + colour +
           "\"/></svg>";
}
