#pragma once

#include <QString>

// The catalogue address in force for a run, and where it comes from: the command line's
// --base-url, else the "address" key of the [catalogue] group in the user's settings
// (~/.config/pictomine/pictomine.conf, edited by hand), else the address the program was built
// with. An address that is not usable is an error naming its source, not a silent fallback.
struct CatalogueAddress {
    QString address;
    QString source; // "--base-url", the settings file's path, or "built-in default"
    QString error;  // why the address from `source` cannot be used; empty when it can

    // commandLine: the --base-url value (empty when not given). settingsFile: the file to read
    // (empty = the user's settings file).
    static CatalogueAddress resolve(const QString& commandLine, const QString& settingsFile = {});
    static QString builtIn();
};
