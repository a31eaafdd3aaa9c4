// The one configuration object of setup: Setup.ini and the current language file,
// the variable table, the run settings and the wizard page table.
#pragma once
#include "IniFile.h"
#include "RunCommand.h"

#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

class InstallLog;
struct tagLOGFONTA;
struct HKEY__;

// Wizard page slots.
enum PageId {
    PageLanguage = 0,
    PageWelcome = 1,
    PageLicense = 2,
    PageReadme = 3,
    PageUserInfo = 4,
    PageTargetDirectory = 5,
    PageProgramGroup = 6,
    PageStart = 7,
    PageProgress = 8,
    PageFinish = 9,
    PageReserved = 10,
    PageEnd = 11,
    PageCount = 12,
};

class SetupConfig {
public:
    // Loads everything from the folder of the running program.
    SetupConfig();
    // Loads Setup.ini and the language file from setupDir. Throws FileException when
    // Setup.ini or the language file cannot be opened (code 2) and when "setup.zip" is
    // missing from the current folder (code 1).
    explicit SetupConfig(const std::string& setupDir);
    ~SetupConfig();
    SetupConfig(const SetupConfig&) = delete;
    SetupConfig& operator=(const SetupConfig&) = delete;

    // --- Variables. Safe to call from the worker and the user-interface thread.
    // The stored value, or with expand set its expansion. Reading a name that does not
    // exist creates it with an empty value.
    std::string GetVariable(const std::string& name, bool expand);
    void SetVariable(const std::string& name, const std::string& value);
    // Whether the name exists; never creates it.
    bool HasVariable(const std::string& name) const;
    // Replaces every %Name% of an existing variable by its value, expanding the
    // inserted values too. Unknown names stay as they are. Values that refer to
    // themselves end after a bounded number of replacements or a bounded length.
    void ExpandVariables(std::string& text) const;
    // The expanded value starts with 'Y', 'y' or '1'.
    bool IsVariableTrue(const std::string& name);
    // The expanded value as an unsigned number in base (strtoul rules); 0 when empty.
    unsigned long GetVariableNumber(const std::string& name, int base);
    // Copies a non-empty value of Setup.ini (or of the language file) unexpanded into
    // the variable (the key's own name when variable is null); returns whether it did.
    bool CopyIniValue(const std::string& section, const std::string& key, const char* variable = nullptr);
    bool CopyLanguageValue(const std::string& section, const std::string& key, const char* variable = nullptr);

    // --- Named settings (expanded).
    std::string GetProductName();
    std::string GetCompanyName();
    std::string GetProductVersion();
    std::string GetAppDir();
    void SetAppDir(const std::string& dir);
    std::string GetProgramGroup();
    void SetProgramGroup(const std::string& group);
    std::string GetDefaultInstallationPath();
    std::string GetDefaultDirectoryName();
    const std::string& GetSetupDir() const { return setupDir_; }

    // --- Record sections of Setup.ini for the installer.
    int GetLineCount(const std::string& section) const;
    bool GetLine(const std::string& section, int n, std::string& line) const;

    // --- Wizard pages.
    bool IsUnattended() const { return unattended_; }
    bool IsPageEnabled(int page) const;
    int GetFirstPage() const { return firstPage_; }
    int GetCurrentPage() const { return currentPage_; }
    void SetCurrentPage(int page) { currentPage_ = page; }
    // The first enabled slot after (before) the current page, or -1.
    int GetNextPage() const;
    int GetPreviousPage() const;

    // --- Finish page.
    bool GetShowViewReadme() const { return showViewReadme_; }
    bool GetViewReadmeChecked() const { return viewReadmeChecked_; }
    bool GetShowRunApplication() const { return showRunApplication_; }
    bool GetRunApplicationChecked() const { return runApplicationChecked_; }
    bool GetViewReadmeChosen() const { return viewReadmeChosen_; }
    void SetViewReadmeChosen(bool chosen) { viewReadmeChosen_ = chosen; }
    bool GetRunApplicationChosen() const { return runApplicationChosen_; }
    void SetRunApplicationChosen(bool chosen) { runApplicationChosen_ = chosen; }

    // --- Programs run around the installation.
    // Null unless RUNAPPS asks for a program before installation.
    const RunCommand* GetBeforeInstallCommand() const { return beforeInstall_.get(); }
    // The raw RUNAPPS records (empty when not configured).
    const std::string& GetAfterInstallText() const { return afterInstallText_; }
    const std::string& GetBeforeUninstallText() const { return beforeUninstallText_; }
    // Expands and runs the after-install program when one is configured.
    void RunAfterInstall();

    // --- Language files.
    // The n-th entry of the expanded SetupLanguages; false and "English" when none.
    bool GetLanguageName(int n, std::string& name);
    // Switches to name.dat from the program's folder and copies its page texts again.
    bool LoadLanguage(const std::string& name);
    // Numbered message of the STRINGS section, unexpanded; empty when missing.
    std::string GetString(int n) const;
    // GetString with the first "%1" replaced by argument.
    std::string FormatString(int n, const std::string& argument) const;
    // The expanded font variable as a logical font.
    void GetFont(const std::string& variable, tagLOGFONTA& font);
    // The current language file, for sections read on demand (UNINSTALL_DIALOG).
    const IniFile& GetLanguageFile() const { return language_; }

    // --- Install log of the installation run, owned from its creation on.
    // Releases an earlier log (which writes it), creates the log in the expanded
    // AppDir and fills [COMMON] and [RUNAPPS].
    InstallLog& CreateInstallLog(bool imitation);
    InstallLog* GetInstallLog() const { return installLog_.get(); }
    // Writes setup.log and releases the log; throws FileException code 5 when the
    // file cannot be written. Destroying the configuration writes it too, silently.
    void ReleaseInstallLog();

private:
    bool CopyValue(const IniFile& file, const std::string& section, const std::string& key, const char* variable);
    void Load();
    void ReadDirectoryVariables();
    void ReadRunApps();
    void ReadOptionalGroups();
    void CopyPageTexts(bool atStart);
    void ReadFinishSettings();
    void CopyLanguageSection(const char* section, bool finishCheck1, bool finishCheck2);
    void BuildPageTable();
    bool AnyInteractivePage();

    std::string setupDir_;
    IniFile setup_;
    IniFile language_;

    mutable std::mutex variablesLock_;
    std::unordered_map<std::string, std::string> variables_;

    std::unique_ptr<RunCommand> beforeInstall_;
    std::string afterInstallText_;
    std::string beforeUninstallText_;

    bool pages_[PageCount] = {};
    int firstPage_ = PageProgress;
    int currentPage_ = PageEnd;
    bool unattended_ = false;

    bool showViewReadme_ = false;
    bool viewReadmeChecked_ = false;
    bool showRunApplication_ = false;
    bool runApplicationChecked_ = false;
    bool viewReadmeChosen_ = false;
    bool runApplicationChosen_ = false;

    std::shared_ptr<InstallLog> installLog_;
};

// A directory setting of the registry: a string value unchanged, a 32-bit number as
// its decimal text when numbers are accepted, fallback for anything else or nothing.
std::string ReadRegistryDirectory(HKEY__* root, const char* subkey, const char* value, const char* fallback,
                                  bool acceptNumber);
