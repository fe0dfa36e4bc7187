#pragma once

// Program start: command line, application folder, the main window or a window-less command.
class Application
{
public:
    static int run(int argc, char** argv);
};
