// The background window: splash start, backdrop, and the wizard controller.
#include "SetupWindow.h"

#include "ChooserPages.h"
#include "Exceptions.h"
#include "Handles.h"
#include "InstallWorker.h"
#include "Pages.h"
#include "ProcessPage.h"
#include "ProcessWaiter.h"
#include "SetupConfig.h"
#include "SetupGlobals.h"
#include "SetupMessage.h"
#include "resource.h"

#include <shellapi.h>

const char kSetupWindowClass[] = "AESetup";
const char kSplashWindowClass[] = "AESetupSplash";

namespace {

const UINT_PTR kSplashTimer = 1;
const UINT kSplashMs = 2000;
// A stopped installation ends at its next record; this bounds the wait for it.
const DWORD kWorkerStopWaitMs = 5 * 60 * 1000;

struct SystemRow {
    const char* flag;
    DWORD platform;
    DWORD major;
    DWORD minor;
    bool majorOrLower;
    const char* name;
};

const SystemRow kSystems[] = {
    {"SysReqWindows95", VER_PLATFORM_WIN32_WINDOWS, 4, 0, false, "Windows 95"},
    {"SysReqWindows98", VER_PLATFORM_WIN32_WINDOWS, 4, 10, false, "Windows 98"},
    {"SysReqWindowsME", VER_PLATFORM_WIN32_WINDOWS, 4, 90, false, "Windows ME"},
    {"SysReqWindowsNT4", VER_PLATFORM_WIN32_NT, 4, 0, true, "Windows NT4"},
    {"SysReqWindows2000", VER_PLATFORM_WIN32_NT, 5, 0, false, "Windows 2000"},
    {"SysReqWindowsXP", VER_PLATFORM_WIN32_NT, 5, 1, false, "Windows XP"},
};

bool Matches(const SystemRow& row, const OSVERSIONINFOA& version)
{
    if (version.dwPlatformId != row.platform)
        return false;
    if (row.majorOrLower)
        return version.dwMajorVersion <= row.major;
    return version.dwMajorVersion == row.major && version.dwMinorVersion == row.minor;
}

// The show message of each page slot.
const UINT kShowMessages[PageCount] = {
    UM_SHOW_LANGUAGE,  UM_SHOW_WELCOME,       UM_SHOW_LICENSE, UM_SHOW_README,  UM_SHOW_USER_INFO, UM_SHOW_TARGET_DIR,
    UM_SHOW_PROGRAM_GROUP, UM_SHOW_START, UM_SHOW_PROCESS, UM_SHOW_FINISH, UM_EXIT, UM_FINISH_ACTIONS,
};

UINT ShowMessageOf(int page) { return page >= 0 && page < PageCount ? kShowMessages[page] : UM_EXIT; }

}  // namespace

bool EnableShutdownPrivilege()
{
    HANDLE opened = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &opened))
        return false;
    ScopedHandle token(opened);
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    if (!LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &privileges.Privileges[0].Luid))
        return false;
    // The call succeeds also when the token lacks the privilege; only the last error tells.
    return AdjustTokenPrivileges(token.Get(), FALSE, &privileges, 0, nullptr, nullptr) &&
           GetLastError() == ERROR_SUCCESS;
}

void RequestSystemRestart()
{
    // Without the enabled privilege the NT family refuses the restart; the 9x family
    // has no tokens, and a refusal is not reported either way.
    EnableShutdownPrivilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}

SetupWindow::SetupWindow(SetupConfig& config, RestartRequest requestRestart)
    : config_(config), unattended_(config.IsUnattended()), requestRestart_(std::move(requestRestart))
{
}

SetupWindow::~SetupWindow()
{
    if (worker_) {
        worker_->RequestStop();
        if (!worker_->Wait(kWorkerStopWaitMs))
            worker_.release();  // still running: it must never lose its object
    }
    readmeWaiter_.reset();
    splash_.ReleasePicture();
}

