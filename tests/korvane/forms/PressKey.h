// Test helper shared by the window tests: a key press through the application's key handling.
#pragma once
#include "Forms.h"

#include <windows.h>

// Sends a key as the message loop does, with Ctrl held or not.
inline void PressKey(HWND target, WORD vk, bool ctrl) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_CONTROL] = ctrl ? 0x80 : 0;
    SetKeyboardState(state);
    MSG msg{};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    forms::Application::Instance().Dispatch(msg);
    state[VK_CONTROL] = 0;
    SetKeyboardState(state);
}
