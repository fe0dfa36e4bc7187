#pragma once

#include "platform/FileWriter.h"

#include <QByteArray>
#include <QString>

// The thumbnail cache folder: one file per thumbnail, named after the last segment of its address.
class ThumbnailCache
{
public:
    static constexpr int kMaxNameBytes = 200;

    // Thumbnails are written through `files`.
    explicit ThumbnailCache(QString folder, FileWriter& files = FileWriter::system())
        : m_folder(std::move(folder)), m_files(&files)
    {
    }

    // A name that stays inside the folder: not empty, ".", or "..", no "/", "\" or control
    // characters, at most kMaxNameBytes bytes as UTF-8.
    static bool isSafeName(const QString& name);

    // Replaces the file `name` with the bytes (temporary file and rename, not synced: the cache is
    // made again by every query; a link at the path is replaced, never written through). Empty
    // bytes remove the file. Returns the full path, or an empty text with `error` set when nothing
    // was stored.
    QString store(const QString& name, const QByteArray& bytes, QString* error = nullptr) const;
    // Deletes every "*.png" in the folder, hidden ones too; other files stay. Failures are skipped.
    void deletePngs() const;
    [[nodiscard]] QString pathOf(const QString& name) const { return m_folder + '/' + name; }

private:
    QString m_folder;
    FileWriter* m_files;
};
