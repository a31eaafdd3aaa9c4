// Whole installation runs on the worker thread: a realistic package with
// all ten sections, read back from the file system, the registry, the
// shortcut objects, setup.log and error.log; imitation runs; stopping; the
// same run under a 9x-family Windows version; the reinstall check.
#include "ErrorLog.h"
#include "FileHandler.h"
#include "InstallLog.h"
#include "InstallWorker.h"
#include "RegistryHandler.h"
#include "ReinstallCheck.h"
#include "ReplaceFile.h"
#include "SetupConfig.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <algorithm>
#include <memory>

namespace {

using Lines = std::vector<std::string>;

const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";
const char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::string Text(const std::string& data) { return data.substr(0, data.find('\0')); }

std::string StringValue(HKEY root, const std::string& key, const std::string& name) {
    DWORD type = 0;
    std::string data;
    if (!ReadValue(root, key, name, type, data)) return "<missing>";
    if (type != REG_SZ) return "<type " + std::to_string(type) + ">";
    return Text(data);
}

// The status texts the worker sets, in order.
Lines statusTexts;
WNDPROC staticProc = nullptr;
LRESULT CALLBACK RecordingStatic(HWND window, UINT message, WPARAM w, LPARAM l) {
    if (message == WM_SETTEXT) statusTexts.push_back(reinterpret_cast<const char*>(l));
    return CallWindowProcA(staticProc, window, message, w, l);
}

// The progress page's part: a page window with a progress bar and a status
// text, and a message loop that runs until the worker's final command.
class ProgressPage {
public:
    ProgressPage() {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_PROGRESS_CLASS};
        InitCommonControlsEx(&controls);
        page = CreateWindowA("STATIC", "page", WS_POPUP | WS_VISIBLE, 0, 0, 300, 100, nullptr, nullptr, nullptr,
                             nullptr);
        bar = CreateWindowA(PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE, 0, 40, 280, 16, page, nullptr, nullptr,
                            nullptr);
        status = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 280, 16, page, nullptr, nullptr, nullptr);
        statusTexts.clear();
        staticProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(status, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingStatic)));
    }
    ~ProgressPage() { DestroyWindow(page); }

    // Pumps messages (the worker sends to the controls) until WM_COMMAND
    // 1048 arrives for the page; false on time-out.
    bool WaitForDone(DWORD timeoutMs) {
        DWORD start = GetTickCount();
        while (GetTickCount() - start < timeoutMs) {
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.hwnd == page && message.message == WM_COMMAND && LOWORD(message.wParam) == 1048 &&
                    message.lParam == 0)
                    return true;
                DispatchMessageA(&message);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        }
        return false;
    }
    int Position() const { return static_cast<int>(SendMessageA(bar, PBM_GETPOS, 0, 0)); }
    int Maximum() const { return static_cast<int>(SendMessageA(bar, PBM_GETRANGE, FALSE, 0)); }

    HWND page, bar, status;
};

