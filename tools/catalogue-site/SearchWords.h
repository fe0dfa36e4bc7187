#pragma once

#include <QString>
#include <QStringList>

// The word rules search shares with indexing: how text becomes words (lowercase, accents folded,
// anything but letters and digits separating), the plural forms a word stands for, the small table
// of synonyms and the one-typo test.
class SearchWords
{
public:
    // "Café au-lait!" gives {"cafe", "au", "lait"}.
    static QStringList words(const QString& text);
    // Lowercase with accents removed; other characters unchanged.
    static QString fold(const QString& text);

    // The forms a word may stand for besides itself once a plural ending is taken off: "boxes"
    // gives {"boxes", "boxe", "box"}, "batteries" {"batteries", "batterie", "battery"}. Two words
    // are the same word when their forms meet.
    static QStringList forms(const QString& word);
    static bool sameWord(const QStringList& forms, const QString& word);

    // The words that mean the same as `word` in icon names ("wifi" gives {"wireless", "wlan"});
    // empty when the table has none.
    static QStringList synonyms(const QString& word);

    // Whether two neighbouring words name something neither names alone ("hot dog", "fish cake"): a
    // search for either word does not find the pair.
    static bool isCompound(const QString& first, const QString& second);

    // Whether a and b differ by one letter added, removed, replaced or two neighbours swapped.
    static bool oneEditApart(const QString& a, const QString& b);
    // Words shorter than this never have a typo forgiven.
    static constexpr int kMinTypoLength = 5;
};
