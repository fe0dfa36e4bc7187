#pragma once

#include <QString>

// One result of the current result set: its texts from the link pass, its thumbnail file name
// from the image pass, and the tile and image geometry from the grid placement.
struct IconRecord {
    QString title;
    QString postLink;
    QString thumbFile;
    float tileLeft = 0;
    float tileTop = 0;
    int tileWidth = 0;
    int tileHeight = 0;
    int imageLeft = 0;
    int imageTop = 0;
    int imageWidth = 0;
    int imageHeight = 0;
};
