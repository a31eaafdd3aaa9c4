// The application object, the control base with its aligned layout, and forms.
#include "Forms.h"
#include "Menus.h"

#include <unordered_map>

namespace forms {

namespace {

std::unordered_map<HWND, Control*>& ControlMap() {
    static std::unordered_map<HWND, Control*> map;
    return map;
}

void RegisterOwnClass(const char* name, UINT style = CS_DBLCLKS) {
    WNDCLASSEXA wc{};
    if (GetClassInfoExA(GetModuleHandleA(nullptr), name, &wc)) return;
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.cbWndExtra = sizeof(void*);
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    wc.hIcon = Application::Instance().Icon();
    wc.lpfnWndProc = Control::OwnProc;
    if (!RegisterClassExA(&wc)) RaiseLastOSError();
}

}  // namespace


// ---- errors

std::string SystemErrorText(DWORD code) {
    char* buf = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&buf), 0, nullptr);
    std::string text = n ? std::string(buf, n) : "System Error.  Code: " + std::to_string(code) + ".";
    if (buf) LocalFree(buf);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' '))
        text.pop_back();
    return text;
}

EOSError::EOSError(DWORD code) : std::runtime_error(SystemErrorText(code)), code_(code) {}

void RaiseLastOSError() { throw EOSError(GetLastError()); }

unsigned KeyShiftState() {
    unsigned s = 0;
    if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
    if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
    if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
    return s;
}

HFONT DefaultFont() {
    static HFONT font = CreateFontA(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                    CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                                    "MS Sans Serif");
    return font;
}

// ---- Control

Control::~Control() {
    if (parent_) {
        auto& sib = parent_->children_;
        for (auto it = sib.begin(); it != sib.end(); ++it)
            if (*it == this) { sib.erase(it); break; }
    }
    for (Control* c : children_) c->parent_ = nullptr;
    DestroyHandle();
}

void Control::DestroyHandle() {
    if (!hwnd_) return;
    HWND h = hwnd_;
    if (subclassed_) RemoveWindowSubclass(h, SubclassProc, 1);
    ControlMap().erase(h);
    hwnd_ = nullptr;
    if (IsWindow(h)) {
        if (!subclassed_) SetWindowLongPtrA(h, 0, 0);
        DestroyWindow(h);
    }
}

Control* Control::FromHandle(HWND hwnd) {
    auto it = ControlMap().find(hwnd);
    return it == ControlMap().end() ? nullptr : it->second;
}

void Control::Attach(HWND hwnd, bool subclassed) {
    hwnd_ = hwnd;
    subclassed_ = subclassed;
    ControlMap()[hwnd] = this;
    if (subclassed) SetWindowSubclass(hwnd, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
}

void Control::CreateOwn(const char* className, DWORD style, DWORD exStyle, HWND parentOrOwner,
                        const std::string& text) {
    RegisterOwnClass(className);
    HWND h = CreateWindowExA(exStyle, className, text.c_str(), style, 0, 0, 0, 0, parentOrOwner, nullptr,
                             GetModuleHandleA(nullptr), this);
    if (!h) RaiseLastOSError();
}

LRESULT CALLBACK Control::OwnProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Control* self;
    if (msg == WM_NCCREATE) {
        self = static_cast<Control*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(hwnd, 0, reinterpret_cast<LONG_PTR>(self));
        self->hwnd_ = hwnd;
        ControlMap()[hwnd] = self;
        SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultFont()), FALSE);
    } else {
        self = reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, 0));
    }
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ControlMap().erase(hwnd);
        self->hwnd_ = nullptr;
        SetWindowLongPtrA(hwnd, 0, 0);
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    LRESULT r = 0;
    bool done = false;
    Guard([&] { r = self->WndProc(msg, wp, lp); done = true; });
    return done ? r : DefWindowProcA(hwnd, msg, wp, lp);
}

LRESULT CALLBACK Control::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    Control* self = reinterpret_cast<Control*>(data);
    if (msg == WM_NCDESTROY) {
        RemoveWindowSubclass(hwnd, SubclassProc, 1);
        ControlMap().erase(hwnd);
        self->hwnd_ = nullptr;
        return DefSubclassProc(hwnd, msg, wp, lp);
    }
    LRESULT r = 0;
    bool done = false;
    Guard([&] { r = self->WndProc(msg, wp, lp); done = true; });
    return done ? r : DefSubclassProc(hwnd, msg, wp, lp);
}

