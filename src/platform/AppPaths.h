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
    // The executable's folder; works before any application object exists.
    [[nodiscard]] static QString programFolder();
    // The program's folder, then the installed data folder beside it (bin/../share/pictomine).
    [[nodiscard]] static QStringList defaultShippedFolders();

    // The layout under `root` (empty: the program's folder), reading the files the program ships
    // from `shipped` (empty: the default folders).
    explicit AppPaths(const QString& root = {}, const QStringList& shipped = {});

    // Creates the folders the program writes to (never the keyword list).
    void ensureLayout() const;
    // Creates the folders, gives a folder without a keyword list a copy of the shipped one, and
    // checks that everything the program writes can be written. Returns an empty text when the
    // folder is usable, else a message for the user saying which folder fails and why.
    [[nodiscard]] QString prepare() const;
    // Folders holding the files the program ships, in the order they are searched.
    [[nodiscard]] const QStringList& shippedFolders() const { return m_shipped; }
    // `relative` in the application folder when it exists there, else in the first shipped
    // folder holding it, else the application folder's path (which does not exist).
    [[nodiscard]] QString locate(const QString& relative) const;
    [[nodiscard]] const QString& root() const { return m_root; }
    [[nodiscard]] QString icons() const;             // thumbnail cache
    [[nodiscard]] QString images() const;            // spinner frames
    [[nodiscard]] QString downloads() const;         // full-size icons
    [[nodiscard]] QString sizes() const;             // icon size renderings
    [[nodiscard]] QString goodLuck() const;          // keyword list file
    [[nodiscard]] QString spinnerFrame(int n) const; // n = 1..14, wherever it is found

private:
    QString m_root;
    QStringList m_shipped;
};
