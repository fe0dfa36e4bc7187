#include "catalogue/ResultNotice.h"

QString ResultNotice::failure(const Page& page)
{
    switch (page.outcome) {
    case PageLoader::Outcome::NoAnswer:
        return QStringLiteral("The catalogue at %1 could not be reached.").arg(page.address);
    case PageLoader::Outcome::HttpError:
        return QStringLiteral("The catalogue answered with an error (HTTP %1).").arg(page.httpStatus);
    case PageLoader::Outcome::TooLarge:
        return QStringLiteral("The catalogue sent a result page too large to read safely.");
    case PageLoader::Outcome::BadMarkup:
        return QStringLiteral("The catalogue sent a result page whose markup is too complex to read safely.");
    case PageLoader::Outcome::Loaded:
        break;
    }
    if (page.postsListed > 0)
        return QStringLiteral("The catalogue listed %1, but none of their pictures could be downloaded.")
            .arg(page.postsListed == 1 ? QStringLiteral("1 icon")
                                       : QStringLiteral("%1 icons").arg(page.postsListed));
    return {};
}

QString ResultNotice::forEmptyResults(const Page& page, const QString& keyword)
{
    switch (page.outcome) {
    case PageLoader::Outcome::NoAnswer:
        return failure(page) + QStringLiteral(" Check the connection and try again.");
    case PageLoader::Outcome::HttpError:
        return failure(page) + QStringLiteral(" Try again later.");
    default:
        break;
    }
    if (const QString why = failure(page); !why.isEmpty())
        return why;
    if (keyword.isEmpty())
        return QStringLiteral("The catalogue lists no icons yet.");
    return QStringLiteral("No icons found for \"%1\".").arg(keyword);
}

QString ResultNotice::forLoadMore(const Page& page)
{
    const QString why = failure(page);
    if (why.isEmpty())
        return QStringLiteral("The catalogue sent no more icons. Click to try again.");
    return QStringLiteral("Could not load more icons. %1 Click to try again.").arg(why);
}