void Control::CreateNative(const char* className, DWORD style, DWORD exStyle, Control* parent,
                           const std::string& text) {
    HWND h = CreateWindowExA(exStyle, className, text.c_str(), style | WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                             parent ? parent->Handle() : nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!h) RaiseLastOSError();
    Attach(h, true);
    if (parent) {
        parent_ = parent;
        parent->children_.push_back(this);
    }
}

LRESULT Control::DefaultProc(UINT msg, WPARAM wp, LPARAM lp) {
    return subclassed_ ? DefSubclassProc(hwnd_, msg, wp, lp) : DefWindowProcA(hwnd_, msg, wp, lp);
}

LRESULT Control::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_SIZE:
        if (!subclassed_ || !children_.empty()) Realign();
        if (OnResize) OnResize();
        break;
    case WM_COMMAND:
        if (lp) {
            if (Control* c = FromHandle(reinterpret_cast<HWND>(lp)))
                if (c->HandleCommand(HIWORD(wp), LOWORD(wp))) return 0;
        } else if (DispatchMenuCommand(LOWORD(wp))) {
            return 0;
        }
        break;
    case WM_NOTIFY: {
        auto* hdr = reinterpret_cast<NMHDR*>(lp);
        if (Control* c = FromHandle(hdr->hwndFrom)) {
            LRESULT r = 0;
            if (c->HandleNotify(hdr, r)) return r;
        }
        break;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (Control* c = FromHandle(reinterpret_cast<HWND>(lp))) {
            LRESULT r = 0;
            if (c->HandleCtlColor(reinterpret_cast<HDC>(wp), r)) return r;
        }
        break;
    case WM_SETFOCUS:
        if (OnEnter) OnEnter();
        break;
    case WM_KILLFOCUS:
        if (OnExit) OnExit();
        break;
    case WM_KEYDOWN:
        if (OnKeyDown) {
            WORD key = static_cast<WORD>(wp);
            OnKeyDown(key, KeyShiftState());
            if (!key) return 0;
        }
        break;
    case WM_KEYUP:
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(wp);
            OnKeyUp(key, KeyShiftState());
            if (!key) return 0;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (OnMouseDown) {
            MouseButton b = msg == WM_LBUTTONDOWN ? MouseButton::Left
                            : msg == WM_RBUTTONDOWN ? MouseButton::Right : MouseButton::Middle;
            OnMouseDown(b, KeyShiftState(), static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp)));
        }
        break;
    case WM_CONTEXTMENU:
        if (popup_ && reinterpret_cast<HWND>(wp) == hwnd_) {
            POINT pt{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
            if (lp == -1) { pt = {0, 0}; ClientToScreen(hwnd_, &pt); }
            popup_->Popup(pt.x, pt.y, hwnd_);
            return 0;
        }
        break;
    }
    return DefaultProc(msg, wp, lp);
}

void Control::SetParent(Control* parent) {
    if (parent_ == parent) return;
    Control* old = parent_;
    if (old) {
        auto& sib = old->children_;
        for (auto it = sib.begin(); it != sib.end(); ++it)
            if (*it == this) { sib.erase(it); break; }
    }
    parent_ = parent;
    if (parent) parent->children_.push_back(this);
    ::SetParent(hwnd_, parent ? parent->Handle() : nullptr);
    if (old) old->Realign();
    if (parent) parent->Realign();
}

