// Loading of Setup.ini and the language file into setup's variable table.
#include "SetupConfig.h"

#include "Exceptions.h"
#include "Fonts.h"
#include "Handles.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

const char kCurrentVersionKey[] = "Software\\Microsoft\\Windows\\CurrentVersion";

// Expansion stops after this many replacements, or before the text would grow past
// kMaxExpandedLength (or its own length, when it starts out longer), so that values
// referring to themselves, directly or in a cycle, cannot run on without end.
const int kMaxReplacements = 10000;
const size_t kMaxExpandedLength = 1u << 20;

struct LanguageKey {
    const char* key;
    const char* variable;
};

struct LanguageSection {
    const char* section;
    LanguageKey keys[12];
};

const LanguageSection kLanguageSections[] = {
    {"REINSTALL_DIALOG",
     {{"Dialog_Title", "ReinstallDialogTitle"}, {"Static1", "ReinstallDialogText"}, {"Yes", "ReinstallDialogYes"},
      {"No", "ReinstallDialogNo"}, {"Cancel", "ReinstallDialogCancel"}, {"Error1", "ReinstallDialogError1"}}},
    {"LANGUAGE_DIALOG",
     {{"Dialog_Title", "LanguageTitle"}, {"Static1", "LanguageText1"}, {"Next", "LanguageNext"},
      {"Cancel", "LanguageCancel"}}},
    {"WELCOME_DIALOG",
     {{"Dialog_Title", "WelcomeTitle"}, {"Static1", "WelcomeText1"}, {"Static2", "WelcomeText2"},
      {"Static3", "WelcomeText3"}, {"Static4", "WelcomeText4"}, {"Back", "WelcomeBack"}, {"Next", "WelcomeNext"},
      {"Cancel", "WelcomeCancel"}}},
    {"LICENSE_DIALOG",
     {{"Dialog_Title", "LicenseTitle"}, {"Static1", "LicenseText1"}, {"Static2", "LicenseText2"},
      {"Back", "LicenseBack"}, {"Yes", "LicenseYes"}, {"No", "LicenseNo"}}},
    {"README_DIALOG",
     {{"Dialog_Title", "ReadmeTitle"}, {"Static1", "ReadmeText1"}, {"Back", "ReadmeBack"}, {"Next", "ReadmeNext"},
      {"Cancel", "ReadmeCancel"}}},
    {"USER_INFO_DIALOG",
     {{"Dialog_Title", "UserInfoTitle"}, {"Static1", "UserInfoText1"}, {"Static2", "UserInfoText2"},
      {"Static3", "UserInfoText3"}, {"Static4", "UserInfoText4"}, {"Back", "UserInfoBack"},
      {"Next", "UserInfoNext"}, {"Cancel", "UserInfoCancel"}}},
    {"TARGET_DIRECTORY_DIALOG",
     {{"Dialog_Title", "TargetDirTitle"}, {"Static1", "TargetDirText1"}, {"Static2", "TargetDirText2"},
      {"Static3", "TargetDirText3"}, {"Static4", "TargetDirText4"}, {"Static5", "TargetDirText5"},
      {"Static7", "TargetDirText7"}, {"Browse", "TargetDirBrowse"}, {"Back", "TargetDirBack"},
      {"Next", "TargetDirNext"}, {"Cancel", "TargetDirCancel"}}},
    {"CHOOSE_DIRECTORY_DIALOG", {{"Dialog_Title", "ChooseDirTitle"}, {"Static1", "ChooseDirText1"}}},
    {"PROGRAM_GROUP_DIALOG",
     {{"Dialog_Title", "ProgmanTitle"}, {"Static1", "ProgmanText1"}, {"Static2", "ProgmanText2"},
      {"Static3", "ProgmanText3"}, {"Back", "ProgmanBack"}, {"Next", "ProgmanNext"}, {"Cancel", "ProgmanCancel"}}},
    {"START_DIALOG",
     {{"Dialog_Title", "StartTitle"}, {"Static1", "StartSText1"}, {"Static2", "StartSText2"},
      {"String1", "StartEText1"}, {"String2", "StartEText2"}, {"Back", "StartBack"}, {"Next", "StartNext"},
      {"Cancel", "StartCancel"}}},
    {"PROCESS_DIALOG", {{"Dialog_Title", "ProcessTitle"}, {"Cancel", "ProcessCancel"}}},
    {"FINISH_DIALOG",
     {{"Dialog_Title", "FinishTitle"}, {"Static1", "FinishText1"}, {"Static2", "FinishText2"},
      {"Check1", "FinishCheck1"}, {"Check2", "FinishCheck2"}, {"Back", "FinishBack"}, {"Finish", "FinishFinish"}}},
    {"EXIT_SETUP_DIALOG",
     {{"Dialog_Title", "ExitSetupTitle"}, {"Static1", "ExitSetupText1"}, {"Static2", "ExitSetupText2"},
      {"Static3", "ExitSetupText3"}, {"Resume", "ExitResume"}, {"Exit", "ExitExit"}}},
};

