#pragma once

#include <QString>

// The 20 icon categories offered in the menu, indexed as the menu reports them: the row's
// caption and the keyword ("slug") searched for it.
class CategoryTable
{
public:
    static constexpr int kCount = 20;
    static bool isValidIndex(int index) { return index >= 0 && index < kCount; }
    static QString caption(int index);
    static QString slug(int index);
};
