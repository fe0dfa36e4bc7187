#include "catalogue-site/FaultSet.h"

#include <array>
#include <utility>

namespace
{
const std::array<std::pair<const char*, Fault>, 13> kNames = {{
    {"thumb-404", Fault::ThumbNotFound},
    {"thumb-empty", Fault::ThumbEmpty},
    {"thumb-one-byte", Fault::ThumbOneByte},
    {"thumb-truncated", Fault::ThumbTruncated},
    {"thumb-garbage", Fault::ThumbGarbage},
    {"thumb-bomb", Fault::ThumbBomb},
    {"dup-names", Fault::DupNames},
    {"year-links", Fault::YearLinks},
    {"hostile-names", Fault::HostileNames},
    {"bad-markup", Fault::BadMarkup},
    {"stall", Fault::Stall},
    {"reset", Fault::Reset},
    {"full-404", Fault::FullNotFound},
}};
} // namespace

std::optional<FaultSet> FaultSet::parse(const QString& list, QString* error)
{
    FaultSet set;
    for (const QString& raw : list.split(',', Qt::SkipEmptyParts)) {
        const QString name = raw.trimmed();
        bool known = false;
        for (const auto& [text, fault] : kNames) {
            if (name == QLatin1String(text)) {
                set.add(fault);
                known = true;
            }
        }
        if (!known) {
            if (error)
                *error =
                    QStringLiteral("unknown fault \"%1\" (known: %2)").arg(name, knownNames().join(", "));
            return std::nullopt;
        }
    }
    return set;
}

QStringList FaultSet::knownNames()
{
    QStringList names;
    for (const auto& entry : kNames)
        names << QLatin1String(entry.first);
    return names;
}
