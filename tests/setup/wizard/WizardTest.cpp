// setup's wizard end to end on fixture packages: page order with Next and Back, the
// exit confirmation, the progress page and Exit during it, the reinstall question,
// the disk-space lines, the folder browser, the program group list, the user
// information page, the language switch, the version messages, the finish actions
// and the restart question.
#include "FilesInUse.h"
#include "WizardDriver.h"
#include "WizardSupport.h"

#include <gtest/gtest.h>

namespace {

const int kNext = 1003;
const int kBack = 1000;
const int kCancel = 2;
const int kEdit = 1005;

std::string Pid() { return std::to_string(GetCurrentProcessId()); }

// A fixture package in the run's folder, installing into its Target folder.
struct Fixture {
    explicit Fixture(WizardRun& run) : run(run), target(run.Folder() / "Target"), group("Kv Wizard " + Pid()) {}
    void Write(const std::vector<std::string>& dialogs, const Lines& extra = {})
    {
        run.Folder().WriteLines("Setup.ini", FixtureSetupIni(dialogs, target, group, extra));
        run.Folder().WriteLines("English.dat", FixtureLanguage());
    }
    WizardRun& run;
    std::string target;
    std::string group;
};

// Presses the control and waits for the page with the caption.
HWND Go(WizardRun& run, HWND page, int id, const char* caption)
{
    EXPECT_TRUE(robot::PressControl(page, id)) << "no control " << id;
    HWND next = run.WaitDialog(caption);
    EXPECT_NE(nullptr, next) << "no page " << caption << " after " << id;
    return next;
}

// Cancel, then Exit in the confirmation; setup ends with 0.
void LeaveSetup(WizardRun& run, HWND page)
{
    HWND leave = Go(run, page, kCancel, "Leave");
    ASSERT_NE(nullptr, leave);
    ASSERT_TRUE(robot::PressControl(leave, 1001));
    EXPECT_EQ(0u, run.Wait());
}

const std::vector<std::string> kAllPages = {
    "LanguageDialog", "WelcomeDialog", "LicenseDialog", "ReadmeDialog", "UserInfoDialog",
    "TargetDirectoryDialog", "ProgramGroupDialog", "StartDialog", "FinishDialog"};

TEST(Wizard, NextAndBackWalkTheEnabledPagesInOrder)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write(kAllPages);
    ASSERT_TRUE(run.Start());
    struct Step {
        const char* caption;
        int forward;  // the control that goes on
    };
    const Step steps[] = {{"Page 0", kNext}, {"Page 1", kNext}, {"Page 2", 6},     {"Page 3", kNext},
                          {"Page 4", kNext}, {"Page 5", kNext}, {"Page 6", kNext}, {"Page 7", kNext}};
    HWND page = run.WaitDialog("Page 0");
    ASSERT_NE(nullptr, page);
    EXPECT_FALSE(robot::FindControl(page, kBack)) << "the language page has no Back";
    for (size_t i = 0; i + 1 < std::size(steps); ++i) {
        page = Go(run, page, steps[i].forward, steps[i + 1].caption);
        ASSERT_NE(nullptr, page);
    }
    for (size_t i = std::size(steps) - 1; i > 0; --i) {
        if (i == 1) {
            EXPECT_TRUE(IsShown(page, kBack)) << "Back leads to the language page";
        }
        page = Go(run, page, kBack, steps[i - 1].caption);
        ASSERT_NE(nullptr, page);
    }
    for (size_t i = 0; i + 1 < std::size(steps); ++i) {
        page = Go(run, page, steps[i].forward, steps[i + 1].caption);
        ASSERT_NE(nullptr, page);
    }
    // One folder record: the progress page ends at once and the finish page follows.
    page = Go(run, page, kNext, "Page 9");
    ASSERT_NE(nullptr, page);
    EXPECT_FALSE(IsOn(page, kBack));
    EXPECT_EQ("Finish 9", TextOf(page, 1018));
    ASSERT_TRUE(robot::PressControl(page, 1018));
    EXPECT_EQ(0u, run.Wait());
}

TEST(Wizard, BackOnTheFirstPageLeavesWithoutConfirmation)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"LicenseDialog", "WelcomeDialog"});
    ASSERT_TRUE(run.Start());
    HWND welcome = run.WaitDialog("Page 1");
    ASSERT_NE(nullptr, welcome);
    EXPECT_FALSE(IsShown(welcome, kBack)) << "no language page to go back to";
    HWND license = Go(run, welcome, kNext, "Page 2");
    ASSERT_NE(nullptr, license);
    welcome = Go(run, license, kBack, "Page 1");
    ASSERT_NE(nullptr, welcome);
    ASSERT_TRUE(robot::PressControl(welcome, kBack));  // hidden, but still a button
    EXPECT_EQ(0u, run.Wait());
    EXPECT_EQ(nullptr, run.WaitDialog("Leave", 0));
}

