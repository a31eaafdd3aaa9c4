// Korvane's form layer: the application object, controls with aligned layout, and forms.
#pragma once
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace forms {

class Form;
class PopupMenu;
class MainMenu;

// A failed platform call, carrying the system's text for its error code.
class EOSError : public std::runtime_error {
public:
    explicit EOSError(DWORD code);
    EOSError(DWORD code, const std::string& text) : std::runtime_error(text), code_(code) {}
    DWORD Code() const { return code_; }
private:
    DWORD code_;
};
std::string SystemErrorText(DWORD code);
[[noreturn]] void RaiseLastOSError();

enum class Align { None, Top, Bottom, Left, Right, Client };

// Shift state of a key or mouse event.
enum ShiftFlags : unsigned { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
enum class MouseButton { Left, Right, Middle };
unsigned KeyShiftState();

// One native window and its object. Children are laid out by their Align on every resize.
class Control {
public:
    Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control();

    HWND Handle() const { return hwnd_; }
    Control* Parent() const { return parent_; }
    const std::vector<Control*>& Children() const { return children_; }
    static Control* FromHandle(HWND hwnd);

    void SetParent(Control* parent);
    void SetBounds(int left, int top, int width, int height);
    RECT Bounds() const;  // in the parent's client coordinates
    int Left() const { return Bounds().left; }
    int Top() const { return Bounds().top; }
    int Width() const;
    int Height() const;
    void SetWidth(int w);
    void SetHeight(int h);
    RECT ClientRect() const;

    Align GetAlign() const { return align_; }
    void SetAlign(Align a);
    bool Visible() const;
    void SetVisible(bool v);
    bool Enabled() const;
    void SetEnabled(bool e);
    std::string Caption() const;
    void SetCaption(const std::string& text);
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& h) { hint_ = h; }
    void SetFont(HFONT font);
    void SetFocus();
    bool Focused() const;
    PopupMenu* GetPopupMenu() const { return popup_; }
    void SetPopupMenu(PopupMenu* p) { popup_ = p; }
    int MinHeight = 0;
    int MinWidth = 0;

    // Lays the children out in the order top, bottom, left, right, client.
    void Realign();

    std::function<void()> OnResize;
    std::function<void()> OnEnter;
    std::function<void()> OnExit;
    std::function<void(WORD& key, unsigned shift)> OnKeyDown;
    std::function<void(WORD& key, unsigned shift)> OnKeyUp;
    std::function<void(MouseButton, unsigned shift, int x, int y)> OnMouseDown;
    std::function<void()> OnClick;
    std::function<void()> OnDblClick;

    // Reflected notifications from the parent; return true when handled.
    virtual bool HandleCommand(WORD code, WORD id) { return false; }
    virtual bool HandleNotify(NMHDR* hdr, LRESULT& result) { return false; }
    virtual bool HandleCtlColor(HDC dc, LRESULT& result) { return false; }

    // Every message of the native window arrives here.
    virtual LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp);
    // Window procedure of the layer's own classes.
    static LRESULT CALLBACK OwnProc(HWND, UINT, WPARAM, LPARAM);

protected:
    // Creates a window of one of the layer's own classes (this arrives through lpCreateParams).
    void CreateOwn(const char* className, DWORD style, DWORD exStyle, HWND parentOrOwner,
                   const std::string& text = "");
    // Creates a native control and hooks it with a subclass.
    void CreateNative(const char* className, DWORD style, DWORD exStyle, Control* parent,
                      const std::string& text = "");
    LRESULT DefaultProc(UINT msg, WPARAM wp, LPARAM lp);
    void Attach(HWND hwnd, bool subclassed);
    static void Link(Control* parent, Control* child) { child->parent_ = parent; if (parent) parent->children_.push_back(child); }
    void DestroyHandle();
    bool LayoutRunning() const { return inLayout_; }

    static LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND hwnd_ = nullptr;
    Control* parent_ = nullptr;
    std::vector<Control*> children_;
    Align align_ = Align::None;
    std::string hint_;
    PopupMenu* popup_ = nullptr;
    bool subclassed_ = false;
    bool inLayout_ = false;
};

// A plain container window of the layer's own class.
class WinControl : public Control {
public:
    explicit WinControl(Control* parent, DWORD style = 0, DWORD exStyle = 0);
};

enum ModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5,
                   mrYes = 6, mrNo = 7, mrAll = 8, mrNoToAll = 9, mrYesToAll = 10 };
enum class FormPosition { Designed, DesktopCenter, MainFormCenter };
enum class CloseAction { None, Hide, Free, Minimize };

// A top-level window owned by the application window.
class Form : public Control {
public:
    // className: the window class to register for this form (the main form's is fixed by the
    // hand-over protocol).
    Form(const std::string& className, const std::string& caption, int width, int height,
         DWORD style = WS_OVERLAPPEDWINDOW, DWORD exStyle = 0);
    ~Form() override;

