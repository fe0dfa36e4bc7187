#pragma once

#include "catalogue-site/IconCatalogue.h"

#include <QString>

// Writes the icons a WordPress catalogue imports: each picture as a PNG named YYYYMM + name +
// ".png" (the name keeps its "-", as WordPress keeps them in upload names), and a list file with
// one line per icon, fields separated by tabs:
//   PNG path, post name (slug), post title, post date "YYYY-MM-DD hh:mm:ss", tags joined by ",",
//   source and licence.
// Icons are taken evenly spread over the catalogue so every set and every year is represented.
class ImportList
{
public:
    static constexpr int kPictureSize = 256;

    // Renders `count` icons (all when count exceeds the catalogue) into `folder` and writes
    // `folder`/icons.tsv; false with `error` set when a file cannot be written.
    static bool write(const IconCatalogue& catalogue, int count, const QString& folder, QString* error);

    // The indices of `count` icons spread evenly over `size`, in catalogue order.
    static std::vector<int> spread(int size, int count);
    // A value as one list field: tabs, line breaks and (for tags) commas become spaces.
    static QString field(QString value);
};