// The Dlg switch of each of the pages 0..7 and 9, by slot.
const char* const kPageSwitches[PageCount] = {
    "DlgLanguageDialog", "DlgWelcomeDialog", "DlgLicenseDialog", "DlgReadmeDialog",
    "DlgUserInfoDialog", "DlgTargetDirectoryDialog", "DlgProgramGroupDialog", "DlgStartDialog",
    nullptr, "DlgFinishDialog", nullptr, nullptr,
};

const char* const kDialogKeys[] = {
    "SplashWindow", "SetupWindow", "CustomDialogImage", "LanguageDialog", "WelcomeDialog", "LicenseDialog",
    "ReadmeDialog", "UserInfoDialog", "TargetDirectoryDialog", "ProgramGroupDialog", "StartDialog", "FinishDialog",
};

const char* const kSystemRequirementKeys[] = {
    "AnyWindows", "Windows95", "Windows98", "WindowsME", "WindowsNT4", "Windows2000", "WindowsXP",
    "AbortInstallation",
};

const char* const kSetupWindowKeys[] = {
    "WindowTitle", "GradientFill", "ColorFrom", "ColorTo", "Heading", "HeadingFont", "HeadingColor",
    "HeadingAlignment", "Heading3D", "Subheading", "SubheadingFont", "SubheadingColor", "SubheadingAlignment",
    "Subheading3D", "Footer", "FooterFont", "FooterColor", "FooterAlignment", "Footer3D",
};

std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length);
    size_t slash = folder.rfind('\\');
    return slash == std::string::npos ? std::string() : folder.substr(0, slash);
}

std::string ShellFolder(int csidl)
{
    char path[MAX_PATH] = {};
    if (!SHGetSpecialFolderPathA(nullptr, path, csidl, FALSE))
        return std::string();
    return path;
}

bool IsNtFamily()
{
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    return GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

}  // namespace

