// Entry point of setup.
#include "Program.h"

#include <cstdlib>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    std::vector<std::string> args(__argv, __argv + __argc);
    return RunSetup(instance, args);
}
