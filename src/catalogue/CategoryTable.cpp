#include "catalogue/CategoryTable.h"

#include <array>

namespace
{
struct Category {
    const char* caption;
    const char* slug;
};

constexpr std::array<Category, CategoryTable::kCount> kCategories{{
    {"Mobile Icons", "mobile"},
    {"Medical Icons", "medical"},
    {"Shopping Icons", "shop"},
    {"Security Icons", "security"},
    {"Network Icons", "network"},
    {"Music Icons", "music"},
    {"Map & Navigation Icons", "map"},
    {"Building Icons", "build"},
    {"Holiday Icons", "holiday"},
    {"Game Icons", "game"},
    {"Food Icons", "food"},
    {"Flag Icons", "flag"},
    {"File Icons", "file"},
    {"Electronic Icons", "electronic"},
    {"Education Icons", "education"},
    {"Computer & Hardware Icons", "computer"},
    {"Clothes Icons", "cloth"},
    {"Business Icons", "business"},
    {"Arrow Icons", "arrow"},
    {"Animal Icons", "animal"},
}};
} // namespace

QString CategoryTable::caption(int index)
{
    return isValidIndex(index) ? QString::fromUtf8(kCategories[index].caption) : QString();
}

QString CategoryTable::slug(int index)
{
    return isValidIndex(index) ? QString::fromUtf8(kCategories[index].slug) : QString();
}
