#pragma once

#include "app/CommandLine.h"
#include "platform/AppPaths.h"
#include "platform/SiteAddress.h"

#include <optional>

// The program's answers that need no window: a bad command line, --help, --help-all, --version
// and --export. They run in the launcher, which loads no widget library, and in the window
// program alike, so both behave the same.
class WindowlessCommands
{
public:
    static constexpr int kFailure = 1;
    static constexpr int kUsageError = 2;

    // The program's name (which also names the user's data folder) and version.
    static void nameApplication();
    // Reads the command line (program name first).
    static CommandLine parse(int argc, char** argv);
    // Runs what the command line asks for and returns its exit status, or nothing when it asks
    // for the window. --export ends the process itself once its file is in place.
    static std::optional<int> run(const CommandLine& cl, int argc, char** argv);
    // The application folder the command line chooses.
    static AppPaths folderOf(const CommandLine& cl);
    // Puts the catalogue address in force into `site`: empty when done, else why the address
    // cannot be used and where it came from.
    static QString settleAddress(const CommandLine& cl, SiteAddress& site);
    // Writes "pictomine: message" to the standard error and returns status.
    static int fail(const QString& message, int status);
};
