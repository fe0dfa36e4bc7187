#pragma once

#include <QString>

// Escaping of text and attribute values for the site's markup.
class HtmlText
{
public:
    // &, <, > and " as entities; other control characters as numeric references, so that a
    // hostile name reaches the parser exactly as chosen.
    static QString escape(const QString& text);
};
