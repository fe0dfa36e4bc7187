#pragma once

#include <QString>

// The application folder and the fixed paths beneath it. The folder is the executable's folder
// unless PICTOMINE_HOME or --home names another one.
class AppPaths
{
public:
    // Sets the folder used by every other call; an empty folder restores the default.
    static void setRoot(const QString& folder);
    // Folder from --home, else PICTOMINE_HOME, else the executable's folder.
    static QString defaultRoot(const QString& homeOption = {});
    static void ensureLayout();

    static QString root();
    static QString icons();             // thumbnail cache
    static QString images();            // spinner frames
    static QString downloads();         // full-size icons
    static QString sizes();             // icon size renderings
    static QString goodLuck();          // keyword list file
    static QString spinnerFrame(int n); // n = 1..14

private:
    static QString s_root;
};