std::string ReadRegistryDirectory(HKEY root, const char* subkey, const char* value, const char* fallback,
                                  bool acceptNumber)
{
    ScopedKey key;
    if (RegOpenKeyExA(root, subkey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
        return fallback;
    BYTE data[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD size = MAX_PATH;
    if (RegQueryValueExA(key.Get(), value, nullptr, &type, data, &size) != ERROR_SUCCESS)
        return fallback;
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        std::string text(reinterpret_cast<const char*>(data), size);
        return text.substr(0, text.find('\0'));
    }
    if (acceptNumber && type == REG_DWORD && size == sizeof(DWORD)) {
        DWORD number;
        memcpy(&number, data, sizeof number);
        return std::to_string(number);
    }
    return fallback;
}

SetupConfig::SetupConfig() : SetupConfig(ProgramFolder()) {}

SetupConfig::SetupConfig(const std::string& setupDir) : setupDir_(setupDir)
{
    Load();
    DWORD zip = GetFileAttributesA("setup.zip");
    if (zip == INVALID_FILE_ATTRIBUTES || (zip & FILE_ATTRIBUTE_DIRECTORY))
        throw FileException("setup.zip", FileErrorNotFound);
}

SetupConfig::~SetupConfig() = default;

// --- Variables

std::string SetupConfig::GetVariable(const std::string& name, bool expand)
{
    std::string value;
    {
        std::lock_guard<std::mutex> lock(variablesLock_);
        value = variables_[name];
    }
    if (expand)
        ExpandVariables(value);
    return value;
}

void SetupConfig::SetVariable(const std::string& name, const std::string& value)
{
    std::lock_guard<std::mutex> lock(variablesLock_);
    variables_[name] = value;
}

bool SetupConfig::HasVariable(const std::string& name) const
{
    std::lock_guard<std::mutex> lock(variablesLock_);
    return variables_.count(name) != 0;
}

void SetupConfig::ExpandVariables(std::string& text) const
{
    const size_t maxLength = std::max(kMaxExpandedLength, text.size());
    std::lock_guard<std::mutex> lock(variablesLock_);
    size_t scan = 0;
    int replacements = 0;
    for (;;) {
        size_t open = text.find('%', scan);
        if (open == std::string::npos)
            return;
        size_t close = text.find('%', open + 1);
        if (close == std::string::npos)
            return;
        auto found = variables_.find(text.substr(open + 1, close - open - 1));
        if (found == variables_.end()) {
            // The closing sign of an unknown name may open the next reference.
            scan = open + 1;
            continue;
        }
        size_t referenceLength = close - open + 1;
        if (++replacements > kMaxReplacements || text.size() - referenceLength + found->second.size() > maxLength)
            return;
        text.replace(open, referenceLength, found->second);
        scan = open;  // the inserted value may hold references of its own
    }
}

bool SetupConfig::IsVariableTrue(const std::string& name)
{
    std::string value = GetVariable(name, true);
    return !value.empty() && (value[0] == 'Y' || value[0] == 'y' || value[0] == '1');
}

unsigned long SetupConfig::GetVariableNumber(const std::string& name, int base)
{
    std::string value = GetVariable(name, true);
    return value.empty() ? 0 : std::strtoul(value.c_str(), nullptr, base);
}

bool SetupConfig::CopyValue(const IniFile& file, const std::string& section, const std::string& key,
                            const char* variable)
{
    std::string value;
    if (!file.GetValue(section, key, std::string(), value))
        return false;
    SetVariable(variable ? variable : key, value);
    return true;
}

bool SetupConfig::CopyIniValue(const std::string& section, const std::string& key, const char* variable)
{
    return CopyValue(setup_, section, key, variable);
}

bool SetupConfig::CopyLanguageValue(const std::string& section, const std::string& key, const char* variable)
{
    return CopyValue(language_, section, key, variable);
}

// --- Named settings

std::string SetupConfig::GetProductName() { return GetVariable("ProductName", true); }
std::string SetupConfig::GetCompanyName() { return GetVariable("CompanyName", true); }
std::string SetupConfig::GetProductVersion() { return GetVariable("ProductVersion", true); }
std::string SetupConfig::GetAppDir() { return GetVariable("AppDir", true); }
void SetupConfig::SetAppDir(const std::string& dir) { SetVariable("AppDir", dir); }
std::string SetupConfig::GetProgramGroup() { return GetVariable("OutputProgramGroup", true); }
void SetupConfig::SetProgramGroup(const std::string& group) { SetVariable("OutputProgramGroup", group); }
std::string SetupConfig::GetDefaultInstallationPath() { return GetVariable("DefaultInstallationPath", true); }
std::string SetupConfig::GetDefaultDirectoryName() { return GetVariable("DefaultDirectoryName", true); }

int SetupConfig::GetLineCount(const std::string& section) const { return setup_.GetLineCount(section); }

bool SetupConfig::GetLine(const std::string& section, int n, std::string& line) const
{
    return setup_.GetLine(section, n, line);
}

// --- Load

void SetupConfig::Load()
{
    SetVariable("ProgramFiles",
                ReadRegistryDirectory(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir", "C:\\Program Files",
                                      true));
    ReadDirectoryVariables();

    setup_ = IniFile(setupDir_ + "\\Setup.ini", "Setup.ini");

    struct AlwaysStored {
        const char* section;
        const char* key;
        const char* variable;
    };
    static const AlwaysStored alwaysStored[] = {
        {"GENERAL_INFO", "ProductName", "ProductName"},
        {"GENERAL_INFO", "CompanyName", "CompanyName"},
        {"GENERAL_INFO", "ProductVersion", "ProductVersion"},
        {"GENERAL_INFO", "ProductDescription", "ProductDescription"},
        {"GENERAL_INFO", "ProductURL", "ProductURL"},
        {"GENERAL_INFO", "CopyrightNotice", "Copyright"},
        {"SETUP_INFO", "EnableUninstaller", "EnableUninstaller"},
        {"SETUP_INFO", "AddRemoveProgramsDescription", "AddRemoveProgramsDescription"},
        {"SETUP_INFO", "SetupType", "SetupType"},
    };
    for (const AlwaysStored& item : alwaysStored)
        SetVariable(item.variable, setup_.GetValue(item.section, item.key));
    unattended_ = GetVariableNumber("SetupType", 10) == 1;

    SetVariable("CommonFiles", ReadRegistryDirectory(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir",
                                                     "C:\\Program Files\\Common Files", false));

    std::string installPath = setup_.GetValue("SETUP_INFO", "DefaultInstallationPath");
    ExpandVariables(installPath);
    SetVariable("DefaultInstallationPath", installPath);
    SetVariable("AppDir", installPath);
    size_t slash = installPath.rfind('\\');
    SetVariable("DefaultDirectoryName", slash == std::string::npos ? std::string() : installPath.substr(slash + 1));

    std::string shortcutFolder = setup_.GetValue("SETUP_INFO", "DefaultShortcutFolderName");
    ExpandVariables(shortcutFolder);
    SetVariable("DefaultShortcutFolderName", shortcutFolder);
    SetVariable("OutputProgramGroup", shortcutFolder);

    CopyIniValue("SETUP_INFO", "DefaultSetupLanguage");
    CopyIniValue("SETUP_INFO", "SetupLanguages");

    std::string languageName = GetVariable("DefaultSetupLanguage", true);
    std::string languageFile = (languageName.empty() ? std::string("English") : languageName) + ".dat";
    language_ = IniFile(setupDir_ + "\\" + languageFile, languageFile);

    CopyIniValue("SETUP_INFO", "RequiredDiskSpace");
    for (const char* key : kSystemRequirementKeys)
        CopyIniValue("SYSTEM_REQUIREMENTS", key, ("SysReq" + std::string(key)).c_str());

    ReadRunApps();

    for (const char* key : kDialogKeys)
        CopyIniValue("DIALOGS", key, ("Dlg" + std::string(key)).c_str());
    CopyLanguageSection("REINSTALL_DIALOG", false, false);

    ReadOptionalGroups();
    BuildPageTable();
}

void SetupConfig::ReadDirectoryVariables()
{
    const bool nt = IsNtFamily();
    char path[MAX_PATH + 1] = {};

    SetVariable("SetupDir", setupDir_);
    UINT length = GetWindowsDirectoryA(path, MAX_PATH);
    SetVariable("WinDir", std::string(path, length < MAX_PATH ? length : 0));
    length = GetSystemDirectoryA(path, MAX_PATH);
    SetVariable("WinSysDir", std::string(path, length < MAX_PATH ? length : 0));

    SetVariable("Desktop", ShellFolder(CSIDL_DESKTOP));
    SetVariable("StartUp", ShellFolder(CSIDL_STARTUP));
    SetVariable("StartMenu", ShellFolder(CSIDL_STARTMENU));
    std::string programs = ShellFolder(CSIDL_PROGRAMS);
    SetVariable("StartMenuPrograms", programs);
    SetVariable("AppSCFolder", programs + "\\%OutputProgramGroup%");

    SetVariable("CommonDesktop", ShellFolder(nt ? CSIDL_COMMON_DESKTOPDIRECTORY : CSIDL_DESKTOP));
    SetVariable("CommonStartUp", ShellFolder(nt ? CSIDL_COMMON_STARTUP : CSIDL_STARTUP));
    SetVariable("CommonStartMenu", ShellFolder(nt ? CSIDL_COMMON_STARTMENU : CSIDL_STARTMENU));
    std::string commonPrograms = ShellFolder(nt ? CSIDL_COMMON_PROGRAMS : CSIDL_PROGRAMS);
    SetVariable("CommonStartMenuPrograms", commonPrograms);
    SetVariable("CommonAppSCFolder", commonPrograms + "\\%OutputProgramGroup%");

    length = GetTempPathA(MAX_PATH, path);
    SetVariable("TempDir", std::string(path, length < MAX_PATH ? length : 0));
}

void SetupConfig::ReadRunApps()
{
    if (setup_.GetBool("RUNAPPS", "RunBeforeInstall", false)) {
        std::string record = setup_.GetValue("RUNAPPS", "BeforeInstall");
        ExpandVariables(record);
        beforeInstall_.reset(new RunCommand(record));
    }
    if (setup_.GetBool("RUNAPPS", "RunAfterInstall", false))
        afterInstallText_ = setup_.GetValue("RUNAPPS", "AfterInstall");
    if (setup_.GetBool("RUNAPPS", "RunBeforeUninstall", false))
        beforeUninstallText_ = setup_.GetValue("RUNAPPS", "BeforeUninstall");
}

void SetupConfig::ReadOptionalGroups()
{
    if (IsVariableTrue("DlgSplashWindow"))
        CopyIniValue("SPLASH_WINDOW", "Bitmap_Pathname", "SplWBitmap_Pathname");
    if (IsVariableTrue("DlgCustomDialogImage"))
        CopyIniValue("DIALOGS", "CustomDialogBitmap_Pathname", "CustomDlgBitmap_Pathname");
    if (IsVariableTrue("DlgSetupWindow")) {
        for (const char* key : kSetupWindowKeys)
            CopyIniValue("SETUP_WINDOW", key, ("SW" + std::string(key)).c_str());
    }
    CopyPageTexts(true);
}

// At start the page switches also decide which Setup.ini keys of the pages are read;
// after a language switch only the texts are copied again, and the language page and
// the finish check boxes are treated as the switch needs them.
void SetupConfig::CopyPageTexts(bool atStart)
{
    if (atStart && IsVariableTrue("DlgLanguageDialog"))
        CopyLanguageSection("LANGUAGE_DIALOG", false, false);
    if (IsVariableTrue("DlgWelcomeDialog"))
        CopyLanguageSection("WELCOME_DIALOG", false, false);
    if (IsVariableTrue("DlgLicenseDialog")) {
        if (atStart)
            CopyIniValue("LICENSE_DIALOG", "License_Pathname");
        CopyLanguageSection("LICENSE_DIALOG", false, false);
    }
    if (IsVariableTrue("DlgReadmeDialog")) {
        if (atStart)
            CopyIniValue("README_DIALOG", "Readme_Pathname");
        CopyLanguageSection("README_DIALOG", false, false);
    }
    if (IsVariableTrue("DlgUserInfoDialog"))
        CopyLanguageSection("USER_INFO_DIALOG", false, false);
    if (IsVariableTrue("DlgTargetDirectoryDialog")) {
        CopyLanguageSection("TARGET_DIRECTORY_DIALOG", false, false);
        CopyLanguageSection("CHOOSE_DIRECTORY_DIALOG", false, false);
    }
    if (IsVariableTrue("DlgProgramGroupDialog"))
        CopyLanguageSection("PROGRAM_GROUP_DIALOG", false, false);
    if (IsVariableTrue("DlgStartDialog"))
        CopyLanguageSection("START_DIALOG", false, false);
    CopyLanguageSection("PROCESS_DIALOG", false, false);
    if (IsVariableTrue("DlgFinishDialog")) {
        if (atStart) {
            ReadFinishSettings();
            CopyLanguageSection("FINISH_DIALOG", showViewReadme_, showRunApplication_);
        } else {
            CopyLanguageSection("FINISH_DIALOG", true, true);
        }
    }
    if (!atStart || AnyInteractivePage())
        CopyLanguageSection("EXIT_SETUP_DIALOG", false, false);
}

void SetupConfig::ReadFinishSettings()
{
    showViewReadme_ = setup_.GetBool("FINISH_DIALOG", "Show_ViewReadme_CheckBox", false);
    if (showViewReadme_) {
        viewReadmeChecked_ = setup_.GetBool("FINISH_DIALOG", "Show_ViewReadme_Checked", false);
        CopyIniValue("FINISH_DIALOG", "Readme_Pathname", "FinalReadmePathname");
    }
    showRunApplication_ = setup_.GetBool("FINISH_DIALOG", "Show_RunApplication_CheckBox", false);
    if (showRunApplication_) {
        runApplicationChecked_ = setup_.GetBool("FINISH_DIALOG", "Show_RunApplication_Checked", false);
        CopyIniValue("FINISH_DIALOG", "Application_Pathname");
    }
}

void SetupConfig::CopyLanguageSection(const char* section, bool finishCheck1, bool finishCheck2)
{
    for (const LanguageSection& entry : kLanguageSections) {
        if (std::strcmp(entry.section, section) != 0)
            continue;
        for (const LanguageKey& key : entry.keys) {
            if (!key.key)
                break;
            if ((!finishCheck1 && std::strcmp(key.variable, "FinishCheck1") == 0) ||
                (!finishCheck2 && std::strcmp(key.variable, "FinishCheck2") == 0))
                continue;
            CopyLanguageValue(section, key.key, key.variable);
        }
        return;
    }
}

bool SetupConfig::AnyInteractivePage()
{
    for (int page = 0; page < PageCount; ++page) {
        if (kPageSwitches[page] && IsVariableTrue(kPageSwitches[page]))
            return true;
    }
    return false;
}

// --- Pages

void SetupConfig::BuildPageTable()
{
    for (bool& page : pages_)
        page = false;
    pages_[PageProgress] = true;
    pages_[PageEnd] = true;
    if (unattended_) {
        firstPage_ = PageProgress;
        currentPage_ = PageEnd;
        return;
    }
    for (int page = 0; page < PageCount; ++page) {
        if (kPageSwitches[page])
            pages_[page] = IsVariableTrue(kPageSwitches[page]);
    }
    for (int page = PageLanguage; page <= PageStart; ++page) {
        if (pages_[page]) {
            firstPage_ = currentPage_ = page;
            return;
        }
    }
    firstPage_ = PageProgress;
    currentPage_ = pages_[PageFinish] ? PageFinish : PageEnd;
}

bool SetupConfig::IsPageEnabled(int page) const { return page >= 0 && page < PageCount && pages_[page]; }

int SetupConfig::GetNextPage() const
{
    for (int page = std::max(currentPage_ + 1, 0); page < PageCount; ++page) {
        if (pages_[page])
            return page;
    }
    return -1;
}

int SetupConfig::GetPreviousPage() const
{
    for (int page = std::min(currentPage_ - 1, PageCount - 1); page >= 0; --page) {
        if (pages_[page])
            return page;
    }
    return -1;
}

// --- Programs

void SetupConfig::RunAfterInstall()
{
    if (afterInstallText_.empty())
        return;
    std::string record = afterInstallText_;
    ExpandVariables(record);
    RunCommand(record).Run();
}

// --- Language files

bool SetupConfig::GetLanguageName(int n, std::string& name)
{
    std::string list = GetVariable("SetupLanguages", true);
    size_t start = 0;
    for (int index = 0; n >= 0; ++index) {
        size_t comma = list.find(',', start);
        if (index == n) {
            name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            return true;
        }
        // A comma at the very end does not start another entry.
        if (comma == std::string::npos || comma + 1 == list.size())
            break;
        start = comma + 1;
    }
    name = "English";
    return false;
}

bool SetupConfig::LoadLanguage(const std::string& name)
{
    language_ = IniFile();
    language_ = IniFile(setupDir_ + "\\" + name + ".dat", name + ".dat");
    SetVariable("DefaultSetupLanguage", name);
    CopyPageTexts(false);
    return true;
}

std::string SetupConfig::GetString(int n) const { return language_.GetValue("STRINGS", std::to_string(n)); }

std::string SetupConfig::FormatString(int n, const std::string& argument) const
{
    std::string text = GetString(n);
    size_t marker = text.find("%1");
    if (marker != std::string::npos)
        text.replace(marker, 2, argument);
    return text;
}

void SetupConfig::GetFont(const std::string& variable, LOGFONTA& font)
{
    ParseFontSpec(GetVariable(variable, true), font);
}
