#include "catalogue/ResultNotice.h"

QString ResultNotice::forEmptyResults(bool pageLoaded, const QString& keyword)
{
    if (!pageLoaded)
        return QStringLiteral("The catalogue could not be reached. Check the connection and try again.");
    if (keyword.isEmpty())
        return QStringLiteral("The catalogue lists no icons yet.");
    return QStringLiteral("No icons found for \"%1\".").arg(keyword);
}
