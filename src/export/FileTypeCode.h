#pragma once

#include <QString>

// Maps a saved file's extension to its file type code (see FileType in ImageSaver.h). The comparison
// ignores case; an unknown extension or a name without one gives BMP.
class FileTypeCode
{
public:
    static int fromExtension(const QString& extension);
    // The code for the extension of the path's file name.
    static int fromPath(const QString& path);
};
