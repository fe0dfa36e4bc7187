#pragma once

#include <QString>

// The user's settings: one INI file, ~/.config/pictomine/pictomine.conf (the folder follows
// XDG_CONFIG_HOME), which the user may edit by hand. Keys are "group/name".
class UserSettings
{
public:
    [[nodiscard]] static QString fileName();
    // The stored text; empty when the key is not set or the file cannot be read.
    [[nodiscard]] static QString value(const QString& key);
    // Stores the text and writes the file; false when it could not be written.
    static bool setValue(const QString& key, const QString& value);
};
