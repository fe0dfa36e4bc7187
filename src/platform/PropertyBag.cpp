#include "platform/PropertyBag.h"

QVariant PropertyBag::read(const QString& key, const QVariant& defaultValue) const
{
    return m_values.value(key, defaultValue);
}

void PropertyBag::write(const QString& key, const QVariant& value, const QVariant& defaultValue)
{
    if (value == defaultValue)
        m_values.remove(key);
    else
        m_values.insert(key, value);
}

void PropertyBag::write(const QString& key, const QVariant& value)
{
    m_values.insert(key, value);
}
