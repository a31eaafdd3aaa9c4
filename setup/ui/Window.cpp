// Window objects and their shared window procedure.
#include "Window.h"

#include "Exceptions.h"

std::exception_ptr Window::pending_;

Window::~Window()
{
    if (timerId_ != 0 && handle_)
        KillTimer(handle_, timerId_);
    if (handle_) {
        // The window must not call back into a half-destroyed object.
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        HWND handle = handle_;
        handle_ = nullptr;
        DestroyWindow(handle);
    }
}

void Window::RethrowPendingException()
{
    if (pending_) {
        std::exception_ptr pending = pending_;
        pending_ = nullptr;
        std::rethrow_exception(pending);
    }
}

LRESULT CALLBACK Window::WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam)
{
    try {
        if (message == WM_CREATE) {
            auto* create = reinterpret_cast<CREATESTRUCTA*>(lparam);
            auto* self = static_cast<Window*>(create->lpCreateParams);
            if (!self)
                return -1;
            self->handle_ = window;
            if (!self->OnCreate()) {
                self->handle_ = nullptr;
                return -1;
            }
            SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
            return 0;
        }
        auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(window, GWLP_USERDATA));
        if (!self)
            return DefWindowProcA(window, message, wparam, lparam);
        return self->HandleMessage(message, wparam, lparam);
    } catch (...) {
        if (!pending_)
            pending_ = std::current_exception();
        if (message == WM_CREATE) {
            auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lparam)->lpCreateParams);
            if (self)
                self->handle_ = nullptr;
            return -1;
        }
        return 0;
    }
}

LRESULT Window::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam)
{
    switch (message) {
    case WM_DESTROY:
        SetWindowLongPtrA(handle_, GWLP_USERDATA, 0);
        OnDestroy();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lparam), HIWORD(lparam));
        return 0;
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        OnEraseBackground();
        return 1;
    case WM_NOTIFY:
        OnNotify(wparam, lparam);
        return 0;
    case WM_COMMAND:
        OnMessage(LOWORD(wparam), 0, 0);
        return 0;
    case WM_TIMER:
        OnTimer();
        return 0;
    default:
        if (message >= WM_USER) {
            OnMessage(message, 0, 0);
            return 0;
        }
        return DefWindowProcA(handle_, message, wparam, lparam);
    }
}

void MainWindow::OnDestroy()
{
    handle_ = nullptr;
    PostQuitMessage(0);
}

void RegisterWindowClass(HINSTANCE instance, const char* className, HICON largeIcon, HICON smallIcon)
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &Window::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = largeIcon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_SCROLLBAR + 1));
    windowClass.lpszClassName = className;
    if (!RegisterClassExA(&windowClass))
        throw WinException("RegisterClassEx");
}