TEST(Wizard, LicenseNoAndEscapeAskForConfirmationAndResumeStays)
{
    WizardRun run;
    Fixture fixture(run);
    // Every byte of an 8-bit code page reaches the edit, up to the last one.
    std::string license = "Terms \xE4\xF6\xFC\xDF \xE9\xE8\xEA \xC7\xF1\r\nSecond line\r\nLast\xFF";
    run.Folder().WriteRaw("Terms.txt", license);
    fixture.Write({"LicenseDialog"}, {"[LICENSE_DIALOG]", "License_Pathname=%SetupDir%\\Terms.txt"});
    ASSERT_TRUE(run.Start());
    HWND page = run.WaitDialog("Page 2");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ(license, TextOf(page, kEdit));
    EXPECT_EQ("Static1 of 2", TextOf(page, 1009));
    EXPECT_EQ("Yes 2", TextOf(page, 6));
    EXPECT_EQ("No 2", TextOf(page, 7));

    HWND leave = Go(run, page, 7, "Leave");
    ASSERT_NE(nullptr, leave);
    const std::pair<int, const char*> texts[] = {
        {1009, "Leave text 1"}, {1010, "Leave text 2"}, {1011, "Leave text 3"}, {1000, "Resume"}, {1001, "Exit"}};
    for (const auto& text : texts)
        EXPECT_EQ(text.second, TextOf(leave, text.first));
    ASSERT_TRUE(robot::PressControl(leave, 1000));
    ASSERT_TRUE(robot::WaitForWindowGone(run.Dialogs("Leave"), kPageTimeoutMs));
    EXPECT_TRUE(IsWindowVisible(page)) << "Resume keeps the license page";

    PressKey(robot::FindControl(page, kEdit), VK_ESCAPE);
    leave = run.WaitDialog("Leave");
    ASSERT_NE(nullptr, leave);
    PressKey(leave, VK_RETURN);  // Enter: Exit, the default button
    EXPECT_EQ(0u, run.Wait());
    EXPECT_FALSE(Exists(fixture.target));
}

Lines FolderRecords(int count)
{
    Lines lines = {"[APPLICATION_FOLDERS]"};
    for (int i = 1; i <= count; ++i)
        lines.push_back("%AppDir%\\F" + std::to_string(i));
    return lines;
}

TEST(Wizard, ExitDuringTheProgressStopsTheInstallationAndWaitsForIt)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"WelcomeDialog"}, FolderRecords(100));
    ASSERT_TRUE(run.Start());
    HWND progress = Go(run, run.WaitDialog("Page 1"), kNext, "Page 8");
    ASSERT_NE(nullptr, progress);
    HWND bar = robot::FindControl(progress, 1032);
    EXPECT_EQ("msctls_progress32", robot::GetClass(bar));
    EXPECT_EQ("Cancel 8", TextOf(progress, kCancel));
    Sleep(500);
    HWND leave = Go(run, progress, kCancel, "Leave");
    ASSERT_NE(nullptr, leave);
    const LRESULT before = SendMessageA(bar, PBM_GETPOS, 0, 0);
    EXPECT_EQ(100, SendMessageA(bar, PBM_GETRANGE, FALSE, 0));
    Sleep(400);
    EXPECT_GT(SendMessageA(bar, PBM_GETPOS, 0, 0), before) << "the installation goes on behind the question";
    ASSERT_TRUE(robot::PressControl(leave, 1000));
    ASSERT_TRUE(robot::WaitForWindowGone(run.Dialogs("Leave"), kPageTimeoutMs));
    leave = Go(run, progress, kCancel, "Leave");
    ASSERT_NE(nullptr, leave);
    ASSERT_TRUE(robot::PressControl(leave, 1001));
    EXPECT_EQ(0u, run.Wait());
    EXPECT_TRUE(Exists(fixture.target + "\\F1"));
    EXPECT_FALSE(Exists(fixture.target + "\\F100")) << "stopped at its next record";
    // The log of what was done is written once the worker has let go of the configuration.
    EXPECT_TRUE(Exists(fixture.target + "\\setup.log"));
}

TEST(Wizard, ProgressResumedRunsToTheFinishPage)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"FinishDialog"}, FolderRecords(30));
    ASSERT_TRUE(run.Start());
    HWND progress = run.WaitDialog("Page 8");
    ASSERT_NE(nullptr, progress);
    HWND leave = Go(run, progress, kCancel, "Leave");
    ASSERT_NE(nullptr, leave);
    ASSERT_TRUE(robot::PressControl(leave, 1000));
    HWND finish = run.WaitDialog("Page 9");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(Exists(fixture.target + "\\F30"));
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    EXPECT_EQ(0u, run.Wait());
}

const char kUserDataKey[] = "SOFTWARE\\Oltrane\\Instorra\\UserData\\KvWizardCo";
const char kUninstallKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\KvWizardTest";

