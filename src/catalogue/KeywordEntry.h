#pragma once

#include <QString>

// One element of the Good Luck keyword list.
struct KeywordEntry {
    QString keyword;
    qint16 count = 1;
};
