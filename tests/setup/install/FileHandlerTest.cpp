// Folder and file records against the real file system, setup.zip and the
// registry: level-by-level folders, the overwrite modes on real version
// resources, files in use, SharedDLLs counts and Regsvr32.
#include "FileHandler.h"
#include "FileVersion.h"
#include "FolderCreation.h"
#include "InstallLog.h"
#include "ReplaceFile.h"
#include "FilesInUse.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

const char kSharedDlls[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\SharedDLLs";

std::vector<std::string> Section(const InstallLog& log, const std::string& header) {
    std::vector<std::string> lines = SplitLines(log.Text()), entries;
    bool inside = false;
    for (const std::string& line : lines) {
        if (!line.empty() && line[0] == '[') {
            inside = line == header;
            continue;
        }
        if (inside) entries.push_back(line);
    }
    return entries;
}

using Lines = std::vector<std::string>;

// Works in a fresh folder that is also the current folder, where the
// handler finds setup.zip by its bare name.
class FileRecords : public ::testing::Test {
protected:
    void SetUp() override {
        char current[MAX_PATH];
        GetCurrentDirectoryA(MAX_PATH, current);
        previous_ = current;
        ASSERT_TRUE(CopyFileA(Fixture("setup.zip").c_str(), (temp_ / "setup.zip").c_str(), FALSE));
        SetCurrentDirectoryA(temp_.Path().c_str());
    }
    void TearDown() override { SetCurrentDirectoryA(previous_.c_str()); }

    std::string Staged(const std::string& name) { return ReadFileText(FixtureFolder() + "\\stage\\" + name); }

    TempFolder temp_;
    std::string previous_;
    InstallLog log_{"unused", false};
};

TEST_F(FileRecords, FolderRecordCreatesAndRecordsEveryNewLevelParentsFirst) {
    FolderHandler folders(log_);
    CreateDirectoryA((temp_ / "Exists").c_str(), nullptr);
    folders.Apply(temp_ / "Exists\\A\\B\\,ignored,fields");
    folders.Apply(temp_ / "Exists");            // already there: nothing recorded
    folders.Apply(temp_ / "Single");            // made in one step
    folders.Apply("Relative\\Inner");           // relative: tries only the whole path
    folders.Apply("\\\\server");                // no share name: nothing
    EXPECT_TRUE(FolderExists(temp_ / "Exists\\A\\B"));
    EXPECT_TRUE(FolderExists(temp_ / "Single"));
    EXPECT_FALSE(FolderExists(temp_ / "Relative"));
    EXPECT_EQ(Section(log_, "[APPDIR]"), (Lines{temp_ / "Single", temp_ / "Exists\\A\\B", temp_ / "Exists\\A"}));

    log_.SetCategory(CategoryShared);
    folders.Apply(temp_ / "Shared");
    EXPECT_EQ(Section(log_, "[APPFOLDERS]"), Lines{temp_ / "Shared"});
}

TEST_F(FileRecords, FileRecordInstallsIntoNewFoldersAndSetsTheStatusText) {
    HWND status = CreateWindowA("STATIC", "before", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(status, nullptr);
    FileHandler files(log_, status);
    ASSERT_TRUE(files.ArchiveOpen());
    std::string target = temp_ / "App\\Sub\\readme.txt";
    files.Apply("x,README.txt," + target);
    EXPECT_EQ(ReadFileText(target), "Read me\r\n");
    char text[MAX_PATH];
    GetWindowTextA(status, text, MAX_PATH);
    EXPECT_EQ(std::string(text), target);
    // Only the file's own folder is recorded, and the file.
    EXPECT_EQ(Section(log_, "[APPDIR]"), Lines{temp_ / "App\\Sub"});
    EXPECT_EQ(Section(log_, "[APPFILES]"), Lines{target});

    // Ignored or failing records: nothing recorded, nothing crashes.
    files.Apply("x,readme.txt");                                       // two fields
    GetWindowTextA(status, text, MAX_PATH);
    EXPECT_EQ(std::string(text), target) << "two-field records do not touch the status";
    files.Apply("x,readme.txt,nobackslash.txt");                      // no folder
    files.Apply("x,missing.txt," + (temp_ / "App\\missing.txt"));     // no such member
    files.Apply("x,readme.txt," + temp_.Path() + "\\" + std::string(300, 'n') + "\\r.txt");  // too long
    files.Apply(std::string(600, ','));
    EXPECT_FALSE(FileExists("nobackslash.txt"));
    EXPECT_FALSE(FileExists(temp_ / "App\\missing.txt"));
    EXPECT_EQ(Section(log_, "[APPFILES]"), Lines{target});
    DestroyWindow(status);
}

struct OverwriteCase {
    int mode;
    const char* member;     // Old.dll 2.0.0.3, Same.dll 2.0.0.5, New.dll 2.1.0.0; all dated 2020-06-01 12:00
    const char* installed;  // fixture library, or "text" for a file without version
    int installedYear;      // 2019 earlier, 2020 the same time, 2021 later than the member
    bool replaced;
};

class Overwrite : public FileRecords, public ::testing::WithParamInterface<OverwriteCase> {};

TEST_P(Overwrite, DecidesByVersionAndTime) {
    const OverwriteCase& c = GetParam();
    std::string target = temp_ / "App\\lib.dll";
    CreateDirectoryA((temp_ / "App").c_str(), nullptr);
    if (std::string(c.installed) == "text")
        WriteFileText(target, "no version here");
    else
        ASSERT_TRUE(CopyFileA(Fixture(c.installed).c_str(), target.c_str(), FALSE));
    SetLastWrite(target, c.installedYear == 2020 ? LocalTime(2020, 6, 1, 12, 0, 0)
                                                 : LocalTime(c.installedYear, 6, 1, 12, 0, 0));
    std::string before = ReadFileText(target);

    FileHandler files(log_, nullptr);
    files.Apply("x," + std::string(c.member) + "," + target + ",0," + std::to_string(c.mode));
    if (c.replaced)
        EXPECT_EQ(ReadFileText(target), Staged(c.member));
    else
        EXPECT_EQ(ReadFileText(target), before);
    // Kept or replaced, the record succeeds.
    EXPECT_EQ(Section(log_, "[APPFILES]"), Lines{target});
    EXPECT_FALSE(files.RestartNeeded());
}

INSTANTIATE_TEST_SUITE_P(Modes, Overwrite, ::testing::Values(
    OverwriteCase{0, "Old.dll", "v2_0_0_5.dll", 2021, true},
    OverwriteCase{1, "Old.dll", "v2_0_0_5.dll", 2019, false},   // older version kept
    OverwriteCase{1, "New.dll", "v2_0_9_9.dll", 2021, true},    // 2.1.0.0 over 2.0.9.9
    OverwriteCase{1, "Same.dll", "v2_0_0_5.dll", 2021, true},   // equal version
    OverwriteCase{1, "New.dll", "text", 2019, false},           // installed has no version
    OverwriteCase{2, "Same.dll", "v2_0_0_5.dll", 2019, false},
    OverwriteCase{2, "New.dll", "v2_0_9_9.dll", 2021, true},
    OverwriteCase{3, "Old.dll", "v2_0_0_5.dll", 2020, true},    // same time
    OverwriteCase{3, "New.dll", "v2_0_0_5.dll", 2021, false},   // installed later
    OverwriteCase{4, "Old.dll", "v2_0_0_5.dll", 2020, false},
    OverwriteCase{4, "Old.dll", "text", 2019, true},
    OverwriteCase{5, "Old.dll", "v2_0_0_5.dll", 2019, true},    // older version, later archive
    OverwriteCase{5, "Old.dll", "v2_0_0_5.dll", 2021, false},
    OverwriteCase{6, "Same.dll", "v2_0_0_5.dll", 2019, true},   // equal version, later archive
    OverwriteCase{6, "Same.dll", "v2_0_0_5.dll", 2020, false},
    OverwriteCase{7, "New.dll", "v2_0_0_5.dll", 2019, false},   // out of range: kept
    OverwriteCase{-1, "New.dll", "v2_0_0_5.dll", 2019, false}));

TEST_F(FileRecords, ModeZeroReplacesAReadOnlyTargetAndLeavesItWritable) {
    std::string target = temp_ / "readme.txt";
    WriteFileText(target, "old");
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    FileHandler files(log_, nullptr);
    files.Apply("x,readme.txt," + target);
    EXPECT_EQ(ReadFileText(target), "Read me\r\n");
    EXPECT_FALSE(GetFileAttributesA(target.c_str()) & FILE_ATTRIBUTE_READONLY);
}

TEST_F(FileRecords, ReadOnlyTargetIsReplacedThroughTheOverwriteDecision) {
    std::string target = temp_ / "lib.dll";
    ASSERT_TRUE(CopyFileA(Fixture("v2_0_9_9.dll").c_str(), target.c_str(), FALSE));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    FileHandler files(log_, nullptr);
    files.Apply("x,New.dll," + target + ",0,1");
    EXPECT_EQ(ReadFileText(target), Staged("New.dll"));
    EXPECT_FALSE(files.RestartNeeded());
}

// Shared files are counted, registered files go to the fake Regsvr32.exe
// beside the test program, and flag 8 keeps both out of the log.
TEST_F(FileRecords, SharedCountsRegistrationAndUnloggedFiles) {
    HKEY shared;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSharedDlls, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &shared,
                              nullptr), ERROR_SUCCESS);
    std::string counted = temp_ / "Shared\\counted.dll";
    std::string preset = temp_ / "Shared\\preset.dll";
    DWORD three = 3;
    RegSetValueExA(shared, preset.c_str(), 0, REG_DWORD, reinterpret_cast<BYTE*>(&three), sizeof(three));

    std::string record = temp_ / "regsvr.log";
    SetEnvironmentVariableA("KV_RECORD_LOG", record.c_str());
    log_.SetCategory(CategoryShared);
    {
        FileHandler files(log_, nullptr);
        files.Apply("x,Old.dll," + counted + ",4");
        files.Apply("x,Old.dll," + counted + ",4,7");  // kept, yet counted again
        files.Apply("x,Same.dll," + preset + ",6");
        files.Apply("x,New.dll," + (temp_ / "Shared\\quiet.dll") + ",14");
    }
    SetEnvironmentVariableA("KV_RECORD_LOG", nullptr);

    DWORD type = 0;
    std::string data;
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kSharedDlls, counted, type, data));
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 2u);
    ASSERT_TRUE(ReadValue(HKEY_LOCAL_MACHINE, kSharedDlls, preset, type, data));
    EXPECT_EQ(*reinterpret_cast<const DWORD*>(data.data()), 4u);
    for (const std::string& name : {counted, preset, temp_ / "Shared\\quiet.dll"})
        RegDeleteValueA(shared, name.c_str());
    RegCloseKey(shared);

    std::string regsvr = SetupProgramFolder() + "\\Regsvr32.exe /s \"";
    EXPECT_EQ(SplitLines(ReadFileText(record)),
              (Lines{regsvr + preset + "\"", regsvr + temp_ / "Shared\\quiet.dll" + "\""}));
    EXPECT_EQ(Section(log_, "[SHAREDFILES]"), (Lines{preset, counted, counted}));
    EXPECT_EQ(Section(log_, "[REGDLLS]"), Lines{preset});
    EXPECT_EQ(Section(log_, "[APPFOLDERS]"), Lines{temp_ / "Shared"});
}

