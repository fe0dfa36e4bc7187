#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// A deterministic set of generated icons: names built from a word list that covers the client's
// category words and common icon words, pictures of shapes and colours on transparent ground.
class SyntheticIcons {
public:
    // The first n names (all distinct); the same list on every run.
    static QStringList names(int n);
    // Draws icon `index` named `name` on a transparent square of `size` pixels.
    static QImage draw(int index, const QString& name, int size);

    static constexpr int kMaxCount = 100000;
};
