// The program's icon in the notification area, with a hint, a pop-up menu and click events; it
// takes the place of the taskbar button while the program is minimised.
#pragma once
#include "Forms.h"
#include "Menus.h"

#include <memory>
#include <shellapi.h>

class TTrayIcon {
public:
    TTrayIcon();
    ~TTrayIcon();
    TTrayIcon(const TTrayIcon&) = delete;
    TTrayIcon& operator=(const TTrayIcon&) = delete;

    bool Active() const { return active_; }
    void SetActive(bool a);
    bool SeparateIcon() const { return separate_; }
    void SetSeparateIcon(bool s);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h);
    void SetIcon(HICON icon);
    forms::PopupMenu* PopupMenu = nullptr;

    bool IconShown() const { return !pending_; }
    const NOTIFYICONDATAA& Data() const { return data_; }
    HWND WindowHandle() const;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(forms::MouseButton, unsigned shift, int x, int y)> OnRightClick;
    std::function<void()> OnMinimize;
    std::function<void()> OnRestore;

    // The shell call, replaceable where there is no notification area to talk to.
    std::function<BOOL(DWORD, NOTIFYICONDATAA*)> NotifyIcon = [](DWORD m, NOTIFYICONDATAA* d) {
        return Shell_NotifyIconA(m, d);
    };

private:
    class Window;
    void Add();
    void Remove();
    void Update();
    void AppMinimized();
    void AppRestored();
    void Notified(LPARAM mouse);
    std::unique_ptr<Window> window_;
    NOTIFYICONDATAA data_{};
    HICON icon_ = nullptr;
    std::string hint_;
    bool active_ = false;
    bool separate_ = false;
    bool shellSupported_;
    bool pending_ = true;
    bool minimized_ = false;
    int minimizeToken_ = 0, restoreToken_ = 0;
};
