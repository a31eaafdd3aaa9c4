// Program main of Korvane.
#include "Start.h"

#include <windows.h>
#include <cstdlib>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    std::vector<std::string> args;
    for (int i = 1; i < __argc; ++i) args.push_back(__argv[i]);
    return RunKorvane(args);
}