TEST(Wizard, ReinstallDialogAnswers)
{
    enum Answer { No, Cancel, CloseBox, YesUninstalls, YesFails };
    for (Answer answer : {No, Cancel, CloseBox, YesUninstalls, YesFails}) {
        SCOPED_TRACE(answer);
        OwnedKey userData(HKEY_LOCAL_MACHINE, kUserDataKey);
        OwnedKey uninstall(HKEY_LOCAL_MACHINE, kUninstallKey);
        WizardRun run;
        Fixture fixture(run);
        fixture.Write({"TargetDirectoryDialog", "ProgramGroupDialog"});
        run.SetIniLine("EnableUninstaller", "Yes");
        const std::string earlier = run.Folder() / "Earlier";
        const std::string version = std::string(kUserDataKey) + "\\KvWizardTest\\2.5";
        WriteRegistryText(HKEY_LOCAL_MACHINE, version, "AppDir", earlier);
        WriteRegistryText(HKEY_LOCAL_MACHINE, version, "AppShortcutFolder", "Earlier Group");
        const std::string log = run.Folder() / "record.log";
        SetEnvironmentVariableA("KV_RECORD_LOG", log.c_str());
        if (answer == YesUninstalls) {
            CopyFileA(WinePath(RECORDER_EXE_PATH).c_str(), (run.Folder() / "uninstall.exe").c_str(), FALSE);
            WriteRegistryText(HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString",
                              "\"" + (run.Folder() / "uninstall.exe") + "\"");
        }
        ASSERT_TRUE(run.Start());
        HWND question = run.WaitDialog("Again");
        ASSERT_NE(nullptr, question);
        EXPECT_EQ(nullptr, GetWindow(question, GW_OWNER));
        EXPECT_EQ("Installed already", TextOf(question, 1009));
        EXPECT_EQ("Remove", TextOf(question, 1059));
        EXPECT_EQ("Over", TextOf(question, 1060));
        EXPECT_EQ("Stop", TextOf(question, 1056));
        switch (answer) {
        case No: {
            HWND target = Go(run, question, 1060, "Page 5");
            ASSERT_NE(nullptr, target);
            EXPECT_EQ(earlier, TextOf(target, kEdit));
            HWND group = Go(run, target, kNext, "Page 6");
            ASSERT_NE(nullptr, group);
            EXPECT_EQ("Earlier Group", TextOf(group, kEdit));
            LeaveSetup(run, group);
            break;
        }
        case Cancel:
        case CloseBox:
            if (answer == Cancel)
                ASSERT_TRUE(robot::PressControl(question, 1056));
            else
                ASSERT_TRUE(robot::CloseWindow(question));
            EXPECT_EQ(0u, run.Wait());
            EXPECT_EQ(nullptr, run.WaitDialog("Page 5", 0));
            break;
        case YesUninstalls:
            ASSERT_TRUE(robot::PressControl(question, 1059));
            EXPECT_EQ(0u, run.Wait());
            Sleep(500);
            EXPECT_NE(std::string::npos, run.Folder().Read("record.log").find("uninstall.exe"));
            break;
        case YesFails: {
            HWND box = Go(run, question, 1059, "Setup");
            ASSERT_NE(nullptr, box);
            bool found = false;
            for (const robot::ControlInfo& control : robot::ListControls(box))
                found = found || control.text == "Cannot remove KvWizardTest";
            EXPECT_TRUE(found);
            HWND target = Go(run, box, IDOK, "Page 5");
            ASSERT_NE(nullptr, target);
            EXPECT_EQ(fixture.target, TextOf(target, kEdit)) << "the default stays the configured one";
            LeaveSetup(run, target);
            break;
        }
        }
        SetEnvironmentVariableA("KV_RECORD_LOG", nullptr);
    }
}

unsigned long long FreeKb(const std::string& path)
{
    ULARGE_INTEGER available{}, total{}, free{};
    GetDiskFreeSpaceExA(path.substr(0, 3).c_str(), &available, &total, &free);
    return available.QuadPart / 1024;
}

TEST(Wizard, DiskSpaceLinesAndNextFollowTheRequiredSpace)
{
    struct Case {
        const char* required;
        bool lines;
        bool next;
    };
    for (const Case& c : {Case{"", false, true}, Case{"1", true, true}, Case{"4294967295", true, false}}) {
        SCOPED_TRACE(c.required);
        WizardRun run;
        Fixture fixture(run);
        fixture.Write({"TargetDirectoryDialog"});
        run.SetIniLine("RequiredDiskSpace", c.required);
        ASSERT_TRUE(run.Start());
        HWND page = run.WaitDialog("Page 5");
        ASSERT_NE(nullptr, page);
        EXPECT_EQ(fixture.target, TextOf(page, kEdit));
        for (int id : {1013, 1037, 1015, 1038})
            EXPECT_EQ(c.lines, IsShown(page, id)) << id;
        EXPECT_EQ(c.next, IsOn(page, kNext));
        if (c.lines) {
            EXPECT_EQ("Static5 of 5", TextOf(page, 1013));
            EXPECT_EQ("Static7 of 5", TextOf(page, 1015));
            EXPECT_EQ(std::string(c.required) + " KB", TextOf(page, 1037));
            const std::string shown = TextOf(page, 1038);
            const unsigned long long free = FreeKb(fixture.target);
            const unsigned long long read = std::strtoull(shown.c_str(), nullptr, 10);
            // Other test programs write to the same disk meanwhile, so allow 256 MB of drift.
            EXPECT_LE(read > free ? read - free : free - read, 256u * 1024u) << shown << " against " << free;
            EXPECT_EQ(" KB", shown.substr(shown.size() - 3));
        }
        // An empty folder name is refused: Next does nothing.
        ASSERT_TRUE(robot::SetControlText(page, kEdit, ""));
        robot::PressControl(page, kNext);
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(page));
        LeaveSetup(run, page);
    }
}

