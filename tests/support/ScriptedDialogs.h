#pragma once

#include "platform/Dialogs.h"
#include "platform/SaveRequest.h"

#include <QStringList>

// Answers dialogs from a script and records what was asked. Installs itself while alive.
class ScriptedDialogs : public Dialogs
{
public:
    ScriptedDialogs() { Dialogs::setInstance(this); }
    ~ScriptedDialogs() override { Dialogs::setInstance(nullptr); }

    QString saveAnswer; // returned by saveFileName / openFileName
    bool confirmAnswer = false;
    QStringList asked;    // "save:<title>|<filter>", "confirm:<title>|<text>", "inform:...", "critical:..."
    SaveRequest lastSave; // what the last saveFile() was asked to show

    QString saveFileName(QWidget*, const QString& title, const QString& filter) override
    {
        asked << "save:" + title + "|" + filter;
        return saveAnswer;
    }
    // Recorded as "save:<title>|<filters joined by ;;>"; the rest of the request in lastSave.
    QString saveFile(QWidget*, const SaveRequest& request) override
    {
        asked << "save:" + request.title + "|" + request.filters.join(";;");
        lastSave = request;
        return saveAnswer;
    }
    QString openFileName(QWidget*, const QString& title, const QString& filter) override
    {
        asked << "open:" + title + "|" + filter;
        return saveAnswer;
    }
    bool confirm(QWidget*, const QString& text, const QString& title) override
    {
        asked << "confirm:" + title + "|" + text;
        return confirmAnswer;
    }
    void inform(QWidget*, const QString& text, const QString& title) override
    {
        asked << "inform:" + title + "|" + text;
    }
    void critical(const QString& text) override { asked << "critical:" + text; }
};