RECT Control::Bounds() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    HWND p = (GetWindowLongA(hwnd_, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd_) : nullptr;
    if (p) MapWindowPoints(nullptr, p, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int Control::Width() const { RECT r = Bounds(); return r.right - r.left; }
int Control::Height() const { RECT r = Bounds(); return r.bottom - r.top; }

RECT Control::ClientRect() const {
    RECT r{};
    GetClientRect(hwnd_, &r);
    return r;
}

void Control::SetBounds(int left, int top, int width, int height) {
    SetWindowPos(hwnd_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (parent_ && align_ != Align::None && !parent_->inLayout_) parent_->Realign();
}

void Control::SetWidth(int w) { RECT r = Bounds(); SetBounds(r.left, r.top, w, r.bottom - r.top); }
void Control::SetHeight(int h) { RECT r = Bounds(); SetBounds(r.left, r.top, r.right - r.left, h); }

void Control::SetAlign(Align a) {
    align_ = a;
    if (parent_) parent_->Realign();
}

bool Control::Visible() const { return (GetWindowLongA(hwnd_, GWL_STYLE) & WS_VISIBLE) != 0; }

void Control::SetVisible(bool v) {
    if (Visible() == v) return;
    ShowWindow(hwnd_, v ? SW_SHOWNA : SW_HIDE);
    if (parent_) parent_->Realign();
}

bool Control::Enabled() const { return IsWindowEnabled(hwnd_) != FALSE; }
void Control::SetEnabled(bool e) { EnableWindow(hwnd_, e); }

std::string Control::Caption() const {
    int n = GetWindowTextLengthA(hwnd_);
    std::string s(n + 1, '\0');
    n = GetWindowTextA(hwnd_, &s[0], n + 1);
    s.resize(n);
    return s;
}

void Control::SetCaption(const std::string& text) { SetWindowTextA(hwnd_, text.c_str()); }
void Control::SetFont(HFONT font) { SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE); }
void Control::SetFocus() { ::SetFocus(hwnd_); }
bool Control::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void Control::Realign() {
    if (!hwnd_ || inLayout_) return;
    inLayout_ = true;
    RECT rc = ClientRect();
    const Align order[] = {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client};
    for (Align a : order) {
        for (Control* c : children_) {
            if (c->align_ != a || !c->Visible()) continue;
            int w = c->Width(), h = c->Height();
            RECT r = rc;
            switch (a) {
            case Align::Top: r.bottom = r.top + h; rc.top = r.bottom; break;
            case Align::Bottom: r.top = r.bottom - h; rc.bottom = r.top; break;
            case Align::Left: r.right = r.left + w; rc.left = r.right; break;
            case Align::Right: r.left = r.right - w; rc.right = r.left; break;
            default: break;
            }
            if (r.right < r.left) r.right = r.left;
            if (r.bottom < r.top) r.bottom = r.top;
            SetWindowPos(c->hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    inLayout_ = false;
}

WinControl::WinControl(Control* parent, DWORD style, DWORD exStyle) {
    CreateOwn("KvWinControl", style | WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, exStyle,
              parent ? parent->Handle() : nullptr);
    Link(parent, this);
}

// ---- Form

Form::Form(const std::string& className, const std::string& caption, int width, int height, DWORD style,
           DWORD exStyle) {
    Application& app = Application::Instance();
    CreateOwn(className.c_str(), style | WS_CLIPCHILDREN, exStyle, app.Handle(), caption);
    font_ = DefaultFont();
    RECT wa{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &wa, 0);
    SetWindowPos(hwnd_, nullptr, wa.left + 40, wa.top + 40, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    app.AddForm(this);
}

Form::~Form() {
    Application::Instance().RemoveForm(this);
    DestroyHandle();
}

void Form::Show() {
    if (!shownOnce_) {
        shownOnce_ = true;
        if (position_ == FormPosition::DesktopCenter) CenterOn(nullptr);
        else if (position_ == FormPosition::MainFormCenter) {
            Form* m = Application::Instance().MainForm();
            CenterOn(m && m != this ? m->Handle() : nullptr);
        }
    }
    ShowWindow(hwnd_, SW_SHOW);
    SetWindowPos(hwnd_, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::Hide() { ShowWindow(hwnd_, SW_HIDE); }

void Form::CenterOn(HWND other) {
    RECT area{};
    if (other) GetWindowRect(other, &area);
    else SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    int w = Width(), h = Height();
    int x = area.left + (area.right - area.left - w) / 2, y = area.top + (area.bottom - area.top - h) / 2;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Form::ShowModal() {
    Application& app = Application::Instance();
    std::vector<HWND> disabled;
    for (Form* f : app.Forms())
        if (f != this && IsWindowEnabled(f->Handle())) {
            EnableWindow(f->Handle(), FALSE);
            disabled.push_back(f->Handle());
        }
    modal_ = true;
    modalResult_ = mrNone;
    Show();
    ::SetActiveWindow(hwnd_);
    while (modalResult_ == mrNone && !app.Terminated() && hwnd_) {
        if (!app.ProcessMessage()) WaitMessage();
    }
    modal_ = false;
    for (HWND h : disabled) EnableWindow(h, TRUE);
    if (hwnd_) Hide();
    return modalResult_;
}

void Form::Close() {
    bool canClose = true;
    if (OnCloseQuery) OnCloseQuery(canClose);
    if (!canClose) return;
    CloseAction action = CloseAction::Hide;
    if (OnClose) OnClose(action);
    if (action == CloseAction::None) return;
    if (modal_) {
        if (modalResult_ == mrNone) modalResult_ = mrCancel;
        return;
    }
    if (Application::Instance().MainForm() == this) {
        Hide();
        Application::Instance().Terminate();
    } else if (action == CloseAction::Minimize) {
        ShowWindow(hwnd_, SW_MINIMIZE);
    } else {
        Hide();
    }
}

void Form::SetStayOnTop(bool top) {
    SetWindowPos(hwnd_, top ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool Form::StayOnTop() const { return (GetWindowLongA(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

void Form::SetMenu(MainMenu* menu) {
    menu_ = menu;
    ::SetMenu(hwnd_, menu ? menu->Handle() : nullptr);
}

bool Form::IsShortCut(WORD key, unsigned shift) {
    for (HWND h = GetFocus(); h && h != hwnd_; h = GetParent(h)) {
        Control* c = FromHandle(h);
        if (c && c->GetPopupMenu() && c->GetPopupMenu()->DispatchShortCut(key, shift)) return true;
    }
    return menu_ && menu_->DispatchShortCut(key, shift);
}

LRESULT Form::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (OnMessage) {
        LRESULT r = 0;
        if (OnMessage(msg, wp, lp, r)) return r;
    }
    switch (msg) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_GETMINMAXINFO:
        if (onMinMax_) {
            onMinMax_(*reinterpret_cast<MINMAXINFO*>(lp));
            return 0;
        }
        break;
    case WM_SHOWWINDOW:
        if (wp && OnShow) OnShow();
        break;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE) {
            // The default handling gives the focus to the form itself; the control that had it
            // when the form was left gets it back, as the user expects.
            LRESULT result = Control::WndProc(msg, wp, lp);
            if (!HIWORD(wp) && lastFocus_ && IsChild(hwnd_, lastFocus_) && IsWindowVisible(lastFocus_) &&
                IsWindowEnabled(lastFocus_))
                ::SetFocus(lastFocus_);
            Application::Instance().SetActiveForm(this);
            if (OnActivate) OnActivate();
            return result;
        }
        if (HWND focus = GetFocus(); focus && IsChild(hwnd_, focus)) lastFocus_ = focus;
        if (OnDeactivate) OnDeactivate();
        break;
    case WM_SYSCOMMAND:
        if ((wp & 0xFFF0) == SC_MINIMIZE && Application::Instance().MainForm() == this) {
            Application::Instance().Minimize();
            return 0;
        }
        break;
    }
    return Control::WndProc(msg, wp, lp);
}

// ---- Event

void Event::Remove(int token) {
    for (auto it = handlers_.begin(); it != handlers_.end(); ++it)
        if (it->first == token) { handlers_.erase(it); return; }
}

void Event::operator()() const {
    auto copy = handlers_;
    for (auto& h : copy) Guard(h.second);
}

// ---- Application

Application& Application::Instance() {
    static Application app;
    return app;
}

HINSTANCE Application::Instance_() const { return GetModuleHandleA(nullptr); }

void Application::Initialize() {
    if (hwnd_) return;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES |
                                              ICC_USEREX_CLASSES | ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&icc);
    if (!icon_) icon_ = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1));
    if (!icon_) icon_ = LoadIcon(nullptr, IDI_APPLICATION);
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = AppProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hIcon = icon_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = "TApplication";
    RegisterClassExA(&wc);
    int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
    hwnd_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                            WS_POPUP | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0, 0,
                            nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (!hwnd_) RaiseLastOSError();
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (hwnd_) SetWindowTextA(hwnd_, title.c_str());
}

void Application::SetIcon(HICON icon) {
    icon_ = icon;
    if (hwnd_) SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void Application::SetActiveForm(Form* f) {
    if (activeForm_ == f) return;
    activeForm_ = f;
    if (OnActiveFormChange) Guard([&] { OnActiveFormChange(); });
}

void Application::RemoveForm(Form* f) {
    for (auto it = forms_.begin(); it != forms_.end(); ++it)
        if (*it == f) { forms_.erase(it); break; }
    if (activeForm_ == f) activeForm_ = nullptr;
    if (mainForm_ == f) mainForm_ = nullptr;
}

void Application::Dispatch(MSG& msg) {
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        HWND root = GetAncestor(msg.hwnd, GA_ROOT);
        if (auto* form = dynamic_cast<Form*>(Control::FromHandle(root))) {
            bool handled = false;
            Guard([&] { handled = form->IsShortCut(static_cast<WORD>(msg.wParam), KeyShiftState()); });
            if (handled) return;
            if (form->Modal() && IsDialogMessageA(root, &msg)) return;
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
}

bool Application::ProcessMessage() {
    MSG msg;
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    Dispatch(msg);
    return true;
}

void Application::ProcessMessages() {
    while (ProcessMessage()) {}
}

void Application::Run() {
    if (hwnd_) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
    while (!terminated_) {
        if (!ProcessMessage()) WaitMessage();
    }
}

void Application::Terminate() {
    terminated_ = true;
    PostQuitMessage(0);
}

void Application::Minimize() {
    if (!IsIconic(hwnd_)) ShowWindow(hwnd_, SW_MINIMIZE);
    OnMinimize();
}

void Application::Restore() {
    if (IsIconic(hwnd_)) ShowWindow(hwnd_, SW_RESTORE);
    if (mainForm_ && !IsWindowVisible(mainForm_->Handle())) ShowWindow(mainForm_->Handle(), SW_SHOW);
    OnRestore();
}

void Application::BringToFront() {
    HWND h = activeForm_ ? activeForm_->Handle() : mainForm_ ? mainForm_->Handle() : hwnd_;
    SetForegroundWindow(h);
}

bool Application::Minimized() const { return hwnd_ && IsIconic(hwnd_); }

void Application::HandleException(const std::exception& e) {
    if (OnException) {
        OnException(e.what());
        return;
    }
    HWND owner = activeForm_ ? activeForm_->Handle() : hwnd_;
    MessageBoxA(owner, e.what(), title_.c_str(), MB_OK | MB_ICONERROR);
}

LRESULT CALLBACK Application::AppProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    Application& app = Instance();
    if (msg == WM_SYSCOMMAND) {
        switch (wp & 0xFFF0) {
        case SC_MINIMIZE: app.Minimize(); return 0;
        case SC_RESTORE: app.Restore(); return 0;
        case SC_CLOSE:
            if (app.mainForm_) app.mainForm_->Close();
            return 0;
        }
    } else if (msg == WM_ACTIVATEAPP && wp && app.mainForm_ && IsWindowEnabled(app.mainForm_->Handle())) {
        // Keep keyboard focus on a form rather than on the invisible application window.
    } else if (msg == WM_SETFOCUS && app.activeForm_) {
        ::SetFocus(app.activeForm_->Handle());
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

void PumpMessages(DWORD ms, const std::function<bool()>& done) {
    Application& app = Application::Instance();
    DWORD start = GetTickCount();
    for (;;) {
        app.ProcessMessages();
        if (done && done()) return;
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

// ---- Timer

namespace {
std::unordered_map<UINT_PTR, Timer*>& TimerMap() {
    static std::unordered_map<UINT_PTR, Timer*> map;
    return map;
}
}  // namespace

Timer::~Timer() { SetEnabled(false); }

void Timer::SetInterval(UINT ms) {
    interval_ = ms;
    if (id_) { SetEnabled(false); SetEnabled(true); }
}

void Timer::SetEnabled(bool e) {
    if (e == (id_ != 0)) return;
    if (e) {
        id_ = SetTimer(nullptr, 0, interval_, Proc);
        if (!id_) RaiseLastOSError();
        TimerMap()[id_] = this;
    } else {
        KillTimer(nullptr, id_);
        TimerMap().erase(id_);
        id_ = 0;
    }
}

void CALLBACK Timer::Proc(HWND, UINT, UINT_PTR id, DWORD) {
    auto it = TimerMap().find(id);
    if (it != TimerMap().end() && it->second->OnTimer) Guard(it->second->OnTimer);
}

}  // namespace forms
