#pragma once

#include <QMap>
#include <QString>
#include <QVariant>

// Named design-time values of a custom control, read and written with defaults.
class PropertyBag
{
public:
    // The stored value, or `defaultValue` when the key is missing.
    [[nodiscard]] QVariant read(const QString& key, const QVariant& defaultValue) const;
    // Stores the value; a value equal to `defaultValue` is not written (and an old entry removed).
    void write(const QString& key, const QVariant& value, const QVariant& defaultValue);
    // Stores the value unconditionally.
    void write(const QString& key, const QVariant& value);

    [[nodiscard]] bool contains(const QString& key) const { return m_values.contains(key); }
    [[nodiscard]] int size() const { return int(m_values.size()); }
    [[nodiscard]] QStringList keys() const { return m_values.keys(); }

private:
    QMap<QString, QVariant> m_values;
};