    void Show();
    void Hide();
    int ShowModal();
    bool Modal() const { return modal_; }
    int GetModalResult() const { return modalResult_; }
    void SetModalResult(int r) { modalResult_ = r; }
    // Asks OnCloseQuery; when allowed, runs OnClose and hides the form (the main form ends the
    // program).
    void Close();
    void SetStayOnTop(bool top);
    bool StayOnTop() const;
    void SetPosition(FormPosition p) { position_ = p; }
    void CenterOn(HWND other);  // nullptr: the desktop work area
    void SetMenu(MainMenu* menu);
    MainMenu* Menu() const { return menu_; }
    HFONT Font() const { return font_; }
    void SetMinMax(std::function<void(MINMAXINFO&)> handler) { onMinMax_ = std::move(handler); }

    // The form's key handling: the focused control's pop-up menu first, then the main menu.
    virtual bool IsShortCut(WORD key, unsigned shift);

    std::function<void(bool& canClose)> OnCloseQuery;
    std::function<void(CloseAction& action)> OnClose;
    std::function<void()> OnShow;
    std::function<void()> OnActivate;
    std::function<void()> OnDeactivate;
    // Any message the form does not handle itself; return true when handled.
    std::function<bool(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result)> OnMessage;

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool modal_ = false;
    int modalResult_ = mrNone;
    bool shownOnce_ = false;
    FormPosition position_ = FormPosition::Designed;
    MainMenu* menu_ = nullptr;
    HFONT font_ = nullptr;
    std::function<void(MINMAXINFO&)> onMinMax_;
    HWND lastFocus_ = nullptr;  // the child that had the focus when the form was last deactivated
};

// A list of handlers that can be removed again by the token Add returned.
class Event {
public:
    int Add(std::function<void()> fn) {
        handlers_.push_back({++last_, std::move(fn)});
        return last_;
    }
    void Remove(int token);
    void operator()() const;

private:
    std::vector<std::pair<int, std::function<void()>>> handlers_;
    int last_ = 0;
};

// The program-wide application object: the hidden window that owns the forms and carries the
// taskbar button, the message loop and the error report.
class Application {
public:
    static Application& Instance();
    void Initialize();
    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }
    HWND Handle() const { return hwnd_; }
    HINSTANCE Instance_() const;
    HICON Icon() const { return icon_; }
    void SetIcon(HICON icon);

    Form* MainForm() const { return mainForm_; }
    void SetMainForm(Form* f) { mainForm_ = f; }
    Form* ActiveForm() const { return activeForm_; }
    void SetActiveForm(Form* f);
    const std::vector<Form*>& Forms() const { return forms_; }
    void AddForm(Form* f) { forms_.push_back(f); }
    void RemoveForm(Form* f);

    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Lets the loop run again after Terminate (a test's next window).
    void ClearTerminated() { terminated_ = false; }
    // Handles one message the way the loop does; false when the queue is empty.
    bool ProcessMessage();
    // Routes one message through the forms' key handling and dispatches it.
    void Dispatch(MSG& msg);
    void ProcessMessages();

    void Minimize();
    void Restore();
    void BringToFront();
    bool Minimized() const;

    // Shows an exception that reached a window procedure.
    void HandleException(const std::exception& e);

    std::function<void()> OnActiveFormChange;
    Event OnMinimize;
    Event OnRestore;
    // Replaces the error message box (tests record the text instead).
    std::function<void(const std::string&)> OnException;

private:
    static LRESULT CALLBACK AppProc(HWND, UINT, WPARAM, LPARAM);
    HWND hwnd_ = nullptr;
    HICON icon_ = nullptr;
    std::string title_;
    Form* mainForm_ = nullptr;
    Form* activeForm_ = nullptr;
    std::vector<Form*> forms_;
    bool terminated_ = false;
};

// Runs the message loop for at most ms milliseconds, or until done() returns true.
void PumpMessages(DWORD ms, const std::function<bool()>& done = nullptr);

// A periodic timer whose ticks arrive through the message loop.
class Timer {
public:
    Timer() = default;
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;
    void SetInterval(UINT ms);
    void SetEnabled(bool e);
    bool Enabled() const { return id_ != 0; }
    std::function<void()> OnTimer;

private:
    static void CALLBACK Proc(HWND, UINT, UINT_PTR, DWORD);
    UINT interval_ = 1000;
    UINT_PTR id_ = 0;
};

// Runs fn and hands any exception to the application's error report.
template <class F>
void Guard(F&& fn) {
    try {
        fn();
    } catch (const std::exception& e) {
        Application::Instance().HandleException(e);
    } catch (...) {
        Application::Instance().HandleException(std::runtime_error("Unknown error"));
    }
}

HFONT DefaultFont();  // "MS Sans Serif" 8 point

}  // namespace forms
