// Korvane's own installation package end to end: the full wizard installs Korvane
// and its shortcuts, file type, registry keys and uninstall entry, and the
// installed Korvane starts; unattended and imitation runs of the same package.
#include "WizardDriver.h"
#include "WizardSupport.h"

#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

namespace {

const char kUserDataKey[] = "SOFTWARE\\Oltrane\\Instorra\\UserData\\Korvane Software";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Korvane";

// Everything the package changes outside its target folder, removed at both ends.
struct PackageTraces {
    PackageTraces() : group("Korvane Test " + std::to_string(GetCurrentProcessId())),
                      programs(ShellFolder(CSIDL_PROGRAMS) + "\\" + group) {}
    std::string group;
    OwnedFolder programs;
    OwnedKey extension{HKEY_CLASSES_ROOT, ".ldb"};
    OwnedKey type{HKEY_CLASSES_ROOT, "Korvane.LinkFile"};
    OwnedKey product{HKEY_LOCAL_MACHINE, "SOFTWARE\\Korvane"};
    OwnedKey userData{HKEY_LOCAL_MACHINE, kUserDataKey};
    OwnedKey uninstall{HKEY_LOCAL_MACHINE, kUninstallKey};
};


void ExpectInstalled(const std::string& target, const PackageTraces& traces)
{
    EXPECT_EQ(ReadFileBytes(WinePath(KORVANE_EXE_PATH)), ReadFileBytes(target + "\\Korvane.exe"));
    EXPECT_EQ(ReadFileBytes(DistFile("Readme.txt")), ReadFileBytes(target + "\\Readme.txt"));
    EXPECT_EQ(ReadFileBytes(DistFile("License.txt")), ReadFileBytes(target + "\\License.txt"));
    EXPECT_TRUE(Exists(target + "\\Links"));
    EXPECT_TRUE(Exists(target + "\\setup.log"));
    EXPECT_FALSE(Exists(target + "\\error.log")) << ReadFileBytes(target + "\\error.log");
    EXPECT_TRUE(Exists(traces.programs.Path() + "\\Korvane.lnk"));
    EXPECT_TRUE(Exists(traces.programs.Path() + "\\Readme.lnk"));
    char url[256] = {};
    GetPrivateProfileStringA("InternetShortcut", "URL", "", url, sizeof url,
                             (traces.programs.Path() + "\\Korvane on the Web.url").c_str());
    EXPECT_STREQ("http://www.korvane.example/", url);
    EXPECT_EQ("Korvane.LinkFile", RegistryText(HKEY_CLASSES_ROOT, ".ldb", nullptr));
    EXPECT_EQ("Korvane link file", RegistryText(HKEY_CLASSES_ROOT, "Korvane.LinkFile", nullptr));
    EXPECT_EQ("\"" + target + "\\Korvane.exe\" \"%1\"",
              RegistryText(HKEY_CLASSES_ROOT, "Korvane.LinkFile\\shell\\open\\command", nullptr));
    EXPECT_EQ(target, RegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Korvane", "InstallDir"));
    EXPECT_EQ("1.0", RegistryText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Korvane", "Version"));
    EXPECT_EQ("Korvane 1.0", RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
    EXPECT_EQ("\"" + target + "\\uninstall.exe\"", RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString"));
    EXPECT_EQ(target, RegistryText(HKEY_LOCAL_MACHINE, std::string(kUserDataKey) + "\\Korvane\\1.0", "AppDir"));
}

struct ProcessWindows {
    DWORD pid;
    std::vector<std::pair<HWND, std::string>> found;
};

BOOL CALLBACK CollectProcessWindow(HWND w, LPARAM p)
{
    auto* c = reinterpret_cast<ProcessWindows*>(p);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    char name[64] = "";
    if (pid == c->pid && IsWindowVisible(w) && GetClassNameA(w, name, sizeof name))
        c->found.emplace_back(w, name);
    return TRUE;
}

// Starts the installed program, waits for its main window, answers its questions with No
// (the first-run import offer, the save question) and its notices with OK, closes it and
// returns its exit code; STILL_ACTIVE when the main window never came or it did not end.
DWORD RunInstalledKorvane(const std::string& target)
{
    std::string line = "\"" + target + "\\Korvane.exe\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, target.c_str(), &startup, &info))
        return STILL_ACTIVE;
    bool mainSeen = false;
    DWORD code = STILL_ACTIVE;
    for (DWORD waited = 0; waited < kPageTimeoutMs; waited += 100) {
        if (WaitForSingleObject(info.hProcess, 100) == WAIT_OBJECT_0) {
            GetExitCodeProcess(info.hProcess, &code);
            break;
        }
        ProcessWindows windows{info.dwProcessId, {}};
        EnumWindows(CollectProcessWindow, reinterpret_cast<LPARAM>(&windows));
        for (const auto& [w, cls] : windows.found) {
            if (cls == "TMessageForm")
                PostMessageA(w, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(w, IDNO)));
            else if (cls == "#32770")
                PostMessageA(w, WM_COMMAND, IDOK, 0);
            else if (cls == "TFMainKvKorvane" && !mainSeen) {
                mainSeen = true;
                PostMessageA(w, WM_CLOSE, 0, 0);
            }
        }
    }
    if (code == STILL_ACTIVE)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return mainSeen ? code : STILL_ACTIVE;
}

HWND Go(WizardRun& run, HWND page, int id, const char* caption)
{
    EXPECT_TRUE(robot::PressControl(page, id)) << "no control " << id;
    HWND next = run.WaitDialog(caption);
    EXPECT_NE(nullptr, next) << "no page " << caption;
    return next;
}

// Walks the package's ten pages; returns the finish page.
HWND WalkToFinish(WizardRun& run, const std::string& target, const std::string& group, bool checkPages)
{
    HWND page = run.WaitDialog("Select Language", 30000);
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ((std::vector<std::string>{"English", "Deutsch"}), ListItems(page, 1017));
        EXPECT_EQ(0, ListSelection(page, 1017));
        robot::WindowQuery backdrop = robot::ByClass("AESetup");
        backdrop.processId = run.Pid();
        HWND window = robot::FindWindows(backdrop).at(0);
        EXPECT_TRUE(IsWindowVisible(window) && IsZoomed(window)) << "the backdrop is shown maximised";
        EXPECT_EQ("Korvane 1.0 Setup", robot::GetText(window));
    }
    page = Go(run, page, 1003, "Welcome");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ("Welcome to the setup of Korvane 1.0.", TextOf(page, 1009));
    }
    page = Go(run, page, 1003, "Software License Agreement");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ(ReadFileBytes(DistFile("License.txt")), TextOf(page, 1005));
    }
    page = Go(run, page, 6, "Readme Information");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ(ReadFileBytes(DistFile("Readme.txt")), TextOf(page, 1005));
    }
    page = Go(run, page, 1003, "User Information");
    if (!page)
        return nullptr;
    page = Go(run, page, 1003, "Choose Destination Directory");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ("Korvane", TextOf(page, 1005).substr(TextOf(page, 1005).rfind('\\') + 1));
        EXPECT_EQ("2048 KB", TextOf(page, 1037));
        EXPECT_TRUE(IsOn(page, 1003));
    }
    robot::SetControlText(page, 1005, target);
    page = Go(run, page, 1003, "Select Program Folder");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ("Korvane", TextOf(page, 1005));
    }
    robot::SetControlText(page, 1005, group);
    page = Go(run, page, 1003, "Start Copying Files");
    if (!page)
        return nullptr;
    if (checkPages) {
        EXPECT_EQ("Destination folder:\r\n  " + target + "\r\n\r\nProgram folder:\r\n  " + group,
                  TextOf(page, 1005));
    }
    page = Go(run, page, 1003, "Installing Korvane");
    if (!page)
        return nullptr;
    return run.WaitDialog("Setup Complete", 30000);
}

