#include "catalogue-site/HostileNames.h"

QString HostileNames::name(const IconEntry& icon, int hit)
{
    const QString prefix = icon.date.toString("yyyyMM");
    switch (hit % kVariants) {
    case 0:
        return QStringLiteral("..");
    case 1:
        return QStringLiteral("%2e%2e");
    case 2:
        return prefix + "..\\..\\" + icon.compact + "-150x150.png";
    case 3:
        return prefix + QChar(0x01) + icon.compact + QChar(0x1b) + QChar(0x7f) + "-150x150.png";
    default: {
        QString longName = prefix + icon.compact;
        while (longName.size() < kLongLength - 12)
            longName += 'x';
        return longName.left(kLongLength - 12) + "-150x150.png";
    }
    }
}
