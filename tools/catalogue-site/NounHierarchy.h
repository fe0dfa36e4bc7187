#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

// What English nouns are kinds of, read from WordNet's noun files: a cow is a kind of animal and
// cheese one of food, while cheese is no kind of moon and no moon a kind of cheese. It tells the
// keywords that say what an icon shows from those that only go with it.
class NounHierarchy
{
public:
    // Knows no noun: every keyword describes.
    NounHierarchy() = default;
    // The nouns of a WordNet folder (index.noun, data.noun, noun.exc); empty when they are missing or
    // unreadable.
    static NounHierarchy load(const QString& folder);
    // Debian's wordnet-base.
    static QString defaultFolder();
    // The files load() reads, for a cache's fingerprint.
    static QStringList files(const QString& folder);

    [[nodiscard]] bool isEmpty() const { return m_senses.isEmpty(); }
    // Whether the noun (a word or a phrase, "lady beetle"), or its singular, is known.
    [[nodiscard]] bool knows(const QString& noun) const;
    // Whether one noun, in some sense, is a kind of the other or the same thing.
    [[nodiscard]] bool kindRelated(const QString& a, const QString& b) const;
    // Whether `keyword` says what a thing called `name` (lowercase words) is, rather than what goes
    // with it: its last word is a word of the name, or it is a kind of the name or of one of its words,
    // or they of it. Where the keyword or the name holds no known noun, nothing tells, and it does.
    [[nodiscard]] bool describes(const QStringList& name, const QString& keyword) const;

private:
    static constexpr size_t kKeywordSenses = 3;
    // Its senses, most common first, at most `most` of each form.
    std::vector<int> sensesOf(const QString& noun, size_t most = SIZE_MAX) const;
    bool kindRelated(const std::vector<int>& first, const std::vector<int>& second) const;
    bool reaches(int synset, const std::vector<int>& targets) const;

    QHash<QString, std::vector<int>> m_senses; // lemma ("lady_beetle") to synsets
    std::vector<std::vector<int>> m_kindOf;    // synset to the synsets it is a kind or instance of
    QHash<QString, QString> m_irregular;       // irregular plural to singular ("mice" to "mouse")
};
