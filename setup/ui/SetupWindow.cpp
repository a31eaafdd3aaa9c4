// The background window of setup.
#include "SetupWindow.h"

#include "Exceptions.h"
#include "SetupMessage.h"

const char kSetupWindowClass[] = "AESetup";

void SetupWindow::Create(HINSTANCE instance, const std::string& title)
{
    HWND window = CreateWindowExA(0, kSetupWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    Window::RethrowPendingException();
    if (!window)
        throw WinException("Can't create application window");
}

bool SetupWindow::OnCreate()
{
    PostMessageA(handle_, UM_START, 0, 0);
    return true;
}

void SetupWindow::OnMessage(UINT id, WPARAM wparam, LPARAM lparam)
{
    if (id == UM_START)
        DestroyWindow(handle_);  // no wizard yet: setup ends here
}
