#pragma once

#include "platform/Dialogs.h"

// The standard Qt dialogs.
class QtDialogs : public Dialogs
{
public:
    QString saveFileName(QWidget* parent, const QString& title, const QString& filter) override;
    QString saveFile(QWidget* parent, const SaveRequest& request) override;
    QString openFileName(QWidget* parent, const QString& title, const QString& filter) override;
    bool confirm(QWidget* parent, const QString& text, const QString& title) override;
    void inform(QWidget* parent, const QString& text, const QString& title) override;
    void critical(const QString& text) override;
};
