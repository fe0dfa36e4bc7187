#pragma once

#include <QImage>
#include <QList>
#include <QString>

class Dialogs;
class QWidget;

struct ExportResult {
    bool ok = false;
    QString message; // why it failed; empty on success
};

// The standard icon sizes not greater than the smaller side m (256 down to 16); empty below 16.
QList<int> IconSizesFor(int m);

// The export routine: draws `source` on a fresh 32-bit canvas of its own size (white behind it
// for BMP, JPEG and TIFF, and for every format when TransBG is false) and writes it at sFilename
// in the format of FileTypes. For ICO it renders the icon at each standard size up to its smaller
// side, writes Sizes/temp<size>.png for each and assembles a multi-size icon file at sFilename.
// Files are replaced only once the new one is complete. With writeFlag false only the canvas is
// drawn. A failure is returned and, when `dialogs` is given, shown in a message box.
// `reserved`, GIF_Dither and GIF_Color are accepted and not used; smoothingMode 2 or 4 turns on
// anti-aliasing of the canvas; pixelOffsetMode has no counterpart in this painter.
ExportResult RenderAndSaveIcon(const QString& sFilename, int FileTypes, int reserved, int smoothingMode,
                               int pixelOffsetMode, bool TransBG, bool GIF_Dither, int GIF_Color,
                               int JPEG_Quality, const QImage& source, bool writeFlag,
                               Dialogs* dialogs = nullptr, QWidget* dialogParent = nullptr);
