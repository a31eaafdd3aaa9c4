// The notification-area icon.
#include "TrayIcon.h"

#include <cstring>

namespace {
constexpr UINT kNotifyMessage = WM_USER + 1;
constexpr DWORD kRecordSize = 88;  // the record every shell version understands
}  // namespace

class TTrayIcon::Window : public forms::Control {
public:
    explicit Window(TTrayIcon* owner) : owner_(owner) { CreateOwn("TTrayIconWindow", WS_POPUP, WS_EX_TOOLWINDOW, nullptr); }
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override {
        if (msg == kNotifyMessage) {
            owner_->Notified(lp);
            return 0;
        }
        return DefWindowProcA(hwnd_, msg, wp, lp);
    }

private:
    TTrayIcon* owner_;
};

TTrayIcon::TTrayIcon() : shellSupported_(LOBYTE(LOWORD(GetVersion())) >= 4) {
    forms::Application& app = forms::Application::Instance();
    icon_ = CopyIcon(app.Icon());
    window_ = std::make_unique<Window>(this);
    data_.cbSize = kRecordSize;
    data_.hWnd = window_->Handle();
    data_.uID = 0;
    data_.uFlags = NIF_MESSAGE | NIF_ICON;
    data_.uCallbackMessage = kNotifyMessage;
    data_.hIcon = icon_;
    const std::string& tip = hint_.empty() ? app.Title() : hint_;
    lstrcpynA(data_.szTip, tip.c_str(), 64);
    if (data_.szTip[0]) data_.uFlags |= NIF_TIP;
    minimizeToken_ = app.OnMinimize.Add([this] { AppMinimized(); });
    restoreToken_ = app.OnRestore.Add([this] { AppRestored(); });
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    minimized_ = app.Handle() && GetWindowPlacement(app.Handle(), &wp) && wp.showCmd == SW_SHOWMINIMIZED;
}

TTrayIcon::~TTrayIcon() {
    forms::Application& app = forms::Application::Instance();
    app.OnMinimize.Remove(minimizeToken_);
    app.OnRestore.Remove(restoreToken_);
    if (active_) Remove();
    window_.reset();
    if (icon_) DestroyIcon(icon_);
}

HWND TTrayIcon::WindowHandle() const { return window_->Handle(); }

void TTrayIcon::SetActive(bool a) {
    active_ = a;
    if (a && (separate_ || minimized_)) Add();
    else Remove();
}

void TTrayIcon::SetSeparateIcon(bool s) {
    separate_ = s;
    if (s && active_) Add();
    else if (!s && active_ && !minimized_) Remove();
}

void TTrayIcon::SetHint(const std::string& h) {
    if (h == hint_) return;
    hint_ = h;
    lstrcpynA(data_.szTip, h.c_str(), 64);
    if (h.empty()) data_.uFlags &= ~NIF_TIP;
    else data_.uFlags |= NIF_TIP;
    Update();
}

void TTrayIcon::SetIcon(HICON icon) {
    if (icon_) DestroyIcon(icon_);
    icon_ = CopyIcon(icon);
    data_.hIcon = icon_;
    Update();
}

void TTrayIcon::Add() {
    if (!active_ || !shellSupported_ || !pending_) return;
    if (!NotifyIcon(NIM_ADD, &data_)) throw std::runtime_error("Cannot create shell notification icon");
    pending_ = false;
}

void TTrayIcon::Remove() {
    if (!shellSupported_) return;
    NotifyIcon(NIM_DELETE, &data_);
    pending_ = true;
}

void TTrayIcon::Update() {
    if (active_ && shellSupported_) NotifyIcon(NIM_MODIFY, &data_);
}

void TTrayIcon::AppMinimized() {
    HWND app = forms::Application::Instance().Handle();
    if (active_) {
        ShowWindow(app, SW_HIDE);
        if (pending_) Add();
    }
    minimized_ = true;
    if (OnMinimize) OnMinimize();
}

void TTrayIcon::AppRestored() {
    HWND app = forms::Application::Instance().Handle();
    if (active_) {
        ShowWindow(app, SW_RESTORE);
        if (!separate_) Remove();
    }
    if (OnRestore) OnRestore();
    minimized_ = false;
}

void TTrayIcon::Notified(LPARAM mouse) {
    switch (mouse) {
    case WM_LBUTTONUP:
        if (OnClick) OnClick();
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick) OnDblClick();
        break;
    case WM_RBUTTONUP: {
        POINT p;
        GetCursorPos(&p);
        if (PopupMenu && (!IsWindowVisible(forms::Application::Instance().Handle()) || separate_))
            PopupMenu->Popup(p.x, p.y, window_->Handle());
        if (OnRightClick) OnRightClick(forms::MouseButton::Right, 0, p.x, p.y);
        break;
    }
    }
}
