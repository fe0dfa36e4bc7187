#pragma once

#include <QString>
#include <QStringList>

// The client's command line, read with QCommandLineParser: --base-url URL (or --base-url=URL),
// --home DIR, --screenshot FILE, --export SRC DEST, --help, --version. Qt's own options
// (-platform, -style, -reverse, ...) are accepted and left for the application object to apply.
struct CommandLine {
    QString baseUrl;
    QString home;
    QString screenshot;
    QStringList exportArgs; // SRC, DEST when --export was given
    bool help = false;
    bool helpAll = false; // --help-all: the help text with Qt's own options
    bool version = false;
    QString error; // set for an unknown option, a missing value or a stray argument

    // args: the whole command line, program name first.
    static CommandLine parse(const QStringList& args);
    static QString helpText(bool withQtOptions = false);
    static QString versionText();
};
