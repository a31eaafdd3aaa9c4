// Runs setup.exe from a folder holding an installation package and drives its
// pages with the window robot: pages are found by caption among the dialogs of
// the setup process, controls by id.
#pragma once
#include "ProgramRunner.h"
#include "Robot.h"
#include "TestFolder.h"

#include <windows.h>

#include <string>
#include <vector>

const DWORD kPageTimeoutMs = 20000;

// The build's package folder (dist) as Wine sees it, and a file in it.
inline std::string DistFile(const std::string& name) { return WinePath(DIST_DIR) + "\\" + name; }

class WizardRun {
public:
    // Copies setup.exe (under the given name) and the archive, license, readme and
    // splash picture of the real package; Setup.ini and language files come from
    // UseRealPackage or the test.
    explicit WizardRun(const std::string& exeName = "setup.exe") : exeName_(exeName)
    {
        CopyFileA(DistFile("setup.exe").c_str(), (folder_ / exeName_).c_str(), FALSE);
        for (const char* name : {"setup.zip", "License.txt", "Readme.txt", "Splash.bmp"})
            CopyFileA(DistFile(name).c_str(), (folder_ / name).c_str(), FALSE);
    }
    ~WizardRun()
    {
        if (info_.hProcess) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
                TerminateProcess(info_.hProcess, 1);
                WaitForSingleObject(info_.hProcess, 5000);
            }
            CloseHandle(info_.hThread);
            CloseHandle(info_.hProcess);
        }
    }
    WizardRun(const WizardRun&) = delete;
    WizardRun& operator=(const WizardRun&) = delete;

    TestFolder& Folder() { return folder_; }
    void UseRealPackage()
    {
        for (const char* name : {"Setup.ini", "English.dat", "Deutsch.dat"})
            CopyFileA(DistFile(name).c_str(), (folder_ / name).c_str(), FALSE);
    }
    // Replaces the Setup.ini line that starts with key= (or appends it to the file's
    // end when there is none).
    void SetIniLine(const std::string& key, const std::string& value)
    {
        std::string text = folder_.Read("Setup.ini");
        const std::string start = key + "=";
        size_t at = text.compare(0, start.size(), start) == 0 ? 0 : text.find("\r\n" + start);
        if (at == std::string::npos) {
            text += start + value + "\r\n";
        } else {
            if (at != 0)
                at += 2;
            size_t end = text.find("\r\n", at);
            text.replace(at, end - at, start + value);
        }
        folder_.WriteRaw("Setup.ini", text);
    }

    bool Start(const std::string& args = std::string())
    {
        std::string line = "\"" + (folder_ / exeName_) + "\"" + (args.empty() ? "" : " " + args);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        return CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, folder_.Path().c_str(),
                              &startup, &info_) != FALSE;
    }
    DWORD Pid() const { return info_.dwProcessId; }
    // The exit code, or STILL_ACTIVE when setup did not end in time.
    DWORD Wait(DWORD ms = kPageTimeoutMs)
    {
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

    robot::WindowQuery Dialogs(const char* caption = nullptr) const
    {
        robot::WindowQuery query = robot::ByClass("#32770");
        query.processId = info_.dwProcessId;
        if (caption) {
            query.caption = caption;
            query.hasCaption = true;
        }
        return query;
    }
    // The visible dialog with the caption, waiting for it.
    HWND WaitDialog(const char* caption, DWORD ms = kPageTimeoutMs) const
    {
        DWORD start = GetTickCount();
        do {
            for (HWND window : robot::FindWindows(Dialogs(caption))) {
                if (IsWindowVisible(window))
                    return window;
            }
            Sleep(50);
        } while (GetTickCount() - start < ms);
        return nullptr;
    }
    // The captions of the visible dialogs of setup.
    std::vector<std::string> VisibleDialogs() const
    {
        std::vector<std::string> captions;
        for (HWND window : robot::FindWindows(Dialogs())) {
            if (IsWindowVisible(window))
                captions.push_back(robot::GetText(window));
        }
        return captions;
    }

private:
    std::string exeName_;
    TestFolder folder_;
    PROCESS_INFORMATION info_{};
};

inline std::string TextOf(HWND dialog, int id) { return robot::GetText(robot::FindControl(dialog, id)); }
inline bool IsShown(HWND dialog, int id) { return IsWindowVisible(robot::FindControl(dialog, id)) != FALSE; }
inline bool IsOn(HWND dialog, int id) { return IsWindowEnabled(robot::FindControl(dialog, id)) != FALSE; }
inline bool IsChecked(HWND dialog, int id)
{
    return SendMessageA(robot::FindControl(dialog, id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}
// Presses a key as the user would: the dialog manager of setup's modal loop sees it.
inline void PressKey(HWND control, WPARAM key)
{
    PostMessageA(control, WM_KEYDOWN, key, 1);
    PostMessageA(control, WM_KEYUP, key, 0xC0000001);
}
// Selects a list box item as a click does: the selection and its notification.
inline void SelectListItem(HWND dialog, int id, int index)
{
    HWND list = robot::FindControl(dialog, id);
    SendMessageA(list, LB_SETCURSEL, index, 0);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}
// Wide messages: Wine hands the ANSI list box text of another process on cut short.
inline std::vector<std::string> ListItems(HWND dialog, int id)
{
    HWND list = robot::FindControl(dialog, id);
    std::vector<std::string> items;
    const int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 512)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        char ansi[1024] = {};
        WideCharToMultiByte(CP_ACP, 0, text, -1, ansi, sizeof ansi, nullptr, nullptr);
        items.push_back(ansi);
    }
    return items;
}
inline int ListSelection(HWND dialog, int id)
{
    return static_cast<int>(SendMessageA(robot::FindControl(dialog, id), LB_GETCURSEL, 0, 0));
}