std::string Crlf(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

std::string ShellFolder(int csidl) {
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

// A package in a fresh folder that is also the current folder: Setup.ini,
// English.dat and setup.zip, installing into Target below it.
class Package : public ::testing::Test {
protected:
    void SetUp() override {
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        previous_ = current;
        SetCurrentDirectoryA(temp_.Path().c_str());
        ASSERT_TRUE(CopyFileA(Fixture("setup.zip").c_str(), (temp_ / "setup.zip").c_str(), FALSE));
        product_ = "KvTool" + std::to_string(GetCurrentProcessId());
        group_ = "Kv Group " + std::to_string(GetCurrentProcessId());
        target_ = temp_ / "Target";
        programs_ = ShellFolder(CSIDL_PROGRAMS) + "\\" + group_;
        recordLog_ = temp_ / "record.log";
        SetEnvironmentVariableA("KV_RECORD_LOG", recordLog_.c_str());
        HKEY shared;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared,
                                  nullptr), ERROR_SUCCESS);
        RegCloseKey(shared);
        WriteFileText(temp_ / "English.dat",
                      Crlf({"[UNINSTALL_DIALOG]", "Dialog_Title=Remove", "Static1=Removing %ProductName%", "",
                            "Ok=OK", "Cancel=Cancel", "Error=Failed", "[REINSTALL_DIALOG]",
                            "Error1=Cannot remove %ProductName%"}));
    }
    void TearDown() override {
        SetEnvironmentVariableA("KV_RECORD_LOG", nullptr);
        SetCurrentDirectoryA(previous_.c_str());
        RemoveTree(programs_);
        HKEY shared;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, KEY_SET_VALUE, &shared) == ERROR_SUCCESS) {
            RegDeleteValueA(shared, (temp_ / "Shared\\Maker\\shared.dll").c_str());
            RegCloseKey(shared);
        }
    }

    void WriteSetupIni(bool enableUninstaller = true) {
        std::string t = temp_.Path();
        WriteFileText(temp_ / "Setup.ini", Crlf({
            "[GENERAL_INFO]", "ProductName=" + product_, "CompanyName=KvTestCo", "ProductVersion=1.0",
            "[SETUP_INFO]", std::string("EnableUninstaller=") + (enableUninstaller ? "Yes" : "No"),
            "AddRemoveProgramsDescription=Kv Tool for tests", "DefaultInstallationPath=" + target_,
            "DefaultShortcutFolderName=" + group_, "SetupType=1",
            "[RUNAPPS]", "RunAfterInstall=Yes", "AfterInstall=" + Fixture("Recorder.exe") + ",after %AppDir%,,0",
            "RunBeforeUninstall=Yes", "BeforeUninstall=%AppDir%\\uninstall.exe,/stop",
            "[APPLICATION_FOLDERS]", "%AppDir%\\Data",
            "[APPLICATION_FILES]", "1,readme.txt,%AppDir%\\readme.txt", "2,uninstall.exe,%AppDir%\\uninstall.exe",
            "[SHARED_FOLDERS]", t + "\\Shared\\Maker",
            "[SHARED_FILES]", "3,Same.dll," + t + "\\Shared\\Maker\\shared.dll,6",
            "4,Same.dll," + t + "\\Shared\\Maker\\shared.dll,4,7",
            "[SYSTEM_FOLDERS]",
            "[SYSTEM_FILES]", "5,New.dll," + t + "\\System\\new.dll",
            "[REGISTRY_ENTRIES]", "key,HKCU,Software\\KvInstallE2E", "key,HKCU,Software\\KvInstallE2E\\Tool",
            "value,HKCU,Software\\KvInstallE2E\\Tool,Path,S,%AppDir%",
            "value,HKCU,Software\\KvInstallE2E\\Tool,Count,D,10", "value,HKXX,Software,Name,S,x",
            "[FILE_TYPES]", ".kve2e,KvE2E.Document,Kv document,\"%AppDir%\\tool.exe\" \"%1\",%AppDir%\\tool.exe,0",
            "[SHORTCUTS]", "s,%AppSCFolder%\\Kv Tool,%AppDir%\\readme.txt", "i,%AppSCFolder%\\Kv Site,http://example.com/",
            "[INI_FILES]", "%AppDir%\\tool.ini,Options,Path,%AppDir%"}));
    }

    // Runs the worker over the package to its final notification.
    void Run(SetupConfig& config, ProgressPage& page) {
        InstallWorker worker(page.page, config, page.bar, page.status);
        DWORD start = GetTickCount();
        worker.start();
        ASSERT_TRUE(page.WaitForDone(60000));
        ASSERT_TRUE(worker.Wait(10000));
        elapsed_ = GetTickCount() - start;
    }

    TempFolder temp_;
    std::string previous_, product_, group_, target_, programs_, recordLog_;
    DWORD elapsed_ = 0;
    OwnedKey e2e_{HKEY_CURRENT_USER, "Software\\KvInstallE2E"};
    OwnedKey extension_{HKEY_CLASSES_ROOT, ".kve2e"};
    OwnedKey type_{HKEY_CLASSES_ROOT, "KvE2E.Document"};
    OwnedKey company_{HKEY_LOCAL_MACHINE, std::string(kUserDataKey) + "KvTestCo"};
    std::unique_ptr<OwnedKey> uninstall_;
};

