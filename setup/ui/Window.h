// Window objects bound to native windows: the object travels in the creation
// parameters, lives in the window's user-data slot, and one window procedure hands
// every message to the object's virtual handler.
#pragma once
#include <windows.h>

#include <exception>

class Window {
public:
    Window() = default;
    // Kills the timer and destroys the native window when they still exist.
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND GetHandle() const { return handle_; }

    // The one window procedure of every class whose windows are owned by an object.
    // Pass the object as the creation parameter of CreateWindowEx.
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

    // An exception that a handler threw is held here instead of crossing the system;
    // the message loop rethrows it (once).
    static void RethrowPendingException();

protected:
    // The one handler: turns the message into the calls below. Override it to see
    // messages before that.
    virtual LRESULT HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);

    virtual bool OnCreate() { return true; }
    virtual void OnDestroy() { handle_ = nullptr; }
    virtual void OnSize(int width, int height) {}
    virtual void OnEraseBackground() {}
    virtual void OnPaint() {}
    // Commands arrive here with their id, private messages (WM_USER and above) with
    // their number; the parameters are not passed on for either.
    virtual void OnMessage(UINT id, WPARAM wparam, LPARAM lparam) {}
    virtual void OnNotify(WPARAM wparam, LPARAM lparam) {}
    virtual void OnTimer() {}

    HWND handle_ = nullptr;
    UINT_PTR timerId_ = 0;

private:
    static std::exception_ptr pending_;
};

// A top-level window whose destruction ends the message loop with exit code 0.
class MainWindow : public Window {
protected:
    void OnDestroy() override;
};

// Registers a class that uses Window::WindowProc; throws WinException
// "RegisterClassEx" when the system refuses.
void RegisterWindowClass(HINSTANCE instance, const char* className, HICON largeIcon, HICON smallIcon);