TEST(KorvanePackage, FullWizardInstallsKorvaneAndTheInstalledProgramStarts)
{
    PackageTraces traces;
    WizardRun run;
    run.UseRealPackage();
    const std::string target = run.Folder() / "Programs\\Korvane";
    ASSERT_TRUE(run.Start());
    HWND finish = WalkToFinish(run, target, traces.group, true);
    ASSERT_NE(nullptr, finish);
    EXPECT_EQ("Show the readme file", TextOf(finish, 1020));
    EXPECT_FALSE(IsChecked(finish, 1020));
    EXPECT_EQ("Start Korvane now", TextOf(finish, 1021));
    EXPECT_TRUE(IsChecked(finish, 1021));
    // The test starts the installed program itself below, where it can close it again; a
    // copy left running would take every later start's command line as its own.
    ASSERT_TRUE(robot::PressControl(finish, 1021));
    EXPECT_FALSE(IsChecked(finish, 1021));
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    EXPECT_EQ(0u, run.Wait());
    ExpectInstalled(target, traces);
    EXPECT_EQ(0u, RunInstalledKorvane(target));
}

TEST(KorvanePackage, GermanTextsAfterTheLanguageSwitch)
{
    WizardRun run;
    run.UseRealPackage();
    ASSERT_TRUE(run.Start());
    HWND page = run.WaitDialog("Select Language", 30000);
    ASSERT_NE(nullptr, page);
    SelectListItem(page, 1017, 1);
    page = Go(run, page, 1003, "Willkommen");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("&Weiter >", TextOf(page, 1003));
    page = Go(run, page, 1003, "Lizenzvertrag");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ("&Nein", TextOf(page, 7));
    HWND leave = Go(run, page, 7, "Setup beenden");
    ASSERT_NE(nullptr, leave);
    EXPECT_EQ("&Fortsetzen", TextOf(leave, 1000));
    ASSERT_TRUE(robot::PressControl(leave, 1001));
    EXPECT_EQ(0u, run.Wait());
}