const int kRecords = 16;  // lines of the ten record sections above

TEST_F(Package, InstallsEverySectionAndWritesTheLogsForTheUninstaller) {
    WriteSetupIni();
    OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey + product_);
    std::string t = temp_.Path();
    {
        SetupConfig config(t);
        ProgressPage page;
        Run(config, page);
        EXPECT_EQ(page.Maximum(), kRecords);
        EXPECT_EQ(page.Position(), kRecords);
        EXPECT_GE(elapsed_, static_cast<DWORD>(kRecords * 50 - 20));
        EXPECT_FALSE(IsWindowVisible(page.page)) << "hidden before the program after installation";
        EXPECT_EQ(statusTexts.front(), "");
        auto at = [](const std::string& text) {
            for (size_t i = 0; i < statusTexts.size(); ++i)
                if (statusTexts[i] == text) return static_cast<int>(i);
            return -1;
        };
        EXPECT_LT(at(target_ + "\\readme.txt"), at("Create registry keys"));
        EXPECT_LT(at("Create registry keys"), at("Create shortcuts"));
        EXPECT_EQ(statusTexts.back(), "");
        EXPECT_FALSE(FileExists(target_ + "\\setup.log")) << "written when the configuration ends";
    }

    // Files, with the member's date.
    EXPECT_EQ(ReadFileText(target_ + "\\readme.txt"), "Read me\r\n");
    FILETIME written = LastWrite(target_ + "\\readme.txt"), expected = LocalTime(2020, 1, 2, 3, 4, 6);
    EXPECT_EQ(CompareFileTime(&written, &expected), 0);
    EXPECT_TRUE(FileExists(t + "\\System\\new.dll"));
    EXPECT_TRUE(FileExists(t + "\\Shared\\Maker\\shared.dll"));

    // The shared file was counted twice and registered once; the program
    // after installation ran last.
    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kSharedDlls, t + "\\Shared\\Maker\\shared.dll", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 2u);
    Lines ran = SplitLines(ReadFileText(recordLog_));
    ASSERT_EQ(ran.size(), 2u);
    EXPECT_EQ(ran[0], SetupProgramFolder() + "\\Regsvr32.exe /s \"" + t + "\\Shared\\Maker\\shared.dll\"");
    EXPECT_NE(ran[1].find("Recorder.exe after " + target_), std::string::npos) << ran[1];

    // Registry records, file type, uninstall entry and user data key.
    EXPECT_EQ(StringValue(HKEY_CURRENT_USER, "Software\\KvInstallE2E\\Tool", "Path"), target_);
    ASSERT_TRUE(ReadValue(HKEY_CURRENT_USER, "Software\\KvInstallE2E\\Tool", "Count", type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 16u);
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, ".kve2e", ""), "KvE2E.Document");
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "KvE2E.Document\\shell\\open\\command", ""),
              "\"" + target_ + "\\tool.exe\" \"%1\"");
    EXPECT_EQ(StringValue(HKEY_CLASSES_ROOT, "KvE2E.Document\\DefaultIcon", ""), target_ + "\\tool.exe,0");
    std::string uninstallKey = kUninstallKey + product_;
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, uninstallKey, "DisplayName"), "Kv Tool for tests");
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, uninstallKey, "UninstallString"),
              "\"" + target_ + "\\uninstall.exe\"");
    std::string userData = std::string(kUserDataKey) + "KvTestCo\\" + product_ + "\\1.0";
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, userData, "AppDir"), target_);
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, userData, "AppShortcutFolder"), group_);
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, userData, "InstallSource"), SetupProgramFolder());
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, userData, "InstallerVersion"), "1.5");

    // Shortcuts and the INI entry.
    EXPECT_TRUE(FileExists(programs_ + "\\Kv Tool.lnk"));
    char url[MAX_PATH];
    GetPrivateProfileStringA("InternetShortcut", "URL", "", url, MAX_PATH, (programs_ + "\\Kv Site.url").c_str());
    EXPECT_STREQ(url, "http://example.com/");
    char ini[MAX_PATH];
    GetPrivateProfileStringA("Options", "Path", "", ini, MAX_PATH, (target_ + "\\tool.ini").c_str());
    EXPECT_EQ(std::string(ini), target_);

    EXPECT_EQ(SplitLines(ReadFileText(target_ + "\\error.log")), Lines{"Invalid major key:HKXX"});
    EXPECT_EQ(SplitLines(ReadFileText(target_ + "\\setup.log")), (Lines{
        "[COMMON]", "Application_Name=" + product_, "Dialog_Title=Remove", "Static1=Removing %ProductName%",
        "Ok=OK", "Cancel=Cancel", "Error=Failed", "", "", "", "", "", "", "", "",
        "[SHAREDFILES]", t + "\\Shared\\Maker\\shared.dll", t + "\\Shared\\Maker\\shared.dll",
        "[STDFILES]", t + "\\System\\new.dll",
        "[APPFILES]", target_ + "\\error.log", programs_ + "\\Kv Site.url", programs_ + "\\Kv Tool.lnk",
        target_ + "\\uninstall.exe", target_ + "\\readme.txt", target_ + "\\setup.log",
        "[APPFOLDERS]", programs_, t + "\\System", t + "\\Shared\\Maker", t + "\\Shared",
        "[APPDIR]", target_ + "\\Data", target_,
        "[REGENTRY]", "HKLM," + userData, "HKLM," + std::string(kUserDataKey) + "KvTestCo\\" + product_,
        "HKLM," + std::string(kUserDataKey) + "KvTestCo", "HKLM," + uninstallKey,
        "HKCR,KvE2E.Document\\DefaultIcon", "HKCR,KvE2E.Document\\shell\\open\\command", "HKCR,KvE2E.Document",
        "HKCR,.kve2e", "HKCU,Software\\KvInstallE2E\\Tool", "HKCU,Software\\KvInstallE2E",
        "[REGDLLS]", t + "\\Shared\\Maker\\shared.dll",
        "[RUNAPPS]", "BeforeUninstall=" + target_ + "\\uninstall.exe,/stop"}));
}