void SetupWindow::Create(HINSTANCE instance, const std::string& title)
{
    HWND window = CreateWindowExA(0, kSetupWindowClass, title.c_str(), WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance, this);
    Window::RethrowPendingException();
    if (!window)
        throw WinException("Can't create application window");
}

// --- Backdrop and splash

bool SetupWindow::OnCreate()
{
    if (unattended_ || !config_.IsVariableTrue("DlgSplashWindow")) {
        PostMessageA(handle_, UM_START, 0, 0);
        return true;
    }
    RegisterWindowClass(GetProgramInstance(), kSplashWindowClass, nullptr, nullptr);
    if (splash_.Create(kSplashWindowClass, handle_, GetProgramInstance(),
                       config_.GetVariable("SplWBitmap_Pathname", true))) {
        ShowWindow(splash_.GetHandle(), SW_SHOWNORMAL);
        timerId_ = SetTimer(handle_, kSplashTimer, kSplashMs, nullptr);
    } else {
        PostMessageA(handle_, UM_START, 0, 0);
    }
    return true;
}

void SetupWindow::OnTimer()
{
    KillTimer(handle_, timerId_);
    timerId_ = 0;
    PostMessageA(handle_, UM_START, 0, 0);
    ShowWindow(splash_.GetHandle(), SW_HIDE);
}

void SetupWindow::OnSize(int width, int height)
{
    HDC dc = GetDC(handle_);
    background_.Build(dc, width, height, config_);
    ReleaseDC(handle_, dc);
}

void SetupWindow::OnPaint()
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(handle_, &paint);
    background_.Paint(dc);
    EndPaint(handle_, &paint);
}

// --- Wizard controller

void SetupWindow::OnMessage(UINT id, WPARAM, LPARAM)
{
    switch (id) {
    case UM_EXIT:
        ExitSetup();
        return;
    case UM_START:
        Start();
        return;
    case UM_NEXT: {
        const int next = config_.GetNextPage();
        SendMessageA(handle_, next < 0 ? UM_EXIT : ShowMessageOf(next), 0, 0);
        return;
    }
    case UM_BACK: {
        const int previous = config_.GetPreviousPage();
        SendMessageA(handle_, previous < 0 ? UM_EXIT : ShowMessageOf(previous), 0, 0);
        return;
    }
    case UM_SHOW_LANGUAGE:
        ShowPage<LanguagePage>(PageLanguage, IDD_LANGUAGE);
        return;
    case UM_SHOW_WELCOME:
        ShowPage<WelcomePage>(PageWelcome, IDD_WELCOME);
        return;
    case UM_SHOW_LICENSE:
        ShowPage<LicensePage>(PageLicense, IDD_LICENSE);
        return;
    case UM_SHOW_README:
        ShowPage<ReadmePage>(PageReadme, IDD_README);
        return;
    case UM_SHOW_USER_INFO:
        ShowPage<UserInfoPage>(PageUserInfo, IDD_USER_INFO);
        return;
    case UM_SHOW_TARGET_DIR:
        ShowPage<TargetDirPage>(PageTargetDirectory, IDD_TARGET_DIR);
        return;
    case UM_SHOW_PROGRAM_GROUP:
        ShowPage<ProgramGroupPage>(PageProgramGroup, IDD_PROGRAM_GROUP);
        return;
    case UM_SHOW_START:
        ShowPage<class StartPage>(PageStart, IDD_START);
        return;
    case UM_SHOW_PROCESS: {
        config_.SetCurrentPage(PageProgress);
        ProcessPageFactory factory(config_, worker_);
        PostMessageA(handle_, static_cast<UINT>(RunPageDialog(handle_, IDD_PROCESS, factory)), 0, 0);
        return;
    }
    case UM_SHOW_FINISH:
        ShowPage<FinishPage>(PageFinish, IDD_FINISH);
        return;
    case UM_FINISH_ACTIONS:
        RunFinishActions();
        return;
    case UM_RUN_APPLICATION:
        RunApplication();
        return;
    default:
        return;
    }
}