TEST(Wizard, TypedFolderAndChosenGroupReachTheSummaryAndBackDropsThem)
{
    const std::string pid = Pid();
    const std::string programs = ShellFolder(CSIDL_PROGRAMS);
    OwnedFolder groupA(programs + "\\KvWizGroupA" + pid);
    OwnedFolder groupB(programs + "\\KvWizGroupB" + pid);
    OwnedFolder hidden(programs + "\\.KvWizHidden" + pid);
    CreateDirectoryA(groupA.Path().c_str(), nullptr);
    CreateDirectoryA(groupB.Path().c_str(), nullptr);
    CreateDirectoryA(hidden.Path().c_str(), nullptr);
    const std::string file = programs + "\\KvWizFile" + pid + ".lnk";
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    CloseHandle(handle);

    WizardRun run;
    Fixture fixture(run);
    fixture.group = "kvwizgroupa" + pid;  // found in the list ignoring case
    fixture.Write({"WelcomeDialog", "TargetDirectoryDialog", "ProgramGroupDialog", "StartDialog"});
    ASSERT_TRUE(run.Start());
    HWND target = Go(run, run.WaitDialog("Page 1"), kNext, "Page 5");
    ASSERT_NE(nullptr, target);
    ASSERT_TRUE(robot::SetControlText(target, kEdit, run.Folder() / "Dropped"));
    target = Go(run, Go(run, target, kBack, "Page 1"), kNext, "Page 5");
    ASSERT_NE(nullptr, target);
    EXPECT_EQ(fixture.target, TextOf(target, kEdit)) << "Back drops what was typed";
    const std::string typed = run.Folder() / "Typed";
    ASSERT_TRUE(robot::SetControlText(target, kEdit, typed));

    HWND group = Go(run, target, kNext, "Page 6");
    ASSERT_NE(nullptr, group);
    EXPECT_EQ(fixture.group, TextOf(group, kEdit));
    const std::vector<std::string> items = ListItems(group, 1017);
    int indexA = -1, indexB = -1;
    for (size_t i = 0; i < items.size(); ++i) {
        EXPECT_NE('.', items[i][0]) << items[i];
        EXPECT_NE("KvWizFile" + pid + ".lnk", items[i]);
        if (items[i] == "KvWizGroupA" + pid)
            indexA = static_cast<int>(i);
        if (items[i] == "KvWizGroupB" + pid)
            indexB = static_cast<int>(i);
        if (i > 0) {
            EXPECT_LE(lstrcmpiA(items[i - 1].c_str(), items[i].c_str()), 0) << "sorted";
        }
    }
    ASSERT_GE(indexA, 0);
    ASSERT_GE(indexB, 0);
    EXPECT_EQ(indexA, ListSelection(group, 1017));
    EXPECT_EQ(fixture.group, TextOf(group, kEdit)) << "the selection does not change the edit";
    SelectListItem(group, 1017, indexB);
    Sleep(300);
    EXPECT_EQ("KvWizGroupB" + pid, TextOf(group, kEdit));

    HWND start = Go(run, group, kNext, "Page 7");
    ASSERT_NE(nullptr, start);
    EXPECT_EQ("String1 7\r\n  " + typed + "\r\n\r\nString2 7\r\n  KvWizGroupB" + pid, TextOf(start, kEdit));
    LeaveSetup(run, start);
    DeleteFileA(file.c_str());
}

TEST(Wizard, LanguageSwitchReloadsThePageTexts)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"LanguageDialog", "WelcomeDialog"});
    run.SetIniLine("SetupLanguages", "English,Deutsch");
    run.SetIniLine("DefaultSetupLanguage", "Deu");
    run.Folder().WriteLines("Deu.dat", FixtureLanguage(" Deu"));
    run.Folder().WriteLines("Deutsch.dat", FixtureLanguage(" DE"));
    ASSERT_TRUE(run.Start());
    HWND page = run.WaitDialog("Page 0 Deu");
    ASSERT_NE(nullptr, page);
    EXPECT_EQ((std::vector<std::string>{"English", "Deutsch"}), ListItems(page, 1017));
    EXPECT_EQ(1, ListSelection(page, 1017)) << "Deu selects Deutsch";
    HWND welcome = Go(run, page, kNext, "Page 1 DE");
    ASSERT_NE(nullptr, welcome);
    EXPECT_EQ("Next 1 DE", TextOf(welcome, kNext));
    EXPECT_EQ("Static4 of 1 DE", TextOf(welcome, 1012));
    HWND leave = Go(run, welcome, kCancel, "Leave DE");
    ASSERT_NE(nullptr, leave);
    ASSERT_TRUE(robot::PressControl(leave, 1001));
    EXPECT_EQ(0u, run.Wait());
}