TEST_F(Package, ImitationStepsThroughEveryRecordAndChangesNothing) {
    WriteSetupIni();
    OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey + product_);
    {
        SetupConfig config(temp_.Path());
        config.SetVariable("Imitation", "Y");
        ProgressPage page;
        Run(config, page);
        EXPECT_EQ(page.Maximum(), kRecords);
        EXPECT_EQ(page.Position(), kRecords);
        EXPECT_GE(elapsed_, static_cast<DWORD>(kRecords * 50 - 20));
        EXPECT_NE(std::find(statusTexts.begin(), statusTexts.end(), "Create registry keys"), statusTexts.end());
    }
    EXPECT_FALSE(FileExists(target_));
    EXPECT_FALSE(FileExists(temp_ / "Shared"));
    EXPECT_FALSE(FileExists(programs_));
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\KvInstallE2E", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_CLASSES_ROOT, ".kve2e", 0, KEY_READ, &key), ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKey + product_).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (std::string(kUserDataKey) + "KvTestCo").c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    // The program after installation runs in imitation too.
    Lines ran = SplitLines(ReadFileText(recordLog_));
    ASSERT_EQ(ran.size(), 1u);
    EXPECT_NE(ran[0].find("Recorder.exe after"), std::string::npos);
}

TEST_F(Package, DisabledUninstallerStillWritesTheUserDataKey) {
    WriteSetupIni(false);
    OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey + product_);
    {
        SetupConfig config(temp_.Path());
        ProgressPage page;
        Run(config, page);
    }
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKey + product_).c_str(), 0, KEY_READ, &key),
              ERROR_SUCCESS);
    std::string userData = std::string(kUserDataKey) + "KvTestCo\\" + product_ + "\\1.0";
    EXPECT_EQ(StringValue(HKEY_LOCAL_MACHINE, userData, "AppDir"), target_);
    std::string log = ReadFileText(target_ + "\\setup.log");
    EXPECT_NE(log.find("\r\nHKLM," + userData + "\r\n"), std::string::npos);
    EXPECT_EQ(log.find("CurrentVersion\\Uninstall"), std::string::npos);
}

