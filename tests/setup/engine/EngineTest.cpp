// Run records, the command line, registry directories, threads, error.log and the
// texts of the exceptions that end setup.
#include "CommandLine.h"
#include "ConfigFixture.h"
#include "ErrorLog.h"
#include "Exceptions.h"
#include "RunCommand.h"
#include "Thread.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

TEST(RunCommand, ParsesUpToSevenCommaSeparatedFields)
{
    const struct {
        const char* record;
        const char* program;
        const char* parameters;
        int show;
        bool noWait;
    } cases[] = {
        {"readme.txt", "readme.txt", "", 0, false},
        {"tool.exe,-x", "tool.exe", "-x", 0, false},
        {"tool.exe,-x,,3,,1,", "tool.exe", "-x", 3, true},
        {"tool.exe, -x ,unused, 7,unused,0,unused", "tool.exe", " -x ", 7, false},
        {",,,,,2", "", "", 0, true},
        {"a.bat,,,x1,,-1", "a.bat", "", 0, true},
    };
    for (const auto& c : cases) {
        RunCommand command(c.record);
        SCOPED_TRACE(c.record);
        EXPECT_EQ(c.program, command.GetProgram());
        EXPECT_EQ(c.parameters, command.GetParameters());
        EXPECT_EQ(c.show, command.GetShowMode());
        EXPECT_EQ(c.noWait, command.GetNoWait());
    }
}

TEST(RunCommand, WaitsForAStartedProgramAndIgnoresFailures)
{
    TestFolder folder;
    std::string marker = folder / "ran.txt";
    // ping delays the echo so that a run that did not wait would miss the file.
    RunCommand("cmd.exe,/c ping -n 2 127.0.0.1 >nul & echo done> \"" + marker + "\"").Run();
    EXPECT_TRUE(folder.Exists("ran.txt"));
    EXPECT_NO_THROW(RunCommand(folder / "missing.exe,-x").Run());
    EXPECT_NO_THROW(RunCommand(folder / "missing.document").Run());
}

TEST(RunCommand, AfterInstallIsExpandedWhenItRuns)
{
    ConfigFolder setup;
    setup.SetupIni({"[SETUP_INFO]", "DefaultInstallationPath=C:\\Nowhere", "[RUNAPPS]", "RunAfterInstall=yes",
                    "AfterInstall=cmd.exe,/c echo ran> \"%AppDir%\\after.txt\""});
    setup.Language("English", {"[STRINGS]"});
    auto config = setup.Load();
    TestFolder target;
    config->SetAppDir(target.Path());
    config->RunAfterInstall();
    EXPECT_TRUE(target.Exists("after.txt"));
}

TEST(CommandLine, OptionsSetSourceDirAndImitation)
{
    const struct {
        std::vector<std::string> args;
        const char* sourceDir;
        bool imitation;
    } cases[] = {
        {{"setup.exe"}, "C:\\Prog", false},
        {{"setup.exe", "-I"}, "C:\\Prog", true},
        {{"setup.exe", "-d"}, "C:\\Prog", false},
        {{"setup.exe", "-d", "C:\\CD", "-i"}, "C:\\CD", true},
        {{"setup.exe", "-D", "-i"}, "-i", false},  // -d consumes the next argument
        {{"setup.exe", "-s", "/i", "other", "-x"}, "C:\\Prog", false},
    };
    for (const auto& c : cases) {
        ConfigFolder setup;
        setup.SetupIni({"[SETUP_INFO]"});
        setup.Language("English", {"[STRINGS]"});
        auto config = setup.Load();
        ApplyCommandLine(*config, "C:\\Prog", c.args);
        EXPECT_EQ(c.sourceDir, config->GetVariable("SourceDir", false)) << c.args.size();
        EXPECT_EQ(c.imitation, config->IsVariableTrue("Imitation")) << c.args.size();
    }
}

// A registry key of the test's own under HKEY_CURRENT_USER, removed afterwards.
class TestKey {
public:
    TestKey() { RegCreateKeyExA(HKEY_CURRENT_USER, kPath, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key_, nullptr); }
    ~TestKey()
    {
        RegCloseKey(key_);
        RegDeleteKeyA(HKEY_CURRENT_USER, kPath);
    }
    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        RegSetValueExA(key_, name, 0, type, static_cast<const BYTE*>(data), size);
    }
    static constexpr const char* kPath = "Software\\KvSetupEngineTest";

private:
    HKEY key_ = nullptr;
};

TEST(RegistryDirectory, StringsAndNumbersAreTakenOtherTypesFallBack)
{
    TestKey key;
    key.Set("Plain", REG_SZ, "D:\\Apps", 8);
    key.Set("Expand", REG_EXPAND_SZ, "%SystemDrive%\\Apps", 19);
    DWORD number = 4711;
    key.Set("Number", REG_DWORD, &number, sizeof number);
    key.Set("Binary", REG_BINARY, "\x01\x02", 2);
    std::string tooLong(400, 'x');
    key.Set("Long", REG_SZ, tooLong.c_str(), static_cast<DWORD>(tooLong.size() + 1));
    const struct {
        const char* value;
        bool acceptNumber;
        const char* expected;
    } cases[] = {
        {"Plain", true, "D:\\Apps"},
        {"Expand", true, "%SystemDrive%\\Apps"},
        {"Number", true, "4711"},
        {"Number", false, "fallback"},
        {"Binary", true, "fallback"},
        {"Long", true, "fallback"},
        {"Missing", true, "fallback"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.expected, ReadRegistryDirectory(HKEY_CURRENT_USER, TestKey::kPath, c.value, "fallback",
                                                    c.acceptNumber))
            << c.value;
    }
    EXPECT_EQ("fallback", ReadRegistryDirectory(HKEY_CURRENT_USER, "Software\\KvNoSuchKey", "Plain", "fallback", true));
}

