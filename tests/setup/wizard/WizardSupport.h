// What the wizard tests share beside the driver: registry keys and folders the tests
// own and remove, shell folders, and a fixture package of Setup.ini and language
// file lines.
#pragma once
#include "TestFolder.h"

#include <windows.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <string>
#include <vector>

using Lines = std::vector<std::string>;

// A registry key (with everything below it) that the test removes at both ends.
class OwnedKey {
public:
    OwnedKey(HKEY root, std::string path) : root_(root), path_(std::move(path)) { SHDeleteKeyA(root_, path_.c_str()); }
    ~OwnedKey() { SHDeleteKeyA(root_, path_.c_str()); }
    OwnedKey(const OwnedKey&) = delete;
    OwnedKey& operator=(const OwnedKey&) = delete;

private:
    HKEY root_;
    std::string path_;
};

inline void RemoveTree(const std::string& path) { TestFolder::Remove(path); }

// A folder that the test removes at both ends.
class OwnedFolder {
public:
    explicit OwnedFolder(std::string path) : path_(std::move(path)) { RemoveTree(path_); }
    ~OwnedFolder() { RemoveTree(path_); }
    OwnedFolder(const OwnedFolder&) = delete;
    OwnedFolder& operator=(const OwnedFolder&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

inline std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE);
    return path;
}

inline bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A string value, "<missing>" when the key or value is not there.
inline std::string RegistryText(HKEY root, const std::string& key, const char* value)
{
    char data[1024] = {};
    DWORD size = sizeof data - 1;
    if (SHGetValueA(root, key.c_str(), value, nullptr, data, &size) != ERROR_SUCCESS)
        return "<missing>";
    return data;
}

inline void WriteRegistryText(HKEY root, const std::string& key, const char* value, const std::string& text)
{
    SHSetValueA(root, key.c_str(), value, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// Setup.ini of a fixture package: product KvWizardTest, the given DIALOGS switches
// on, target folder and program group as given, any extra sections at the end. The
// other keys of SETUP_INFO and SYSTEM_REQUIREMENTS are there to be changed in place.
inline Lines FixtureSetupIni(const std::vector<std::string>& dialogs, const std::string& target,
                             const std::string& group, const Lines& extra = {})
{
    Lines lines = {"[GENERAL_INFO]", "ProductName=KvWizardTest", "CompanyName=KvWizardCo", "ProductVersion=2.5",
                   "[SETUP_INFO]", "EnableUninstaller=No", "SetupType=0", "DefaultInstallationPath=" + target,
                   "DefaultShortcutFolderName=" + group, "RequiredDiskSpace=", "SetupLanguages=",
                   "DefaultSetupLanguage=", "[SYSTEM_REQUIREMENTS]", "AnyWindows=Yes", "Windows95=Yes",
                   "Windows98=Yes", "WindowsME=Yes", "WindowsNT4=Yes", "Windows2000=Yes", "WindowsXP=Yes",
                   "AbortInstallation=No", "[DIALOGS]"};
    for (const std::string& dialog : dialogs)
        lines.push_back(dialog + "=Yes");
    lines.insert(lines.end(), extra.begin(), extra.end());
    // The target folder for setup.log (an earlier section of that name in extra wins).
    lines.push_back("[APPLICATION_FOLDERS]");
    lines.push_back("%AppDir%");
    return lines;
}

// A language file that names every page by its slot: "Page <n>" captions, and
// button texts "Next <n>", "Back <n>" and "Cancel <n>".
inline Lines FixtureLanguage(const std::string& tag = "")
{
    struct Section {
        const char* name;
        const char* slot;
    };
    const Section pages[] = {{"LANGUAGE_DIALOG", "0"},  {"WELCOME_DIALOG", "1"},       {"LICENSE_DIALOG", "2"},
                             {"README_DIALOG", "3"},    {"USER_INFO_DIALOG", "4"},     {"TARGET_DIRECTORY_DIALOG", "5"},
                             {"PROGRAM_GROUP_DIALOG", "6"}, {"START_DIALOG", "7"},     {"PROCESS_DIALOG", "8"},
                             {"FINISH_DIALOG", "9"}};
    Lines lines = {"[STRINGS]", "1=Requirements" + tag, "10=Restart" + tag, "11=Restart now?" + tag,
                   "21=Not on %1, ending. %1" + tag, "22=Not tested on %1. %1" + tag};
    for (const Section& page : pages) {
        std::string n = page.slot;
        lines.push_back(std::string("[") + page.name + "]");
        lines.push_back("Dialog_Title=Page " + n + tag);
        for (const char* key : {"Static1", "Static2", "Static3", "Static4", "Static5", "Static7"})
            lines.push_back(std::string(key) + "=" + key + " of " + n + tag);
        for (const char* key : {"Back", "Next", "Cancel", "Yes", "No", "Browse", "Finish", "Check1", "Check2",
                                "String1", "String2"})
            lines.push_back(std::string(key) + "=" + key + " " + n + tag);
    }
    Lines rest = {"[CHOOSE_DIRECTORY_DIALOG]", "Dialog_Title=Choose" + tag, "Static1=Pick a folder" + tag,
                  "[EXIT_SETUP_DIALOG]", "Dialog_Title=Leave" + tag, "Static1=Leave text 1" + tag,
                  "Static2=Leave text 2" + tag, "Static3=Leave text 3" + tag, "Resume=Resume" + tag,
                  "Exit=Exit" + tag, "[REINSTALL_DIALOG]", "Dialog_Title=Again" + tag,
                  "Static1=Installed already" + tag, "Yes=Remove" + tag, "No=Over" + tag, "Cancel=Stop" + tag,
                  "Error1=Cannot remove %ProductName%" + tag};
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}