TEST(Wizard, VersionMessagesUnderWindows98AndXp)
{
    struct Case {
        const char* exe;
        const char* version;
        const char* key;
        const char* name;
        bool abort;
    };
    const Case cases[] = {
        {"setup98.exe", "win98", "Windows98", "Windows 98", false},
        {"setup98.exe", "win98", "Windows98", "Windows 98", true},
        {"setupxp.exe", "winxp", "WindowsXP", "Windows XP", false},
        {"setupxp.exe", "winxp", "WindowsXP", "Windows XP", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + (c.abort ? " abort" : " warn"));
        const std::string appDefaults = std::string("Software\\Wine\\AppDefaults\\") + c.exe;
        OwnedKey key(HKEY_CURRENT_USER, appDefaults);
        WriteRegistryText(HKEY_CURRENT_USER, appDefaults, "Version", c.version);
        WizardRun run(c.exe);
        Fixture fixture(run);
        fixture.Write({"WelcomeDialog"});
        run.SetIniLine("AnyWindows", "No");
        run.SetIniLine("AbortInstallation", c.abort ? "Yes" : "No");
        run.SetIniLine(c.key, "No");
        ASSERT_TRUE(run.Start());
        HWND box = run.WaitDialog("Requirements");
        ASSERT_NE(nullptr, box);
        const std::string expected = c.abort ? std::string("Not on ") + c.name + ", ending. %1"
                                             : std::string("Not tested on ") + c.name + ". %1";
        bool found = false;
        std::string texts;
        for (const robot::ControlInfo& control : robot::ListControls(box)) {
            texts += control.text + "|";
            found = found || control.text == expected;
        }
        EXPECT_TRUE(found) << texts;
        ASSERT_TRUE(robot::PressControl(box, IDOK));
        if (c.abort) {
            EXPECT_EQ(0u, run.Wait());
            EXPECT_EQ(nullptr, run.WaitDialog("Page 1", 0));
        } else {
            HWND welcome = run.WaitDialog("Page 1");
            ASSERT_NE(nullptr, welcome);
            LeaveSetup(run, welcome);
        }
    }
}

TEST(Wizard, FinishChoicesOpenTheReadmeThenStartTheApplication)
{
    WizardRun run;
    Fixture fixture(run);
    const std::string log = run.Folder() / "record.log";
    SetEnvironmentVariableA("KV_RECORD_LOG", log.c_str());
    CopyFileA(WinePath(RECORDER_EXE_PATH).c_str(), (run.Folder() / "Tool.exe").c_str(), FALSE);
    run.Folder().WriteLines("notes.bat", {"@echo viewed> \"%~dp0viewed.txt\""});
    fixture.Write({"FinishDialog"},
                  {"[FINISH_DIALOG]", "Show_ViewReadme_CheckBox=Yes", "Show_ViewReadme_Checked=Yes",
                   "Readme_Pathname=%SetupDir%\\notes.bat", "Show_RunApplication_CheckBox=Yes",
                   "Show_RunApplication_Checked=No", "Application_Pathname=%SetupDir%\\Tool.exe"});
    ASSERT_TRUE(run.Start());
    HWND finish = run.WaitDialog("Page 9");
    ASSERT_NE(nullptr, finish);
    EXPECT_TRUE(IsShown(finish, 1020));
    EXPECT_TRUE(IsChecked(finish, 1020));
    EXPECT_EQ("Check1 9", TextOf(finish, 1020));
    EXPECT_TRUE(IsShown(finish, 1021));
    EXPECT_FALSE(IsChecked(finish, 1021));
    ASSERT_TRUE(robot::PressControl(finish, 1021));
    EXPECT_TRUE(IsChecked(finish, 1021));
    PressKey(finish, VK_ESCAPE);
    Sleep(300);
    EXPECT_TRUE(IsWindowVisible(finish)) << "Escape does nothing on the finish page";
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    EXPECT_EQ(0u, run.Wait());
    DWORD start = GetTickCount();
    while (!run.Folder().Exists("record.log") && GetTickCount() - start < 10000)
        Sleep(100);
    EXPECT_TRUE(run.Folder().Exists("viewed.txt"));
    EXPECT_NE(std::string::npos, run.Folder().Read("record.log").find("Tool.exe"));
    SetEnvironmentVariableA("KV_RECORD_LOG", nullptr);
}

