// Drives the windows of another program from outside: finds top-level windows, reads
// their texts and controls, sets edit texts and presses buttons. Used by robot.exe
// and linked directly by end-to-end tests.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace robot {

// Which top-level windows match: every field that is set must be equal.
struct WindowQuery {
    std::string className;
    std::string caption;
    DWORD processId = 0;
    bool hasClass = false;
    bool hasCaption = false;
};

WindowQuery ByClass(const std::string& className);
WindowQuery ByCaption(const std::string& caption);

struct ControlInfo {
    HWND handle;
    int id;
    std::string className;
    std::string text;
    bool visible;
    bool enabled;
};

// Every matching top-level window, hidden ones included, in Z order.
std::vector<HWND> FindWindows(const WindowQuery& query);
// The first match, waiting up to timeoutMs; null on time-out.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);
// Waits until nothing matches; false on time-out.
bool WaitForWindowGone(const WindowQuery& query, DWORD timeoutMs);

std::string GetText(HWND window);
std::string GetClass(HWND window);
// All descendants of the window in creation order.
std::vector<ControlInfo> ListControls(HWND window);
// A descendant with the control id, or null.
HWND FindControl(HWND window, int id);

// WM_SETTEXT to the control; false when there is no such control.
bool SetControlText(HWND window, int id, const std::string& text);
// Clicks the control: BM_CLICK for a button, else WM_COMMAND posted to its parent.
bool PressControl(HWND window, int id);
// Asks the window to close (WM_CLOSE, posted).
bool CloseWindow(HWND window);

// A readable listing: one "window ..." line, then one "control ..." line per control.
std::string Dump(HWND window);
// Texts in the dump are quoted with \\, \", \r, \n and \t escaped.
std::string Quote(const std::string& text);

}  // namespace robot
