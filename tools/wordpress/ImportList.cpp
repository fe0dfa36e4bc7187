#include "ImportList.h"

#include "catalogue-site/IconRenderer.h"

#include <QDir>
#include <QHash>
#include <QSaveFile>
#include <QTextStream>
#include <QTime>

std::vector<int> ImportList::spread(int size, int count)
{
    std::vector<int> indices;
    const int n = std::clamp(count, 0, size);
    for (int k = 0; k < n; ++k)
        indices.push_back(int(qint64(k) * size / n));
    return indices;
}

QString ImportList::field(QString value)
{
    for (QChar& c : value)
        if (c == '\t' || c == '\n' || c == '\r' || c == ',')
            c = ' ';
    return value.simplified();
}

bool ImportList::write(const IconCatalogue& catalogue, int count, const QString& folder, QString* error)
{
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return false;
    }
    QSaveFile list(QDir(folder).filePath("icons.tsv"));
    if (!list.open(QIODevice::WriteOnly | QIODevice::Text)) {
        *error = QStringLiteral("cannot write %1: %2").arg(list.fileName(), list.errorString());
        return false;
    }
    QTextStream out(&list);
    // Posts of one day get distinct times, the newest first as in the catalogue, so the site's
    // date order is the catalogue's.
    QHash<QDate, int> postsOnDay;
    for (int index : spread(catalogue.size(), count)) {
        const IconEntry& icon = catalogue.at(index);
        const QString png = QDir(folder).filePath(icon.date.toString("yyyyMM") + icon.name + ".png");
        const QImage picture = IconRenderer::render(icon, kPictureSize);
        if (picture.isNull() || !picture.save(png, "PNG")) {
            *error = QStringLiteral("cannot render %1 into %2").arg(icon.name, png);
            return false;
        }
        const int earlier = postsOnDay[icon.date]++;
        const QString time = QTime(23, 59, 59).addSecs(-earlier).toString("hh:mm:ss");
        QStringList tags;
        for (const QString& tag : icon.tags)
            tags << field(tag);
        out << png << '\t' << icon.name << '\t' << field(icon.title()) << '\t'
            << icon.date.toString("yyyy-MM-dd") << ' ' << time << '\t' << tags.join(',') << '\t'
            << field(icon.source) << '\n';
    }
    out.flush();
    if (!list.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(list.fileName(), list.errorString());
        return false;
    }
    return true;
}
