// Finding and driving the windows of another program.
#include "Robot.h"

#include <cstdio>

namespace robot {

namespace {

const DWORD kPollMs = 50;
const UINT kSendTimeoutMs = 3000;

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

bool Matches(HWND window, const WindowQuery& query)
{
    if (query.processId) {
        DWORD pid = 0;
        GetWindowThreadProcessId(window, &pid);
        if (pid != query.processId)
            return false;
    }
    if (query.hasClass && GetClass(window) != query.className)
        return false;
    if (query.hasCaption && GetText(window) != query.caption)
        return false;
    return true;
}

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    if (Matches(window, *search->query))
        search->found.push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM param)
{
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

WindowQuery ByClass(const std::string& className)
{
    WindowQuery query;
    query.className = className;
    query.hasClass = true;
    return query;
}

WindowQuery ByCaption(const std::string& caption)
{
    WindowQuery query;
    query.caption = caption;
    query.hasCaption = true;
    return query;
}

std::vector<HWND> FindWindows(const WindowQuery& query)
{
    Search search{&query, {}};
    EnumWindows(&CollectTopLevel, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        std::vector<HWND> found = FindWindows(query);
        if (!found.empty())
            return found.front();
        if (GetTickCount() - start >= timeoutMs)
            return nullptr;
        Sleep(kPollMs);
    }
}

bool WaitForWindowGone(const WindowQuery& query, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        if (FindWindows(query).empty())
            return true;
        if (GetTickCount() - start >= timeoutMs)
            return false;
        Sleep(kPollMs);
    }
}

std::string GetText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &length))
        return std::string();
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_ABORTIFHUNG,
                             kSendTimeoutMs, &copied))
        return std::string();
    text.resize(copied < text.size() ? copied : text.size() - 1);
    return text;
}

std::string GetClass(HWND window)
{
    char name[256] = {};
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? length : 0);
}

std::vector<ControlInfo> ListControls(HWND window)
{
    std::vector<HWND> children;
    EnumChildWindows(window, &CollectChild, reinterpret_cast<LPARAM>(&children));
    std::vector<ControlInfo> controls;
    for (HWND child : children) {
        controls.push_back({child, GetDlgCtrlID(child), GetClass(child), GetText(child),
                            IsWindowVisible(child) != FALSE, IsWindowEnabled(child) != FALSE});
    }
    return controls;
}

HWND FindControl(HWND window, int id)
{
    for (const ControlInfo& control : ListControls(window)) {
        if (control.id == id)
            return control.handle;
    }
    return nullptr;
}

bool SetControlText(HWND window, int id, const std::string& text)
{
    HWND control = FindControl(window, id);
    if (!control)
        return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                               kSendTimeoutMs, &result) != 0;
}

bool PressControl(HWND window, int id)
{
    HWND control = FindControl(window, id);
    if (!control)
        return false;
    if (lstrcmpiA(GetClass(control).c_str(), "Button") == 0) {
        // Posted: the click may end a modal loop whose owner we must not wait for.
        return PostMessageA(control, BM_CLICK, 0, 0) != FALSE;
    }
    HWND parent = GetParent(control);
    return PostMessageA(parent ? parent : window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                        reinterpret_cast<LPARAM>(control)) != FALSE;
}

bool CloseWindow(HWND window) { return PostMessageA(window, WM_CLOSE, 0, 0) != FALSE; }

std::string Quote(const std::string& text)
{
    std::string quoted = "\"";
    for (char c : text) {
        switch (c) {
        case '\\': quoted += "\\\\"; break;
        case '"': quoted += "\\\""; break;
        case '\r': quoted += "\\r"; break;
        case '\n': quoted += "\\n"; break;
        case '\t': quoted += "\\t"; break;
        default: quoted += c;
        }
    }
    return quoted + "\"";
}

std::string Dump(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char head[128];
    std::snprintf(head, sizeof head, "window 0x%08lx pid=%lu visible=%d ",
                  static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)), static_cast<unsigned long>(pid),
                  IsWindowVisible(window) ? 1 : 0);
    std::string out = head;
    out += "class=" + Quote(GetClass(window)) + " caption=" + Quote(GetText(window)) + "\n";
    for (const ControlInfo& control : ListControls(window)) {
        char line[96];
        std::snprintf(line, sizeof line, "control id=%d visible=%d enabled=%d ", control.id, control.visible ? 1 : 0,
                      control.enabled ? 1 : 0);
        out += line;
        out += "class=" + Quote(control.className) + " text=" + Quote(control.text) + "\n";
    }
    return out;
}

}  // namespace robot