TEST(KorvanePackage, UnattendedRunShowsOnlyTheProgressAndInstalls)
{
    PackageTraces traces;
    WizardRun run;
    run.UseRealPackage();
    const std::string target = run.Folder() / "Quiet\\Korvane";
    run.SetIniLine("SetupType", "1");
    run.SetIniLine("DefaultInstallationPath", target);
    run.SetIniLine("DefaultShortcutFolderName", traces.group);
    ASSERT_TRUE(run.Start());
    HWND progress = run.WaitDialog("Installing Korvane");
    ASSERT_NE(nullptr, progress);
    robot::WindowQuery backdrop = robot::ByClass("AESetup");
    backdrop.processId = run.Pid();
    for (HWND window : robot::FindWindows(backdrop))
        EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ((std::vector<std::string>{"Installing Korvane"}), run.VisibleDialogs());
    EXPECT_EQ(0u, run.Wait(30000));
    ExpectInstalled(target, traces);
}

TEST(KorvanePackage, ImitationWalksThroughAndChangesNothing)
{
    PackageTraces traces;
    WizardRun run;
    run.UseRealPackage();
    const std::string target = run.Folder() / "Imitated\\Korvane";
    ASSERT_TRUE(run.Start("-i"));
    HWND finish = WalkToFinish(run, target, traces.group, false);
    ASSERT_NE(nullptr, finish);
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    EXPECT_EQ(0u, run.Wait());
    EXPECT_FALSE(Exists(target + "\\Korvane.exe"));
    EXPECT_FALSE(Exists(traces.programs.Path()));
    EXPECT_EQ("<missing>", RegistryText(HKEY_CLASSES_ROOT, ".ldb", nullptr));
    EXPECT_EQ("<missing>", RegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName"));
}

}  // namespace
