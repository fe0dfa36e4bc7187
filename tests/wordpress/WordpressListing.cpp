#include "WordpressListing.h"

#include <QTest>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QUrlQuery>

#include <memory>

QByteArray WordpressListing::fetch(const QString& url, QString* error)
{
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.get(QNetworkRequest(QUrl(url))));
    const bool finished = QTest::qWaitFor([&] { return reply->isFinished(); }, 60000);
    if (!finished || reply->error() != QNetworkReply::NoError) {
        *error = url + ": " + (finished ? reply->errorString() : QStringLiteral("no answer"));
        return {};
    }
    return reply->readAll();
}

std::vector<WordpressPost> WordpressListing::page(const QString& base, const QString& search, int page,
                                                  QString* error)
{
    QUrlQuery query;
    query.addQueryItem("rest_route", "/wp/v2/posts");
    query.addQueryItem("per_page", "30");
    query.addQueryItem("page", QString::number(page));
    query.addQueryItem("_embed", "wp:featuredmedia");
    if (!search.isEmpty()) {
        query.addQueryItem("search", search);
        query.addQueryItem("orderby", "relevance");
    }
    const QByteArray body = fetch(base + "?" + query.toString(QUrl::FullyEncoded), error);
    const QJsonArray posts = QJsonDocument::fromJson(body).array();
    std::vector<WordpressPost> listing;
    for (const QJsonValue& value : posts) {
        const QJsonObject post = value.toObject();
        const QJsonObject media = post["_embedded"]["wp:featuredmedia"][0].toObject();
        const QJsonObject sizes = media["media_details"]["sizes"].toObject();
        // An image no larger than the thumbnail size is its own thumbnail.
        const QString thumbnail = sizes.contains("thumbnail") ? sizes["thumbnail"]["source_url"].toString()
                                                              : media["source_url"].toString();
        listing.push_back({post["link"].toString(), post["slug"].toString(), thumbnail});
    }
    if (listing.empty() && error->isEmpty())
        *error = QStringLiteral("no posts listed for \"%1\", page %2").arg(search).arg(page);
    return listing;
}
