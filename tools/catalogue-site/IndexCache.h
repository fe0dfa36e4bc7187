#pragma once

#include "catalogue-site/IconEntry.h"

#include <QString>

#include <optional>
#include <vector>

// The demo's icon entries kept on disk between runs, so a later start skips reading the icon
// sets. An entry list is stored with a fingerprint of its sources (their folders and index files,
// and when they last changed); it is taken back only under the same fingerprint, so installing or
// updating a set rebuilds it. Files are written whole or not at all.
class IndexCache
{
public:
    explicit IndexCache(QString file);

    // The default file: pictomine-catalogue-site/demo-index.bin in the user's cache folder.
    static QString defaultFile();
    // What the entries are built from: paths (folders or files) whose change invalidates them.
    static QString fingerprint(const QStringList& sources);

    [[nodiscard]] std::optional<std::vector<IconEntry>> load(const QString& fingerprint) const;
    // False when the file cannot be written; the entries are then rebuilt next time.
    bool save(const QString& fingerprint, const std::vector<IconEntry>& entries) const;

private:
    QString m_file;
};