TEST(Wizard, HiddenFinishChoicesAreNeverChosen)
{
    WizardRun run;
    Fixture fixture(run);
    const std::string log = run.Folder() / "record.log";
    SetEnvironmentVariableA("KV_RECORD_LOG", log.c_str());
    CopyFileA(WinePath(RECORDER_EXE_PATH).c_str(), (run.Folder() / "Tool.exe").c_str(), FALSE);
    fixture.Write({"FinishDialog"}, {"[FINISH_DIALOG]", "Show_ViewReadme_CheckBox=No", "Show_ViewReadme_Checked=Yes",
                                     "Show_RunApplication_CheckBox=No", "Show_RunApplication_Checked=Yes",
                                     "Application_Pathname=%SetupDir%\\Tool.exe"});
    ASSERT_TRUE(run.Start());
    HWND finish = run.WaitDialog("Page 9");
    ASSERT_NE(nullptr, finish);
    EXPECT_FALSE(IsShown(finish, 1020));
    EXPECT_FALSE(IsChecked(finish, 1020));
    EXPECT_FALSE(IsShown(finish, 1021));
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    EXPECT_EQ(0u, run.Wait());
    Sleep(500);
    EXPECT_FALSE(run.Folder().Exists("record.log"));
    SetEnvironmentVariableA("KV_RECORD_LOG", nullptr);
}

}  // namespace

namespace {

TEST(Wizard, SetupLogThatCannotBeWrittenIsReportedAtTheEnd)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"FinishDialog"});
    // The target folder is a file, so neither the folder nor setup.log can be made.
    run.Folder().WriteRaw("Target", "in the way");
    ASSERT_TRUE(run.Start());
    HWND finish = run.WaitDialog("Page 9");
    ASSERT_NE(nullptr, finish);
    ASSERT_TRUE(robot::PressControl(finish, 1018));
    HWND box = run.WaitDialog("Error");
    ASSERT_NE(nullptr, box);
    bool found = false;
    std::string texts;
    for (const robot::ControlInfo& control : robot::ListControls(box)) {
        texts += control.text + "|";
        found = found || control.text == "The disk is full: \"" + fixture.target + "\\setup.log\"";
    }
    EXPECT_TRUE(found) << texts;
    ASSERT_TRUE(robot::PressControl(box, IDOK));
    const DWORD code = run.Wait();
    EXPECT_TRUE(code == 0xFFFFFFFFu || code == 255) << code;
}

}  // namespace

namespace {

TEST(Wizard, ProgressAloneConfirmsExitWithEmptyTexts)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({}, FolderRecords(100));
    run.Folder().WriteLines("English.dat", {"[STRINGS]", "1=Setup"});
    ASSERT_TRUE(run.Start());
    robot::WindowQuery progressPage = run.Dialogs("");
    HWND progress = run.WaitDialog("");
    ASSERT_NE(nullptr, progress);
    ASSERT_NE(nullptr, robot::FindControl(progress, 1032)) << "the progress page comes first";
    ASSERT_TRUE(robot::PressControl(progress, kCancel));
    HWND leave = nullptr;
    DWORD start = GetTickCount();
    while (!leave && GetTickCount() - start < kPageTimeoutMs) {
        for (HWND window : robot::FindWindows(progressPage)) {
            if (window != progress && IsWindowVisible(window))
                leave = window;
        }
        Sleep(50);
    }
    ASSERT_NE(nullptr, leave);
    for (int id : {1009, 1010, 1011, 1000, 1001})
        EXPECT_EQ("", TextOf(leave, id)) << id;
    PressKey(leave, VK_RETURN);
    EXPECT_EQ(0u, run.Wait());
    EXPECT_FALSE(Exists(fixture.target + "\\F100"));
}

TEST(Wizard, MissingSplashPictureStartsTheWizardAtOnce)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"SplashWindow", "WelcomeDialog"}, {"[SPLASH_WINDOW]", "Bitmap_Pathname=%SetupDir%\\none.bmp"});
    const DWORD start = GetTickCount();
    ASSERT_TRUE(run.Start());
    HWND welcome = run.WaitDialog("Page 1");
    ASSERT_NE(nullptr, welcome);
    EXPECT_LT(GetTickCount() - start, 2000u) << "no two-second splash";
    robot::WindowQuery splash = robot::ByClass("AESetupSplash");
    splash.processId = run.Pid();
    EXPECT_TRUE(robot::FindWindows(splash).empty());
    LeaveSetup(run, welcome);
}

TEST(Wizard, SplashPictureShowsForTwoSecondsBeforeTheFirstPage)
{
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"SplashWindow", "WelcomeDialog"}, {"[SPLASH_WINDOW]", "Bitmap_Pathname=%SetupDir%\\Splash.bmp"});
    const DWORD start = GetTickCount();
    ASSERT_TRUE(run.Start());
    robot::WindowQuery splash = robot::ByClass("AESetupSplash");
    splash.processId = run.Pid();
    HWND window = robot::WaitForWindow(splash, kPageTimeoutMs);
    ASSERT_NE(nullptr, window);
    RECT rect;
    GetClientRect(window, &rect);
    EXPECT_EQ(360, rect.right) << "sized to the picture";
    EXPECT_EQ(200, rect.bottom);
    HWND welcome = run.WaitDialog("Page 1");
    ASSERT_NE(nullptr, welcome);
    EXPECT_GE(GetTickCount() - start, 1900u);
    EXPECT_FALSE(IsWindowVisible(window)) << "hidden once the wizard starts";
    LeaveSetup(run, welcome);
}

}  // namespace

