// The splash window.
#include "SplashWindow.h"

bool SplashWindow::Create(const char* className, HWND owner, HINSTANCE instance, const std::string& picturePath)
{
    loaded_ = picture_.LoadFromFile(picturePath) == S_OK;
    if (!loaded_)
        return false;
    const SIZE size = picture_.SizeInPixels();
    RECT rect{0, 0, size.cx, size.cy};
    AdjustWindowRectEx(&rect, WS_POPUP, FALSE, WS_EX_DLGMODALFRAME);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, className, "", WS_POPUP, rect.left, rect.top, width, height,
                                  owner, nullptr, instance, this);
    if (!window)
        return false;
    SetWindowPos(window, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void SplashWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    const SIZE size = picture_.SizeInPixels();
    if (size.cx > 0 && size.cy > 0) {
        RECT rect{0, 0, size.cx, size.cy};
        picture_.Render(dc, rect);
    }
    EndPaint(handle_, &paint);
}
