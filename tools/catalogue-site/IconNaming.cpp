#include "catalogue-site/IconNaming.h"

#include <cstdint>

QString IconNaming::nameFromFileBase(const QString& base)
{
    QString name;
    bool pendingSeparator = false;
    bool afterLower = false;
    for (QChar c : base.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue; // accents: "Café" is "cafe"
        const char16_t u = c.toLower().unicode();
        const bool keep = (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9');
        if (!keep) {
            pendingSeparator = !name.isEmpty();
            afterLower = false;
            continue;
        }
        // "DangerElectrique" is two words.
        if (afterLower && c.isUpper())
            pendingSeparator = true;
        if (pendingSeparator)
            name += '-';
        pendingSeparator = false;
        afterLower = c.isLower();
        name += QChar(u);
    }
    if (name.size() > kMaxNameLength) {
        name.truncate(kMaxNameLength);
        while (name.endsWith('-'))
            name.chop(1);
    }
    return name;
}

QString IconNaming::compact(const QString& name)
{
    QString c = name;
    c.remove('-');
    return c;
}

quint32 IconNaming::stableHash(const QString& text)
{
    std::uint32_t h = 2166136261u;
    for (char b : text.toUtf8()) {
        h ^= static_cast<unsigned char>(b);
        h *= 16777619u;
    }
    return h;
}

QDate IconNaming::dateFor(const QString& name)
{
    const QDate first(kFirstYear, 1, 1);
    const qint64 days = first.daysTo(QDate(kLastYear, 12, 31)) + 1;
    return first.addDays(qint64(stableHash(name) % std::uint32_t(days)));
}

bool IconNaming::containsPostYear(const QString& text)
{
    for (int year = kFirstYear; year <= kLastYear; ++year)
        if (text.contains(QString::number(year)))
            return true;
    return false;
}
