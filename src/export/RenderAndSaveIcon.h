#pragma once

#include "platform/FileWriter.h"

#include <QImage>
#include <QList>
#include <QString>

class Dialogs;
class QWidget;

struct ExportResult {
    bool ok = false;
    QString message; // why it failed; empty on success
};

// One export as plain values, so that a worker thread can run it.
struct ExportRequest {
    QString fileName; // destination
    int fileType = 0; // file type code (see FileType in ImageSaver.h)
    int smoothingMode = 1;
    bool transparentBackground = true;
    int jpegQuality = 90;
    bool writeFlag = true;
    QString sizesFolder;                       // where the icon type writes temp<size>.png
    FileWriter* files = &FileWriter::system(); // writes every file of the export
};

// The standard icon sizes not greater than the smaller side m (256 down to 16); empty below 16.
QList<int> iconSizesFor(int m);

// The export itself, touching no window, pointer or application state: draws `source` on a
// fresh 32-bit canvas of its own size (white behind it for BMP, JPEG, EMF and WMF, and for every
// format when transparentBackground is false) and writes it at fileName in the format of fileType. For ICO it
// renders the icon at each standard size up to its smaller side, writes sizesFolder/temp<size>.png
// for each (atomically, not synced: they are by-products) and assembles a multi-size icon file at
// fileName. Everything is written through request.files: the destination (a link there is
// followed) is replaced only once the new file is complete and on disk, and a failed write leaves
// it byte for byte and is returned. A Sizes file that cannot be written is skipped. With
// writeFlag false only the canvas is drawn. smoothingMode 2 or 4 turns on anti-aliasing. The
// source is released as soon as it is no longer needed.
ExportResult renderAndSave(const ExportRequest& request, QImage source);

// The export routine of a tile's save: renderAndSave with the icon sizes rendered into
// sizesFolder; a failure is returned and, when `dialogs` is given, shown in a message box. The files
// are written through `files`. The caller's picture is not changed (pass it moved to let a large
// one go early). `reserved`, gifDither and gifColors are accepted and not used; pixelOffsetMode
// has no counterpart in this painter.
ExportResult renderAndSaveIcon(const QString& fileName, int fileType, int reserved, int smoothingMode,
                               int pixelOffsetMode, bool transparentBackground, bool gifDither, int gifColors,
                               int jpegQuality, QImage source, bool writeFlag, const QString& sizesFolder,
                               Dialogs* dialogs = nullptr, QWidget* dialogParent = nullptr,
                               FileWriter& files = FileWriter::system());
