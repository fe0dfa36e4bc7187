#pragma once

#include <QString>
#include <QStringList>

// The application folder and the fixed paths beneath it. --home and PICTOMINE_HOME decide first;
// otherwise the program's own folder is the application folder when it holds a writable Icons/
// (a build tree, a portable copy), and an installed copy keeps its writable parts in the user's
// data folder. Files the program ships (the spinner frames, the first keyword list) are read from
// the application folder when present there, else from where they were installed.
class AppPaths
{
public:
    enum class Origin { HomeOption, Environment, ProgramFolder, UserData };
    struct Choice {
        QString folder;
        Origin origin = Origin::ProgramFolder;
    };

    // The application folder by the rule above.
    [[nodiscard]] static Choice choose(const QString& homeOption = {});
    // The rule on explicit inputs: an empty option or environment value does not count.
    [[nodiscard]] static Choice choose(const QString& homeOption, const QString& environment,
                                       const QString& programFolder, const QString& userDataFolder);
    // The folder of choose().
    [[nodiscard]] static QString defaultRoot(const QString& homeOption = {});

    // Sets the folder used by every other call; an empty folder restores the program's folder.
    static void setRoot(const QString& folder);
    // Creates the folders the program writes to (never the keyword list).
    static void ensureLayout();
    // Creates the folders, gives a folder without a keyword list a copy of the shipped one, and
    // checks that everything the program writes can be written. Returns an empty text when the
    // folder is usable, else a message for the user saying which folder fails and why.
    [[nodiscard]] static QString prepare();

    // The executable's folder; works before any application object exists.
    [[nodiscard]] static QString programFolder();
    // Folders holding the files the program ships, in the order they are searched: the program's
    // folder, then the installed data folder beside it (bin/../share/pictomine).
    [[nodiscard]] static QStringList shippedFolders();
    // Replaces those folders (an empty list restores them), for tests.
    static void overrideShippedFolders(const QStringList& folders);
    // `relative` in the application folder when it exists there, else in the first shipped
    // folder holding it, else the application folder's path (which does not exist).
    [[nodiscard]] static QString locate(const QString& relative);

    static QString root();
    static QString icons();             // thumbnail cache
    static QString images();            // spinner frames
    static QString downloads();         // full-size icons
    static QString sizes();             // icon size renderings
    static QString goodLuck();          // keyword list file
    static QString spinnerFrame(int n); // n = 1..14, wherever it is found

private:
    static QString s_root;
    static QStringList s_shipped;
};