TEST(FreeInUseName, ReplacesTheLastDllOfTheFileNameOnly) {
    TempFolder temp;
    std::string target = temp / "mydll.dll";
    EXPECT_EQ(FreeInUseName(target), temp / "mydll.001");
    WriteFileText(temp / "mydll.001", "");
    EXPECT_EQ(FreeInUseName(target), temp / "mydll.002");
    CreateDirectoryA((temp / "dllfolder").c_str(), nullptr);
    EXPECT_EQ(FreeInUseName(temp / "dllfolder\\tool.exe"), temp / "dllfolder\\tool.exe.001");
}

std::string Visible(std::string text) {
    for (char& c : text)
        if (c == '\0') c = '|';
    return text;
}

TEST_F(FileRecords, InUseTargetThatIsNotReadOnlyIsLeftAlone) {
    std::string target = temp_ / "lib.dll";
    ASSERT_TRUE(CopyFileA(Fixture("v2_0_0_5.dll").c_str(), target.c_str(), FALSE));
    SetLastWrite(target, LocalTime(2019, 1, 1, 0, 0, 0));
    std::string before = ReadFileText(target);
    HeldFile held(target, 0);
    ASSERT_TRUE(held.Held());
    FileHandler files(log_, nullptr);
    files.Apply("x,New.dll," + target + ",0,3");
    held.Release();
    EXPECT_EQ(ReadFileText(target), before);
    EXPECT_FALSE(files.RestartNeeded());
    EXPECT_EQ(Section(log_, "[APPFILES]"), Lines{target});
}

