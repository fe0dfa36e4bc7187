#pragma once

#include <QString>
#include <QStringList>

// The client's command line: --base-url URL, --home DIR, --screenshot FILE, --export SRC DEST, --help.
struct CommandLine {
    QString baseUrl;
    QString home;
    QString screenshot;
    QStringList exportArgs; // SRC, DEST when --export was given
    bool help = false;
    QString error; // set for an unknown option or a missing value

    static CommandLine parse(const QStringList& args); // args without the program name
    static QString usage();
};
