// The way out of setup when a file waits for the next restart: the restart question
// owned by the background window, and what each answer does. The system's restart
// itself is replaced by a counter, so that the test session lives on.
#include "ConfigFixture.h"
#include "InstallWorker.h"
#include "Robot.h"
#include "SetupMessage.h"
#include "SetupWindow.h"
#include "Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

const DWORD kTimeoutMs = 20000;

// The restart flag of the installation run, cleared again at the end.
struct RestartFlag {
    explicit RestartFlag(bool needed) { SetRestartNeeded(needed); }
    ~RestartFlag() { SetRestartNeeded(false); }
};

// Runs the message loop until the window's destruction ends it; false on time-out.
bool RunUntilQuit()
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return true;
            DispatchMessageA(&message);
        }
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    return false;
}

TEST(Restart, ExitAsksToRestartOnlyWhenAFileWaitsForItAndYesRequestsIt)
{
    RegisterWindowClass(GetModuleHandleA(nullptr), kSetupWindowClass, nullptr, nullptr);
    struct Case {
        bool needed;
        int answer;  // the button pressed in the question, 0 when none is expected
        int restarts;
    };
    for (const Case& c : {Case{false, 0, 0}, Case{true, IDNO, 0}, Case{true, IDYES, 1}}) {
        SCOPED_TRACE(c.answer);
        ConfigFolder folder;
        folder.SetupIni({"[GENERAL_INFO]", "ProductName=KvRestart", "[SETUP_INFO]", "SetupType=0", "[DIALOGS]"});
        folder.Language("English", {"[STRINGS]", "1=Setup", "10=Restart", "11=Restart the computer now?"});
        std::unique_ptr<SetupConfig> config = folder.Load();
        RestartFlag flag(c.needed);
        int restarts = 0;
        SetupWindow window(*config, [&] { ++restarts; });
        window.Create(GetModuleHandleA(nullptr), "Setup");
        HWND handle = window.GetHandle();
        // Only the way out is under test: the wizard is not started.
        MSG start;
        EXPECT_TRUE(PeekMessageA(&start, handle, UM_START, UM_START, PM_REMOVE));

        std::atomic<bool> asked{false};
        std::string text, ownerClass;
        // Answers the question as the user does; an unexpected one is answered No so
        // that it cannot block the test.
        std::thread user([&] {
            robot::WindowQuery query = robot::ByCaption("Restart");
            query.processId = GetCurrentProcessId();
            HWND box = robot::WaitForWindow(query, c.answer != 0 ? kTimeoutMs : 1500);
            if (!box)
                return;
            asked = true;
            for (const robot::ControlInfo& control : robot::ListControls(box)) {
                if (control.className == "Static" && !control.text.empty())
                    text = control.text;
            }
            ownerClass = robot::GetClass(GetWindow(box, GW_OWNER));
            robot::PressControl(box, c.answer != 0 ? c.answer : IDNO);
        });
        PostMessageA(handle, UM_EXIT, 0, 0);
        const bool ended = RunUntilQuit();
        user.join();
        EXPECT_TRUE(ended) << "the background window is closed";
        EXPECT_FALSE(IsWindow(handle));
        EXPECT_EQ(c.answer != 0, asked.load());
        if (c.answer != 0) {
            EXPECT_EQ("Restart the computer now?", text);
            EXPECT_EQ(kSetupWindowClass, ownerClass);
        }
        EXPECT_EQ(c.restarts, restarts);
    }
}

bool ShutdownPrivilegeEnabled()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    LUID shutdown{};
    LookupPrivilegeValueA(nullptr, SE_SHUTDOWN_NAME, &shutdown);
    char buffer[4096];
    DWORD size = 0;
    bool enabled = false;
    if (GetTokenInformation(token, TokenPrivileges, buffer, sizeof buffer, &size)) {
        const auto* privileges = reinterpret_cast<const TOKEN_PRIVILEGES*>(buffer);
        for (DWORD i = 0; i < privileges->PrivilegeCount; ++i) {
            const LUID_AND_ATTRIBUTES& entry = privileges->Privileges[i];
            if (entry.Luid.LowPart == shutdown.LowPart && entry.Luid.HighPart == shutdown.HighPart)
                enabled = (entry.Attributes & SE_PRIVILEGE_ENABLED) != 0;
        }
    }
    CloseHandle(token);
    return enabled;
}

// The NT family refuses a restart to a process whose shutdown privilege is not enabled.
TEST(Restart, ShutdownPrivilegeIsEnabledBeforeTheRequest)
{
    EXPECT_TRUE(EnableShutdownPrivilege());
    EXPECT_TRUE(ShutdownPrivilegeEnabled());
}

}  // namespace
