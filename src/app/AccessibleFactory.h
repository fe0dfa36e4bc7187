#pragma once

class QAccessibleInterface;
class QObject;
class QString;

// Accessibility interfaces for the window's self-drawn controls, which Qt only sees as plain
// widgets: the category list and its rows, the scrollbars, the picture buttons and the grid of
// tiles with their buttons.
class AccessibleFactory
{
public:
    // Installs the factory once per process.
    static void install();
    static QAccessibleInterface* create(const QString& className, QObject* object);
};
