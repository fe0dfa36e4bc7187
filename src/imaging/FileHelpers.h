#pragma once

#include <QString>

class Dialogs;
class QWidget;
class ScreenInfo;

// Small shared routines: folder-path joining, the strip below the work area, the save/open
// dialog, extension extraction and fitting an image into a box.
namespace FileHelpers
{

// path followed by the platform separator "/" unless it already ends with one.
QString withTrailingSeparator(const QString& path);

// height of the screen strip below the desktop work area, in twips (rounded halves to even).
int workAreaBottomGap(const ScreenInfo& screens);
// The same rule on explicit figures, for the platform-independent part.
int workAreaBottomGap(int screenHeightPx, int workAreaBottomPx, double twipsPerPixel);

// Shows the dialog titled "Open File..." with a filter written "Description|pattern|..."; returns
// the chosen path or an empty text when the user cancelled.
QString showFileDialog(Dialogs& dialogs, QWidget* parent, const QString& filter, bool openFlag);
// The "Description|pattern;pattern|..." filter in Qt's "Description (*.a *.b);;..." form.
QString qtFilterFromPipeList(const QString& filter);

// Text after the last "." (empty when "." is last); the whole name when there is no ".".
QString fileExtension(const QString& name);

struct FitResult {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
};
// Fits (sw, sh) into (bw, bh), keeping proportions; no scaling when it fits and force is false.
FitResult fitToBox(int sw, int sh, int bw, int bh, bool force);

} // namespace FileHelpers
