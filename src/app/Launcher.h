#pragma once

#include <QString>

// The `pictomine` command. The window-less commands (a bad command line, --help, --version,
// --export) run in this process, which loads only Qt's core and image libraries and so starts
// in a fraction of the window program's time; for the window it becomes `pictomine-window`,
// the program beside it, with the same arguments.
class Launcher
{
public:
    static int run(int argc, char** argv);
    // The window program: `pictomine-window` in the launcher's own folder.
    static QString windowProgram();
};
