// Pictomine: a desktop client for an online icon catalogue. This is the `pictomine` command:
// window-less commands run here, the window in `pictomine-window` (see Launcher).
#include "app/Launcher.h"

int main(int argc, char** argv)
{
    return Launcher::run(argc, argv);
}