template <class Page>
void SetupWindow::ShowPage(int page, int templateId)
{
    config_.SetCurrentPage(page);
    PageFactoryOf<Page> factory(config_);
    const INT_PTR result = RunPageDialog(handle_, templateId, factory);
    // A page that could not be shown gives no message and the wizard stays where it is.
    if (result == UM_EXIT || result == UM_NEXT || result == UM_BACK)
        PostMessageA(handle_, static_cast<UINT>(result), 0, 0);
}

void SetupWindow::Start()
{
    if (!unattended_ && config_.IsVariableTrue("DlgSetupWindow")) {
        ShowWindow(handle_, SW_SHOWMAXIMIZED);
        UpdateWindow(handle_);
    }
    if (!unattended_ && !CheckSystemRequirements())
        return;
    SendMessageA(handle_, ShowMessageOf(config_.GetFirstPage()), 0, 0);
}

bool SetupWindow::CheckSystemRequirements()
{
    const OSVERSIONINFOEXA extended = GetWindowsVersion();
    const OSVERSIONINFOA& version = reinterpret_cast<const OSVERSIONINFOA&>(extended);
    if (config_.IsVariableTrue("SysReqAnyWindows"))
        return true;
    const bool abort = config_.IsVariableTrue("SysReqAbortInstallation");
    for (const SystemRow& row : kSystems) {
        if (!Matches(row, version))
            continue;
        if (config_.IsVariableTrue(row.flag))
            return true;
        const std::string caption = config_.GetString(1);
        if (abort) {
            MessageBoxA(nullptr, config_.FormatString(21, row.name).c_str(), caption.c_str(), MB_ICONERROR);
            SendMessageA(handle_, UM_EXIT, 0, 0);
            return false;
        }
        MessageBoxA(nullptr, config_.FormatString(22, row.name).c_str(), caption.c_str(), MB_ICONWARNING);
        return true;
    }
    return true;
}

void SetupWindow::ExitSetup()
{
    if (IsRestartNeeded()) {
        if (MessageBoxA(handle_, config_.GetString(11).c_str(), config_.GetString(10).c_str(),
                        MB_ICONQUESTION | MB_YESNO) == IDYES)
            requestRestart_();
    }
    PostMessageA(handle_, WM_CLOSE, 0, 0);
}

void SetupWindow::RunFinishActions()
{
    if (config_.IsVariableTrue("Imitation")) {
        PostMessageA(handle_, UM_EXIT, 0, 0);
        return;
    }
    config_.SetCurrentPage(PageEnd);
    if (config_.GetViewReadmeChosen()) {
        const std::string readme = config_.GetVariable("FinalReadmePathname", true);
        SHELLEXECUTEINFOA execute{};
        execute.cbSize = sizeof execute;
        execute.fMask = SEE_MASK_NOCLOSEPROCESS;
        execute.hwnd = handle_;
        execute.lpFile = readme.c_str();
        execute.nShow = SW_SHOWNORMAL;
        if (ShellExecuteExA(&execute)) {
            try {
                readmeWaiter_.reset(new ProcessWaiter(handle_, execute.hProcess));
                readmeWaiter_->start();
                return;
            } catch (const thread::GenericError&) {
                readmeWaiter_.reset();
            }
        }
    }
    RunApplication();
}

void SetupWindow::RunApplication()
{
    config_.SetCurrentPage(PageEnd);
    if (config_.GetRunApplicationChosen()) {
        std::string path = config_.GetVariable("Application_Pathname", true);
        const size_t slash = path.rfind('\\');
        const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
        if (path.find(".exe") != std::string::npos) {
            STARTUPINFOA startup{};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process{};
            if (CreateProcessA(nullptr, &path[0], nullptr, nullptr, FALSE, 0, nullptr,
                               folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
                CloseHandle(process.hThread);
                CloseHandle(process.hProcess);
            }
        } else {
            ShellExecuteA(handle_, nullptr, path.c_str(), nullptr, folder.empty() ? nullptr : folder.c_str(),
                          SW_SHOWNORMAL);
        }
    }
    PostMessageA(handle_, UM_EXIT, 0, 0);
}
