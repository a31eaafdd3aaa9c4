// setup's program run: configuration, system libraries, background window, message
// loop, and the one place where failures that end setup are reported.
#include "Program.h"

#include "CommandLine.h"
#include "Exceptions.h"
#include "ProcessPage.h"
#include "ReinstallCheck.h"
#include "SetupConfig.h"
#include "SetupGlobals.h"
#include "SetupWindow.h"
#include "resource.h"

#include <commctrl.h>
#include <objbase.h>

#include <memory>
#include <new>

namespace {

void OutOfMemoryHandler() { throw WinException("Out of memory"); }

// Writes a line for a debugger; end-to-end tests read the start state this way.
void Trace(const std::string& text) { OutputDebugStringA(("setup: " + text + "\n").c_str()); }

void InitCommonControlsForSystem()
{
    const OSVERSIONINFOEXA extended = GetWindowsVersion();
    const OSVERSIONINFOA& version = reinterpret_cast<const OSVERSIONINFOA&>(extended);
    if (version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS && version.dwMajorVersion == 4 &&
        version.dwMinorVersion == 0) {
        InitCommonControls();
    } else {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = 8;
        controls.dwICC = ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES;
        InitCommonControlsEx(&controls);
    }
}

HICON LoadProgramIcon(HINSTANCE instance, int widthMetric, int heightMetric)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_SETUP), IMAGE_ICON,
                                         GetSystemMetrics(widthMetric), GetSystemMetrics(heightMetric), 0));
}

// What exists of the run, torn down in the order the way out needs.
struct Run {
    std::unique_ptr<SetupConfig> config;
    bool comInitialised = false;
    std::unique_ptr<SetupWindow> window;

    void TearDown()
    {
        window.reset();
        if (comInitialised) {
            CoUninitialize();
            comInitialised = false;
        }
        PublishSetupConfig(nullptr);
        config.reset();
    }
};

int MessageLoop()
{
    MSG message;
    for (;;) {
        BOOL result = GetMessageA(&message, nullptr, 0, 0);
        if (result == 0)
            return static_cast<int>(message.wParam);
        if (result == -1)
            return -1;
        TranslateMessage(&message);
        DispatchMessageA(&message);
        Window::RethrowPendingException();
    }
}

int Report(Run& run, const std::string& text, const char* caption)
{
    try {
        run.TearDown();
    } catch (...) {
    }
    Trace(std::string(caption) + ": " + text);
    MessageBoxA(nullptr, text.c_str(), caption, MB_ICONWARNING | MB_OK);
    return -1;
}

}  // namespace

int RunSetup(HINSTANCE instance, const std::vector<std::string>& args)
{
    SetProgramInstance(instance);
    std::set_new_handler(&OutOfMemoryHandler);
    Run run;
    try {
        run.config.reset(new SetupConfig());
        SetupConfig& config = *run.config;

        if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
            throw WinException("Couldn't initialize COM");
        run.comInitialised = true;

        InitCommonControlsForSystem();

        ApplyCommandLine(config, config.GetSetupDir(), args);
        PublishSetupConfig(&config);
        Trace("SourceDir=" + config.GetVariable("SourceDir", false) +
              " Imitation=" + config.GetVariable("Imitation", false));

        RegisterWindowClass(instance, kSetupWindowClass, LoadProgramIcon(instance, SM_CXICON, SM_CYICON),
                            LoadProgramIcon(instance, SM_CXSMICON, SM_CYSMICON));

        run.window.reset(new SetupWindow(config));

        if (!config.IsUnattended() && config.IsVariableTrue("EnableUninstaller")) {
            DialogReinstallPrompter prompter(config);
            if (!ReinstallCheck(config, prompter)) {
                run.TearDown();
                return 0;
            }
        }

        if (const RunCommand* before = config.GetBeforeInstallCommand())
            before->Run();

        run.window->Create(instance, config.GetVariable("SWWindowTitle", true));

        int exitCode = MessageLoop();
        // The window waits for a stopped installation; only then is the log complete.
        run.window.reset();
        config.ReleaseInstallLog();
        run.TearDown();
        return exitCode;
    } catch (const WinException& e) {
        return Report(run, e.Describe(), "Exception");
    } catch (const FileException& e) {
        return Report(run, e.Describe(), "Error");
    } catch (...) {
        return Report(run, "Unknown", "Exception");
    }
}
