#pragma once

#include "catalogue-site/IconEntry.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

// A deterministic set of generated icons: names built from a word list that covers the client's
// category words and common icon words, pictures of shapes and colours on transparent ground.
class SyntheticIcons
{
public:
    // The first n names (all distinct); the same list on every run.
    static QStringList names(int n);
    // The first n icons as catalogue entries (name, compact name, synthetic index; no date yet).
    static std::vector<IconEntry> entries(int n);
    // Draws icon `index` named `name` on a transparent square of `size` pixels.
    static QImage draw(int index, const QString& name, int size);

    static constexpr int kMaxCount = 100000;
};
