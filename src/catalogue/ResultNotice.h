#pragma once

#include <QString>

// The line the window shows over an empty result set, telling the user why it is empty: the
// catalogue did not answer, or it answered with nothing for the query.
class ResultNotice
{
public:
    // pageLoaded: the result page arrived; keyword: the query's keyword (empty = the front page).
    [[nodiscard]] static QString forEmptyResults(bool pageLoaded, const QString& keyword);
};