// A read-only file in use: the first copy is refused (access denied), the
// read-only attribute is cleared, the second copy meets a sharing violation.
// Held as a loaded library is (reading and renaming shared), the file is
// renamed to lib.001, the new one copied in and lib.001 deleted at the
// restart. Held without any sharing, Wine refuses the rename as Windows does,
// so the temporary copy is moved onto the file at the restart instead and
// stays in the temporary folder until then.
TEST_F(FileRecords, ReadOnlyTargetInUseIsReplacedAtRestartOnTheNtFamily) {
    if (CurrentWindowsFamily() != WindowsFamily::NT) GTEST_SKIP() << "NT family only";
    for (DWORD sharing : {DWORD(FILE_SHARE_READ | FILE_SHARE_DELETE), DWORD(0)}) {
        SCOPED_TRACE(sharing ? "held like a loaded library" : "held without sharing");
        TempFolder folder;
        PendingRenames pending(folder.Path());
        std::string target = folder / "lib.dll";
        ASSERT_TRUE(CopyFileA(Fixture("v2_0_0_5.dll").c_str(), target.c_str(), FALSE));
        SetLastWrite(target, LocalTime(2019, 1, 1, 0, 0, 0));
        SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
        std::string before = ReadFileText(target);
        HeldFile held(target, sharing);
        ASSERT_TRUE(held.Held());
        InstallLog log("unused", false);
        FileHandler files(log, nullptr);
        files.Apply("x,New.dll," + target + ",0,3");
        std::string renames = Visible(PendingRenames::Read());
        held.Release();

        EXPECT_TRUE(files.RestartNeeded());
        EXPECT_EQ(Section(log, "[APPFILES]"), Lines{target});
        if (sharing) {
            EXPECT_EQ(ReadFileText(target), Staged("New.dll"));
            EXPECT_EQ(ReadFileText(folder / "lib.001"), before);
            EXPECT_NE(renames.find("lib.001||"), std::string::npos) << renames;
        } else {
            EXPECT_FALSE(FileExists(folder / "lib.001"));
            EXPECT_EQ(ReadFileText(target), before);
            // ...|\??\<temporary>|\??\<target>|...
            size_t at = renames.find(target);
            ASSERT_NE(at, std::string::npos) << renames;
            size_t end = renames.rfind('|', at);
            size_t start = renames.rfind('|', end - 1);
            std::string temporary = renames.substr(start + 1, end - start - 1);
            if (temporary.compare(0, 4, "\\??\\") == 0) temporary = temporary.substr(4);
            EXPECT_EQ(ReadFileText(temporary), Staged("New.dll")) << renames;
            DeleteFileA(temporary.c_str());
        }
    }
}

