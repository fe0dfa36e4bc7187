// Pictomine's window program: the main window, and every window-less command as well.
#include "app/Application.h"

int main(int argc, char** argv)
{
    return Application::run(argc, argv);
}
