// Screenshot helper: finds the running Korvane main window and runs one of its menu commands
// through the keyboard, as a user would: ViewDriver <menu key> <item key>, e.g. "v l" for
// View > List (the underlined letters).
#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: ViewDriver <menu letter> <item letter>\n");
        return 2;
    }
    HWND main = nullptr;
    for (int i = 0; i < 100 && !main; ++i, Sleep(100)) main = FindWindowA("TFMainKvKorvane", nullptr);
    if (!main) {
        std::fprintf(stderr, "no Korvane window\n");
        return 1;
    }
    SetForegroundWindow(main);
    PostMessageA(main, WM_SYSCOMMAND, SC_KEYMENU, static_cast<unsigned char>(argv[1][0]));
    Sleep(500);
    PostMessageA(main, WM_CHAR, static_cast<unsigned char>(argv[2][0]), 0);
    Sleep(500);
    return 0;
}
