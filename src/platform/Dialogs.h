#pragma once

#include <QString>

class QWidget;
struct SaveRequest;

// Message boxes and the file dialog behind one replaceable interface, so tests can answer them.
class Dialogs
{
public:
    virtual ~Dialogs() = default;

    // Save dialog; `filter` uses Qt's "Description (*.a *.b);;..." form. Empty result = cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // The save dialog with a suggested folder, name and filter entry. Empty result = cancelled.
    virtual QString saveFile(QWidget* parent, const SaveRequest& request) = 0;
    virtual QString openFileName(QWidget* parent, const QString& title, const QString& filter) = 0;
    // OK/cancel question with the information icon and cancel as default. True = OK.
    virtual bool confirm(QWidget* parent, const QString& text, const QString& title) = 0;
    // Message with an OK button.
    virtual void inform(QWidget* parent, const QString& text, const QString& title) = 0;
    // Critical-stop message captioned with the application title.
    virtual void critical(const QString& text) = 0;

    static Dialogs& instance();
    // Replaces the implementation (not owned); nullptr restores the standard Qt dialogs.
    static void setInstance(Dialogs* dialogs);
};