namespace {

// A drive letter that no drive uses, so that its free space cannot be read.
std::string MissingDrive()
{
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'Q'; letter <= 'Y'; ++letter) {
        if (!(drives & (1u << (letter - 'A'))))
            return std::string(1, letter) + ":";
    }
    return "Q:";
}

// Selects the folder in setup's folder browser as a click in its tree does. The
// browser takes the path from its own process, so it is written there first.
bool SelectInBrowser(DWORD pid, HWND browser, const std::string& path)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return false;
    void* remote = VirtualAllocEx(process, nullptr, path.size() + 1, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    DWORD_PTR result = 0;
    const bool selected =
        remote && WriteProcessMemory(process, remote, path.c_str(), path.size() + 1, nullptr) &&
        SendMessageTimeoutA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_NORMAL,
                            kPageTimeoutMs, &result);
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return selected;
}

bool HasControlText(HWND window, const std::string& text)
{
    for (const robot::ControlInfo& control : robot::ListControls(window)) {
        if (control.text == text)
            return true;
    }
    return false;
}

TEST(Wizard, BrowsedFolderTakesTheDefaultDirectoryNameAndUpdatesTheFreeSpace)
{
    // Directly under C:, because the shell's browser matches a selected path level by
    // level with the folders' times, and the busy temporary folder keeps changing.
    OwnedFolder chosen("C:\\KvWizBrowse" + Pid());
    ASSERT_TRUE(CreateDirectoryA(chosen.Path().c_str(), nullptr));
    // The default target lies on a missing drive: no free space, Next disabled, until
    // Browse picks a folder on a drive with room.
    const std::string nowhere = MissingDrive() + "\\Nowhere\\Target";
    struct Case {
        std::string defaultPath;
        std::string folder;
        int button;
        std::string edit;
    };
    const Case cases[] = {
        {nowhere, chosen.Path(), IDOK, chosen.Path() + "\\Target"},
        {nowhere, "C:\\", IDOK, "C:\\Target"},
        {"KvNoSlash", chosen.Path(), IDOK, chosen.Path() + "\\"},
        {nowhere, chosen.Path(), IDCANCEL, nowhere},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.defaultPath + " " + c.folder + (c.button == IDOK ? " OK" : " Cancel"));
        OwnedKey userData(HKEY_LOCAL_MACHINE, kUserDataKey);
        WizardRun run;
        Fixture fixture(run);
        fixture.target = c.defaultPath;
        fixture.Write({"TargetDirectoryDialog"});
        run.SetIniLine("RequiredDiskSpace", "1");
        ASSERT_TRUE(run.Start());
        HWND page = run.WaitDialog("Page 5");
        ASSERT_NE(nullptr, page);
        EXPECT_EQ("Browse 5", TextOf(page, 1006));
        EXPECT_EQ(c.defaultPath, TextOf(page, kEdit));
        EXPECT_EQ("0 KB", TextOf(page, 1038));
        EXPECT_FALSE(IsOn(page, kNext));

        HWND browser = Go(run, page, 1006, "Choose");
        ASSERT_NE(nullptr, browser);
        EXPECT_EQ(page, GetWindow(browser, GW_OWNER));
        EXPECT_TRUE(HasControlText(browser, "Pick a folder"));
        ASSERT_TRUE(SelectInBrowser(run.Pid(), browser, c.folder));
        ASSERT_TRUE(robot::PressControl(browser, c.button));
        ASSERT_TRUE(robot::WaitForWindowGone(run.Dialogs("Choose"), kPageTimeoutMs));
        Sleep(300);
        EXPECT_TRUE(IsWindowVisible(page)) << "the page stays";
        EXPECT_EQ(c.edit, TextOf(page, kEdit));
        EXPECT_EQ(c.button == IDOK, IsOn(page, kNext));
        if (c.button == IDOK) {
            const unsigned long long read = std::strtoull(TextOf(page, 1038).c_str(), nullptr, 10);
            const unsigned long long free = FreeKb("C:\\");
            // Other test programs write to the same disk meanwhile, so allow 256 MB of drift.
            EXPECT_LE(read > free ? read - free : free - read, 256u * 1024u) << read << " against " << free;
        } else {
            EXPECT_EQ("0 KB", TextOf(page, 1038));
        }
        if (c.edit == chosen.Path() + "\\Target") {
            // No further page: Next installs into the composed folder and setup ends.
            ASSERT_TRUE(robot::PressControl(page, kNext));
            EXPECT_EQ(0u, run.Wait());
            EXPECT_TRUE(Exists(c.edit + "\\setup.log"));
        } else {
            LeaveSetup(run, page);
        }
    }
}

// All string values of a registry key as name=data.
std::vector<std::string> RegistryValues(HKEY root, const std::string& path)
{
    std::vector<std::string> values;
    HKEY key;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return values;
    for (DWORD i = 0;; ++i) {
        char name[256] = {};
        char data[1024] = {};
        DWORD nameSize = sizeof name;
        DWORD dataSize = sizeof data - 1;
        if (RegEnumValueA(key, i, name, &nameSize, nullptr, nullptr, reinterpret_cast<BYTE*>(data), &dataSize) !=
            ERROR_SUCCESS)
            break;
        values.push_back(std::string(name) + "=" + data);
    }
    RegCloseKey(key);
    return values;
}