TEST_F(Package, MissingArchiveEndsTheRunEarlyButThePageIsStillTold) {
    WriteSetupIni();
    SetupConfig config(temp_.Path());
    DeleteFileA((temp_ / "setup.zip").c_str());
    ProgressPage page;
    Run(config, page);
    EXPECT_EQ(page.Position(), 0);
    EXPECT_TRUE(IsWindowVisible(page.page));
    EXPECT_FALSE(FileExists(target_));
    EXPECT_FALSE(FileExists(recordLog_)) << "no program after installation";
}

// A stop while the page answers the worker, and a stop from the page's own
// thread while the worker is most likely inside a send to the progress bar:
// the wait must answer those sends, or neither thread would go on.
TEST_F(Package, StopRequestEndsTheRunAtTheNextRecordAndCanBeWaitedFor) {
    WriteSetupIni();
    OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey + product_);
    for (bool pumping : {true, false}) {
        SCOPED_TRACE(pumping ? "page answering" : "waiting at once");
        RemoveTree(target_);
        auto config = std::make_unique<SetupConfig>(temp_.Path());
        ProgressPage page;
        InstallWorker worker(page.page, *config, page.bar, page.status);
        worker.start();
        if (pumping)
            ASSERT_FALSE(page.WaitForDone(120));  // a few records
        else
            Sleep(100);
        worker.RequestStop();
        ASSERT_TRUE(worker.Wait(10000));
        EXPECT_TRUE(page.WaitForDone(1000)) << "the final notification is still posted";
        EXPECT_LT(page.Position(), kRecords);
        config.reset();  // safe now: the worker is done with it
        HKEY key;
        EXPECT_NE(RegOpenKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKey + product_).c_str(), 0, KEY_READ, &key),
                  ERROR_SUCCESS);
        EXPECT_FALSE(FileExists(recordLog_));
        if (pumping) {
            // What was done up to the stop is in setup.log.
            std::string log = ReadFileText(target_ + "\\setup.log");
            EXPECT_NE(log.find("[APPDIR]\r\n" + target_ + "\\Data\r\n" + target_ + "\r\n"), std::string::npos) << log;
        }
    }
}

// The reinstall dialog's part, answered by the test.
class Answer : public ReinstallPrompter {
public:
    explicit Answer(ReinstallAnswer answer) : answer_(answer) {}
    ReinstallAnswer Ask() override {
        ++asked;
        return answer_;
    }
    void ShowError(const std::string& text) override { errors.push_back(text); }
    int asked = 0;
    Lines errors;

private:
    ReinstallAnswer answer_;
};

class Reinstall : public Package {
protected:
    void Install(const std::string& appDir, const std::string& group) {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, userData().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                                  &key, nullptr), ERROR_SUCCESS);
        RegSetValueExA(key, "AppDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(appDir.c_str()),
                       static_cast<DWORD>(appDir.size() + 1));
        RegSetValueExA(key, "AppShortcutFolder", 0, REG_SZ, reinterpret_cast<const BYTE*>(group.c_str()),
                       static_cast<DWORD>(group.size() + 1));
        RegCloseKey(key);
    }
    std::string userData() { return std::string(kUserDataKey) + "KvTestCo\\" + product_ + "\\1.0"; }
};

TEST_F(Reinstall, NoEarlierInstallationAsksNothing) {
    WriteSetupIni();
    SetupConfig config(temp_.Path());
    Answer answer(ReinstallAnswer::Cancel);
    EXPECT_TRUE(ReinstallCheck(config, answer));
    EXPECT_EQ(answer.asked, 0);
}

