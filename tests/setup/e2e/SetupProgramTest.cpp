// setup.exe end to end: its error reports read from the real message box, its exit
// codes, and the start state it traces for a debugger.
#include "Robot.h"
#include "ProgramRunner.h"

#include <gtest/gtest.h>

namespace {

const DWORD kTimeoutMs = 20000;

bool IsFailureExitCode(DWORD code) { return code == 0xFFFFFFFFu || code == 255; }

// A program started by the test; ended by force if the test fails before it ends.
class Child {
public:
    Child(const std::string& commandLine, const std::string& folder, DWORD flags = 0)
    {
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string line = commandLine;
        started_ = CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, flags, nullptr,
                                  folder.empty() ? nullptr : folder.c_str(), &startup, &info_) != FALSE;
    }
    ~Child()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, 5000);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    // The exit code, or STILL_ACTIVE when it did not end in time.
    DWORD Wait(DWORD ms = kTimeoutMs)
    {
        if (WaitForSingleObject(info_.hProcess, ms) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// A folder holding a copy of setup.exe and whichever package files a case needs.
class SetupFolder {
public:
    SetupFolder() { CopyFileA(WinePath(SETUP_EXE_PATH).c_str(), (folder_ / "setup.exe").c_str(), FALSE); }
    TestFolder& Folder() { return folder_; }
    std::string CommandLine(const std::string& args = std::string())
    {
        return "\"" + (folder_ / "setup.exe") + "\"" + (args.empty() ? "" : " " + args);
    }
    void WriteMinimalPackage(std::vector<std::string> extraSetupIni = {})
    {
        std::vector<std::string> ini = {"[GENERAL_INFO]", "ProductName=Tool", "[SETUP_INFO]"};
        ini.insert(ini.end(), extraSetupIni.begin(), extraSetupIni.end());
        folder_.WriteLines("Setup.ini", ini);
        folder_.WriteLines("English.dat", {"[STRINGS]", "1=Setup"});
        folder_.WriteRaw("setup.zip", "PK");
    }

private:
    TestFolder folder_;
};

robot::WindowQuery MessageBoxOf(DWORD pid)
{
    robot::WindowQuery query = robot::ByClass("#32770");
    query.processId = pid;
    return query;
}

struct ErrorCase {
    const char* name;
    bool setupIni;
    bool language;
    bool zip;
    const char* text;
};

TEST(SetupProgram, EachMissingFileGivesOneErrorBoxAndExitCodeMinusOne)
{
    const ErrorCase cases[] = {
        {"no Setup.ini", false, false, false, "Can not open file: \"Setup.ini\""},
        {"no language file", true, false, true, "Can not open file: \"English.dat\""},
        {"no setup.zip", true, true, false, "File not found: \"setup.zip\""},
    };
    for (const ErrorCase& c : cases) {
        SCOPED_TRACE(c.name);
        SetupFolder setup;
        setup.WriteMinimalPackage();
        if (!c.setupIni)
            DeleteFileA((setup.Folder() / "Setup.ini").c_str());
        if (!c.language)
            DeleteFileA((setup.Folder() / "English.dat").c_str());
        if (!c.zip)
            DeleteFileA((setup.Folder() / "setup.zip").c_str());

        Child child(setup.CommandLine(), setup.Folder().Path());
        ASSERT_TRUE(child.Started());
        HWND box = robot::WaitForWindow(MessageBoxOf(child.Id()), kTimeoutMs);
        ASSERT_NE(nullptr, box) << "no message box";
        EXPECT_EQ("Error", robot::GetText(box));
        std::string texts;
        bool found = false;
        for (const robot::ControlInfo& control : robot::ListControls(box)) {
            texts += control.text + "|";
            found = found || control.text == c.text;
        }
        EXPECT_TRUE(found) << texts;
        EXPECT_EQ(1u, robot::FindWindows(MessageBoxOf(child.Id())).size());
        robot::WindowQuery setupWindow = robot::ByClass("AESetup");
        setupWindow.processId = child.Id();
        EXPECT_TRUE(robot::FindWindows(setupWindow).empty());

        ASSERT_TRUE(robot::PressControl(box, IDOK));
        DWORD code = child.Wait();
        EXPECT_TRUE(IsFailureExitCode(code)) << code;
    }
}

TEST(SetupProgram, RobotProgramReadsAndAnswersTheBox)
{
    SetupFolder setup;
    setup.WriteMinimalPackage();
    DeleteFileA((setup.Folder() / "setup.zip").c_str());
    Child child(setup.CommandLine(), setup.Folder().Path());
    ASSERT_TRUE(child.Started());
    const std::string selector = "--class #32770 --pid " + std::to_string(child.Id()) + " --timeout 20";

    std::string output;
    ASSERT_EQ(0u, RunRobot(setup.Folder(), "dump " + selector, output)) << output;
    EXPECT_NE(std::string::npos, output.find("caption=\"Error\"")) << output;
    EXPECT_NE(std::string::npos, output.find("text=" + robot::Quote("File not found: \"setup.zip\""))) << output;
    EXPECT_NE(std::string::npos, output.find("control id=1 ")) << output;

    EXPECT_EQ(3u, RunRobot(setup.Folder(), "press --id 4242 " + selector, output));
    EXPECT_EQ(0u, RunRobot(setup.Folder(), "press --id 1 " + selector, output)) << output;
    EXPECT_EQ(0u, RunRobot(setup.Folder(), "gone " + selector, output)) << output;
    EXPECT_TRUE(IsFailureExitCode(child.Wait()));

    EXPECT_EQ(2u, RunRobot(setup.Folder(), "wait --caption \"No such window here\" --timeout 0.3", output));
    EXPECT_EQ(1u, RunRobot(setup.Folder(), "press --caption x", output));
}

// Runs setup under the test as debugger and collects what it traces; the process
// ends by itself (no wizard yet) and its exit code comes back.
DWORD RunTraced(SetupFolder& setup, const std::string& args, std::string& trace)
{
    Child child(setup.CommandLine(args), setup.Folder().Path(), DEBUG_ONLY_THIS_PROCESS);
    if (!child.Started())
        return STILL_ACTIVE;
    DWORD start = GetTickCount();
    DWORD exitCode = STILL_ACTIVE;
    HANDLE process = nullptr;
    while (GetTickCount() - start < kTimeoutMs) {
        DEBUG_EVENT event;
        if (!WaitForDebugEvent(&event, 200))
            continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            process = event.u.CreateProcessInfo.hProcess;
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            break;
        case OUTPUT_DEBUG_STRING_EVENT: {
            const OUTPUT_DEBUG_STRING_INFO& info = event.u.DebugString;
            std::string text(info.nDebugStringLength, '\0');
            SIZE_T got = 0;
            if (process && !info.fUnicode &&
                ReadProcessMemory(process, info.lpDebugStringData, &text[0], text.size(), &got)) {
                text.resize(got);
                trace += text.c_str();
            }
            break;
        }
        case EXCEPTION_DEBUG_EVENT:
            if (event.u.Exception.ExceptionRecord.ExceptionCode != EXCEPTION_BREAKPOINT)
                status = DBG_EXCEPTION_NOT_HANDLED;
            break;
        case EXIT_PROCESS_DEBUG_EVENT:
            exitCode = event.u.ExitProcess.dwExitCode;
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
        if (exitCode != STILL_ACTIVE)
            break;
    }
    return exitCode;
}

TEST(SetupProgram, CommandLineReachesSourceDirAndImitation)
{
    const struct {
        const char* args;
        const char* sourceDir;  // null: the program's folder
        const char* imitation;
    } cases[] = {
        {"", nullptr, ""},
        {"-d C:\\CD -i", "C:\\CD", "Y"},
        {"-I -s", nullptr, "Y"},
        {"-d", nullptr, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        SetupFolder setup;
        setup.WriteMinimalPackage();
        std::string trace;
        EXPECT_EQ(0u, RunTraced(setup, c.args, trace));
        std::string expected = std::string("setup: SourceDir=") +
                               (c.sourceDir ? c.sourceDir : setup.Folder().Path().c_str()) +
                               " Imitation=" + c.imitation + "\n";
        EXPECT_NE(std::string::npos, trace.find(expected)) << trace;
    }
}

TEST(SetupProgram, BeforeInstallProgramRunsAtStartAndIsWaitedFor)
{
    SetupFolder setup;
    setup.WriteMinimalPackage({"[RUNAPPS]", "RunBeforeInstall=true",
                               "BeforeInstall=cmd.exe,/c ping -n 2 127.0.0.1 >nul & echo ran> \"%SetupDir%\\before.txt\""});
    Child child(setup.CommandLine(), setup.Folder().Path());
    ASSERT_TRUE(child.Started());
    EXPECT_EQ(0u, child.Wait());
    EXPECT_TRUE(setup.Folder().Exists("before.txt"));
}

}  // namespace