TEST(Wizard, UserInformationStartsEmptyHoldsNothingBackAndIsNotKept)
{
    OwnedKey userData(HKEY_LOCAL_MACHINE, kUserDataKey);
    WizardRun run;
    Fixture fixture(run);
    fixture.Write({"UserInfoDialog", "StartDialog"});
    ASSERT_TRUE(run.Start());
    HWND page = run.WaitDialog("Page 4");
    ASSERT_NE(nullptr, page);
    const std::pair<int, const char*> texts[] = {{1009, "Static1 of 4"}, {1010, "Static2 of 4"},
                                                 {1011, "Static3 of 4"}, {1012, "Static4 of 4"},
                                                 {kBack, "Back 4"},      {kNext, "Next 4"},
                                                 {kCancel, "Cancel 4"}};
    for (const auto& text : texts)
        EXPECT_EQ(text.second, TextOf(page, text.first)) << text.first;
    const std::pair<int, const char*> fields[] = {
        {1005, "Typed Name"}, {1030, "Typed Company"}, {1031, "Typed Serial"}};
    const std::string summary =
        "String1 7\r\n  " + fixture.target + "\r\n\r\nString2 7\r\n  " + fixture.group;
    // First with the fields left empty, then typed into; coming back builds them anew.
    for (bool typed : {false, true}) {
        SCOPED_TRACE(typed ? "typed" : "empty");
        for (const auto& field : fields) {
            EXPECT_EQ("", TextOf(page, field.first)) << field.first;
            if (typed) {
                ASSERT_TRUE(robot::SetControlText(page, field.first, field.second));
            }
        }
        EXPECT_TRUE(IsOn(page, kNext));
        HWND start = Go(run, page, kNext, "Page 7");
        ASSERT_NE(nullptr, start);
        EXPECT_EQ(summary, TextOf(start, kEdit));
        if (!typed) {
            page = Go(run, start, kBack, "Page 4");
            ASSERT_NE(nullptr, page);
        } else {
            ASSERT_TRUE(robot::PressControl(start, kNext));
        }
    }
    EXPECT_EQ(0u, run.Wait());
    const std::vector<std::string> values =
        RegistryValues(HKEY_LOCAL_MACHINE, std::string(kUserDataKey) + "\\KvWizardTest\\2.5");
    std::string all;
    for (const std::string& value : values)
        all += value + "|";
    EXPECT_NE(std::string::npos, all.find("AppDir=" + fixture.target + "|")) << all;
    EXPECT_EQ(std::string::npos, all.find("Typed")) << all;
    EXPECT_EQ(std::string::npos, ReadFileBytes(fixture.target + "\\setup.log").find("Typed"));
}

// An installed file, older than the archived one, read-only and held open by a running
// program: it can only be replaced at the next restart, and setup asks to restart as it
// ends. No is the answer here; what Yes does is tested where the restart can be replaced.
TEST(Wizard, FileReplacedAtTheNextRestartAsksToRestartAsSetupEnds)
{
    OwnedKey userData(HKEY_LOCAL_MACHINE, kUserDataKey);
    WizardRun run;
    Fixture fixture(run);
    PendingRenames pending(fixture.target);
    fixture.Write({}, {"[APPLICATION_FILES]", "2,Readme.txt,%AppDir%\\Readme.txt,0,3"});
    ASSERT_TRUE(CreateDirectoryA(fixture.target.c_str(), nullptr));
    const std::string installed = fixture.target + "\\Readme.txt";
    run.Folder().WriteRaw("Target\\Readme.txt", "installed earlier");
    {
        HANDLE file = CreateFileA(installed.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        SYSTEMTIME old{2001, 1, 1, 1, 0, 0, 0, 0};
        FILETIME time;
        SystemTimeToFileTime(&old, &time);
        EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
        CloseHandle(file);
    }
    SetFileAttributesA(installed.c_str(), FILE_ATTRIBUTE_READONLY);
    HeldFile held(installed, FILE_SHARE_READ | FILE_SHARE_DELETE);
    ASSERT_TRUE(held.Held());
    ASSERT_TRUE(run.Start());
    HWND box = run.WaitDialog("Restart");
    ASSERT_NE(nullptr, box);
    EXPECT_TRUE(HasControlText(box, "Restart now?"));
    EXPECT_NE(nullptr, robot::FindControl(box, IDYES));
    EXPECT_EQ(nullptr, robot::FindControl(box, IDCANCEL)) << "Yes and No only";
    EXPECT_EQ("AESetup", robot::GetClass(GetWindow(box, GW_OWNER)));
    ASSERT_TRUE(robot::PressControl(box, IDNO));
    EXPECT_EQ(0u, run.Wait());
    held.Release();
    EXPECT_NE(std::string::npos, PendingRenames::Read().find(fixture.target)) << "a rename waits for the restart";
}

}  // namespace