TEST_F(Reinstall, CancelEndsAndNoInstallsOverTheEarlierFolders) {
    WriteSetupIni();
    Install("D:\\Apps\\Tool", "Old Group");
    SetupConfig config(temp_.Path());
    Answer cancel(ReinstallAnswer::Cancel);
    EXPECT_FALSE(ReinstallCheck(config, cancel));
    EXPECT_EQ(config.GetAppDir(), target_);

    Answer no(ReinstallAnswer::No);
    EXPECT_TRUE(ReinstallCheck(config, no));
    EXPECT_EQ(config.GetAppDir(), "D:\\Apps\\Tool");
    EXPECT_EQ(config.GetDefaultInstallationPath(), "D:\\Apps\\Tool");
    EXPECT_EQ(config.GetProgramGroup(), "Old Group");
    EXPECT_EQ(config.GetVariable("DefaultShortcutFolderName", true), "Old Group");
    EXPECT_TRUE(no.errors.empty());
}

TEST_F(Reinstall, YesStartsTheEarlierUninstallerOrReportsThatItCannot) {
    WriteSetupIni();
    Install("D:\\Apps\\Tool", "Old Group");
    OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey + product_);
    SetupConfig config(temp_.Path());

    Answer yes(ReinstallAnswer::Yes);
    EXPECT_TRUE(ReinstallCheck(config, yes)) << "no uninstall entry: installation goes on";
    EXPECT_EQ(yes.errors, Lines{"Cannot remove " + product_});

    CreateDirectoryA((temp_ / "Old").c_str(), nullptr);
    std::string uninstaller = temp_ / "Old\\uninstall.exe";
    ASSERT_TRUE(CopyFileA(Fixture("Recorder.exe").c_str(), uninstaller.c_str(), FALSE));
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, (kUninstallKey + product_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr), ERROR_SUCCESS);
    std::string command = "\"" + uninstaller + "\"";
    RegSetValueExA(key, "UninstallString", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);
    Answer started(ReinstallAnswer::Yes);
    EXPECT_FALSE(ReinstallCheck(config, started));
    EXPECT_TRUE(started.errors.empty());
    for (int i = 0; i < 100 && !FileExists(recordLog_); ++i) Sleep(50);
    Sleep(100);
    EXPECT_EQ(SplitLines(ReadFileText(recordLog_)), Lines{command});
}

// The package and the file records once more, in a copy of this program
// that Wine reports a Windows 98 to (its per-program Version setting).
TEST(Win9xFamily, PackageAndFileRecordsUnderWindows98) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string exe = "kvinstall_win98.exe";
    if (std::string(self).find(exe) != std::string::npos) GTEST_SKIP() << "this is the copy";
    TempFolder temp;
    std::string copy = temp / exe;
    ASSERT_TRUE(CopyFileA(self, copy.c_str(), FALSE));
    ASSERT_TRUE(CopyFileA((SetupProgramFolder() + "\\Regsvr32.exe").c_str(), (temp / "Regsvr32.exe").c_str(), FALSE));
    OwnedKey version(HKEY_CURRENT_USER, "Software\\Wine\\AppDefaults\\" + exe);
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, version.Path().c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                              nullptr), ERROR_SUCCESS);
    RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>("win98"), 6);
    RegCloseKey(key);
    SetEnvironmentVariableA("KV_FIXTURES", FixtureFolder().c_str());

    std::string command = "\"" + copy + "\" --gtest_filter=Package.*:FileRecords.*:Family.* --gtest_color=no";
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr, temp.Path().c_str(),
                               &startup, &process));
    DWORD waited = WaitForSingleObject(process.hProcess, 180000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 99);
    DWORD code = 99;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    SetEnvironmentVariableA("KV_FIXTURES", nullptr);
    EXPECT_EQ(waited, WAIT_OBJECT_0);
    EXPECT_EQ(code, 0u) << "the copy's own output above names the failures";
}

TEST(Family, ReportedByTheSystem) {
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    bool copy = std::string(self).find("kvinstall_win98.exe") != std::string::npos;
    EXPECT_EQ(CurrentWindowsFamily(), copy ? WindowsFamily::Win9x : WindowsFamily::NT);
}

}  // namespace