class Gate {
public:
    Gate() : event_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
    ~Gate() { CloseHandle(event_); }
    void Open() { SetEvent(event_); }
    bool Wait(DWORD ms = 5000) { return WaitForSingleObject(event_, ms) == WAIT_OBJECT_0; }

private:
    HANDLE event_;
};

class CountingThread : public thread::Thread {
public:
    void run() override
    {
        ++runs;
        done.Open();
    }
    std::atomic<int> runs{0};
    Gate done;
};

TEST(Thread, RunsOnceAfterStartAndRefusesASecondStart)
{
    CountingThread worker;
    Sleep(50);
    EXPECT_EQ(0, worker.runs) << "created suspended";
    EXPECT_EQ(2, worker.GetPriority());
    worker.start();
    ASSERT_TRUE(worker.done.Wait());
    try {
        worker.start();
        FAIL() << "no exception";
    } catch (const thread::Thread::Error& e) {
        EXPECT_STREQ("class Thread", e.GetClassText());
        EXPECT_STREQ("Thread can be started only once.", e.GetMessageText());
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(static_cast<HANDLE>(worker.GetHandle()), 5000));
    EXPECT_EQ(1, worker.runs);
}

class ThrowingThread : public thread::Thread {
public:
    void run() override { throw std::runtime_error("lost"); }
};

TEST(Thread, AnExceptionInRunEndsTheThreadQuietly)
{
    ThrowingThread worker;
    worker.start();
    HANDLE handle = static_cast<HANDLE>(worker.GetHandle());
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(handle, 5000));
    DWORD code = 1;
    GetExitCodeThread(handle, &code);
    EXPECT_EQ(0u, code);
}

class BlockingRunnable : public thread::Runnable {
public:
    void run() override
    {
        entered.Open();
        release.Wait();
        finished = true;
        ended.Open();
    }
    Gate entered, release, ended;
    std::atomic<bool> finished{false};
};

TEST(Thread, DestroyingTheObjectLeavesARunningThreadAlone)
{
    BlockingRunnable runnable;
    {
        thread::Thread worker(&runnable);
        worker.start();
        ASSERT_TRUE(runnable.entered.Wait());
    }
    runnable.release.Open();
    ASSERT_TRUE(runnable.ended.Wait());
    EXPECT_TRUE(runnable.finished);
}

TEST(ErrorLog, WritesLinesWithCrLfOnlyWhenThereAreAny)
{
    TestFolder folder;
    std::vector<std::string> recorded;
    ErrorLog log(folder.Path(), [&](const std::string& path) { recorded.push_back(path); });
    log.Close();
    EXPECT_FALSE(folder.Exists("error.log"));
    EXPECT_TRUE(recorded.empty());

    folder.WriteRaw("error.log", "an older, longer file that must be replaced");
    log.Add("Invalid major key:", "HKEY_NOWHERE");
    log.Add("Can't create shortcut:", "C:\\x.lnk");
    log.Close();
    EXPECT_EQ("Invalid major key:HKEY_NOWHERE\r\nCan't create shortcut:C:\\x.lnk\r\n", folder.Read("error.log"));
    EXPECT_TRUE(log.GetLines().empty());
    EXPECT_EQ(std::vector<std::string>{folder / "error.log"}, recorded);
}

TEST(ErrorLog, UnwritableFolderThrowsDiskFull)
{
    TestFolder folder;
    ErrorLog log(folder / "missing", nullptr);
    log.Add("x", "y");
    try {
        log.Close();
        FAIL() << "no exception";
    } catch (const FileException& e) {
        EXPECT_EQ(FileErrorDiskFull, e.GetCode());
        EXPECT_EQ(folder / "missing\\error.log", e.GetFileName());
    }
}

TEST(Exceptions, ReportTexts)
{
    const struct {
        FileErrorCode code;
        const char* text;
    } cases[] = {
        {0, "No error occurred"},
        {1, "File not found"},
        {2, "Can not open file"},
        {3, "There was an error in read operation"},
        {4, "There was an error trying to set the file pointer"},
        {5, "The disk is full"},
        {6, "The end of file was reached"},
        {7, "Unknown error"},
        {-1, "Unknown error"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(c.text) + ": \"x.dat\"", FileException("x.dat", c.code).Describe());
    EXPECT_EQ("RegisterClassEx, Error 1410", WinException("RegisterClassEx", 1410).Describe());
    SetLastError(8);
    EXPECT_EQ(8u, WinException("Out of memory").GetErrorCode());
}

}  // namespace