std::string WinInitPath() {
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    return std::string(windows) + "\\WinInit.Ini";
}

// Puts WinInit.ini back as it was.
class SavedWinInit {
public:
    SavedWinInit() : existed_(FileExists(WinInitPath())), text_(ReadFileText(WinInitPath())) {}
    ~SavedWinInit() {
        SetFileAttributesA(WinInitPath().c_str(), FILE_ATTRIBUTE_NORMAL);
        if (existed_)
            WriteFileText(WinInitPath(), text_);
        else
            DeleteFileA(WinInitPath().c_str());
    }

private:
    bool existed_;
    std::string text_;
};

std::vector<std::string> TemporaryFiles() {
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(folder) + "tmp*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(std::string(folder) + found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// On the 9x family a target whose copy is refused twice is scheduled in
// WinInit.ini with the temporary file as source; no restart question. When
// WinInit.ini cannot be written, that is no longer passed as done: the
// temporary file is deleted instead of waiting for a restart that will
// not replace anything.
TEST_F(FileRecords, RefusedTargetGoesToWinInitOnThe9xFamily) {
    if (CurrentWindowsFamily() != WindowsFamily::Win9x) GTEST_SKIP() << "9x family only";
    SavedWinInit saved;
    DeleteFileA(WinInitPath().c_str());
    std::string target = temp_ / "lib.dll";
    ASSERT_TRUE(CopyFileA(Fixture("v2_0_0_5.dll").c_str(), target.c_str(), FALSE));
    SetLastWrite(target, LocalTime(2019, 1, 1, 0, 0, 0));
    SetFileAttributesA(target.c_str(), FILE_ATTRIBUTE_READONLY);
    std::string before = ReadFileText(target);
    {
        HeldFile held(target, 0);
        ASSERT_TRUE(held.Held());
        FileHandler files(log_, nullptr);
        files.Apply("x,New.dll," + target + ",0,3");
        EXPECT_FALSE(files.RestartNeeded());
    }
    EXPECT_EQ(ReadFileText(target), before);
    EXPECT_EQ(Section(log_, "[APPFILES]"), Lines{target});
    Lines lines = SplitLines(ReadFileText(WinInitPath()));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "[Rename]");
    ASSERT_EQ(lines[1].compare(0, target.size() + 1, target + "="), 0) << lines[1];
    std::string temporary = lines[1].substr(target.size() + 1);
    EXPECT_EQ(ReadFileText(temporary), Staged("New.dll"));
    DeleteFileA(temporary.c_str());

    SetFileAttributesA(WinInitPath().c_str(), FILE_ATTRIBUTE_READONLY);
    std::vector<std::string> temporaries = TemporaryFiles();
    {
        HeldFile held(target, 0);
        FileHandler files(log_, nullptr);
        files.Apply("x,New.dll," + target + ",0,3");
    }
    EXPECT_EQ(TemporaryFiles(), temporaries);
    EXPECT_EQ(Section(log_, "[APPFILES]"), (Lines{target, target})) << "the record still counts";
}

TEST(WinInit, RenameLineGoesDirectlyUnderAnExistingSection) {
    SavedWinInit saved;
    std::string path = WinInitPath();
    DeleteFileA(path.c_str());
    ASSERT_TRUE(ScheduleWinInitRename("C:\\temp\\tmp1.tmp", "C:\\app\\a.dll"));
    EXPECT_EQ(ReadFileText(path), "[Rename]\r\nC:\\app\\a.dll=C:\\temp\\tmp1.tmp\r\n");
    WriteFileText(path, "[Other]\r\nx=y\r\n[Rename]\r\nold=line\r\n");
    ASSERT_TRUE(ScheduleWinInitRename("C:\\temp\\tmp2.tmp", "C:\\app\\b.dll"));
    EXPECT_EQ(ReadFileText(path), "[Other]\r\nx=y\r\n[Rename]\r\nC:\\app\\b.dll=C:\\temp\\tmp2.tmp\r\nold=line\r\n");

    // A file that cannot be written is reported, not passed as done.
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(ScheduleWinInitRename("C:\\temp\\tmp3.tmp", "C:\\app\\c.dll"));
}

}  // namespace
