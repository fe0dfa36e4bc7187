#pragma once

#include <QString>

// One result of the current result set: its texts from the link pass and its thumbnail file name
// from the image pass. Where its tile and thumbnail are drawn is the grid's business.
struct IconRecord {
    QString title;
    QString postLink;
    QString thumbFile;
};
