#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// What a WordPress catalogue lists, read from its own REST interface (not from its pages): per post
// its link, its name (slug) and the address of its featured image at the thumbnail size.
struct WordpressPost {
    QString link, slug, thumbnail;
};

class WordpressListing
{
public:
    // One page of 30 posts as the site's own listing orders it: newest first, or by relevance for
    // a search. Empty with `error` set when the site does not answer as expected.
    static std::vector<WordpressPost> page(const QString& base, const QString& search, int page,
                                           QString* error);
    // The body of a GET, waiting (bounded) for the answer; empty on failure, with `error` set.
    static QByteArray fetch(const QString& url, QString* error);
};
