// Private window messages of setup's background window and the results of its
// dialogs: a page's result is the number of the message the wizard handles next.
#pragma once
#include <windows.h>

enum SetupMessage : UINT {
    UM_RESUME = WM_USER + 1,             // 1025: the exit confirmation was answered Resume
    UM_EXIT = WM_USER + 2,               // 1026: end setup
    UM_START = WM_USER + 3,              // 1027: the wizard starts
    UM_NEXT = WM_USER + 4,               // 1028
    UM_BACK = WM_USER + 5,               // 1029
    UM_SHOW_LANGUAGE = WM_USER + 6,      // 1030
    UM_SHOW_WELCOME = WM_USER + 7,       // 1031
    UM_SHOW_LICENSE = WM_USER + 8,       // 1032
    UM_SHOW_TARGET_DIR = WM_USER + 9,    // 1033
    UM_SHOW_PROGRAM_GROUP = WM_USER + 10,  // 1034
    UM_SHOW_START = WM_USER + 11,        // 1035
    UM_SHOW_PROCESS = WM_USER + 12,      // 1036
    UM_SHOW_README = WM_USER + 13,       // 1037
    UM_SHOW_USER_INFO = WM_USER + 14,    // 1038
    UM_SHOW_FINISH = WM_USER + 15,       // 1039
    UM_FINISH_ACTIONS = WM_USER + 17,    // 1041
    UM_REINSTALL_YES = WM_USER + 21,     // 1045
    UM_REINSTALL_NO = WM_USER + 22,      // 1046
    UM_REINSTALL_CANCEL = WM_USER + 23,  // 1047
    UM_INSTALL_DONE = WM_USER + 24,      // 1048: a command from the installation worker
    UM_RUN_APPLICATION = WM_USER + 25,   // 1049: a command from the readme waiter
};
