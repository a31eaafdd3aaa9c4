// Private window messages of setup's background window.
#pragma once
#include <windows.h>

enum SetupMessage : UINT {
    UM_START = WM_USER + 3,  // 1027: the wizard starts
};
