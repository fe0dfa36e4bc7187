#pragma once

#include <QString>
#include <QStringList>

// What a save dialog shows when it opens.
struct SaveRequest {
    QString title;
    QStringList filters;    // one entry each, "Label (*.a *.b)"
    QString selectedFilter; // one of `filters`; empty for the first
    QString folder;         // where the dialog opens
    QString fileName;       // the suggested name
};
