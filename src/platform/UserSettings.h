#pragma once

#include <QString>

// The user's settings: one INI file, by default ~/.config/pictomine/pictomine.conf (the folder
// follows XDG_CONFIG_HOME), which the user may edit by hand. Keys are "group/name".
class UserSettings
{
public:
    [[nodiscard]] static QString defaultFileName();

    explicit UserSettings(const QString& fileName = defaultFileName()) : m_fileName(fileName) {}

    [[nodiscard]] const QString& fileName() const { return m_fileName; }
    // The stored text; empty when the key is not set or the file cannot be read.
    [[nodiscard]] QString value(const QString& key) const;
    // Stores the text and writes the file; false when it could not be written.
    bool setValue(const QString& key, const QString& value) const;

private:
    QString m_fileName;
};
