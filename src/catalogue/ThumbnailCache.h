#pragma once

#include "platform/FileWriter.h"

#include <QByteArray>
#include <QString>

// The thumbnail cache: a folder the client makes inside Icons/ and marks as its own with a cache
// tag, one file per thumbnail, named after the last segment of its address. Only that folder is
// ever emptied; whatever else Icons/ holds (the user's own pictures) is never touched.
class ThumbnailCache
{
public:
    static constexpr int kMaxNameBytes = 200;
    // The cache folder's name inside Icons/, and the tag file that marks it as the client's.
    static const QString kFolderName;
    static const QString kTagName;

    // The cache inside `iconsFolder`; thumbnails are written through `files`.
    explicit ThumbnailCache(const QString& iconsFolder, FileWriter& files = FileWriter::system());

    // A name that stays inside the folder: not empty, ".", or "..", no "/", "\" or control
    // characters, at most kMaxNameBytes bytes as UTF-8.
    static bool isSafeName(const QString& name);

    // Makes the cache folder ready for a new result set: creates and tags it when missing (a link
    // in its place is replaced by the folder) and deletes every file in it but the tag, hidden ones
    // too. A folder of that name that is not tagged and holds something is left alone.
    void clear() const;
    // Replaces the file `name` with the bytes (temporary file and rename, not synced: the cache is
    // made again by every query; a link at the path is replaced, never written through). Empty
    // bytes remove the file. Returns the full path, or an empty text with `error` set when nothing
    // was stored. Safe to call from a worker thread.
    QString store(const QString& name, const QByteArray& bytes, QString* error = nullptr) const;
    [[nodiscard]] QString folder() const { return m_folder; }
    [[nodiscard]] QString pathOf(const QString& name) const { return m_folder + '/' + name; }

private:
    bool isOwn() const;

    QString m_folder;
    FileWriter* m_files;
};
