// Variables, expansion, the load sequence and the page table of SetupConfig.
#include "ConfigFixture.h"
#include "Exceptions.h"

#include <gtest/gtest.h>

namespace {

std::unique_ptr<SetupConfig> LoadMinimal(ConfigFolder& setup, std::vector<std::string> extra = {})
{
    std::vector<std::string> ini = {"[GENERAL_INFO]", "ProductName=Tool"};
    ini.insert(ini.end(), extra.begin(), extra.end());
    setup.SetupIni(ini);
    setup.Language("English", {"[STRINGS]", "1=Caption"});
    return setup.Load();
}

TEST(Variables, ExpansionReplacesKnownNamesAndLeavesUnknownOnes)
{
    ConfigFolder setup;
    auto config = LoadMinimal(setup);
    config->SetVariable("AppDir", "C:\\Target");
    config->SetVariable("Outer", "<%Inner%>");
    config->SetVariable("Inner", "in");
    config->SetVariable("Percent", "100%");
    config->GetVariable("ReadOnce", false);  // reading creates it empty

    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"%AppDir%\\tool.exe", "C:\\Target\\tool.exe"},
        {"%Unknown%AppDir%", "%UnknownC:\\Target"},
        {"%Outer%%Outer%", "<in><in>"},
        {"%Percent%%AppDir%", "100%C:\\Target"},
        {"50%", "50%"},
        {"%%", "%%"},
        {"%Unknown%", "%Unknown%"},
        {"a%ReadOnce%b", "ab"},
        {"%appdir%", "%appdir%"},
        {"", ""},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        config->ExpandVariables(text);
        EXPECT_EQ(c.expected, text) << c.text;
    }
    EXPECT_TRUE(config->HasVariable("ReadOnce"));
    EXPECT_FALSE(config->HasVariable("Unknown"));
    EXPECT_EQ("<%Inner%>", config->GetVariable("Outer", false));
    EXPECT_EQ("<in>", config->GetVariable("Outer", true));
    EXPECT_EQ("", config->GetVariable("NeverSet", true));
    EXPECT_TRUE(config->HasVariable("NeverSet"));
}

TEST(Variables, SelfReferencingAndCyclicValuesEnd)
{
    ConfigFolder setup;
    auto config = LoadMinimal(setup);
    config->SetVariable("Self", "%Self%");
    config->SetVariable("Grow", "x%Grow%");
    config->SetVariable("Double", "%Double%%Double%");
    config->SetVariable("Ping", "a%Pong%");
    config->SetVariable("Pong", "b%Ping%");
    config->SetVariable("Big", std::string(100000, 'b') + "%Big%");
    for (const char* name : {"Self", "Grow", "Double", "Ping", "Big"}) {
        std::string value = config->GetVariable(name, true);
        EXPECT_LE(value.size(), 2u * 1024 * 1024) << name;
        EXPECT_NE(std::string::npos, value.find('%')) << name << ": the unexpanded rest stays";
    }
}

TEST(Variables, CyclicSetupIniValuesDoNotHangTheLoad)
{
    ConfigFolder setup;
    auto config = LoadMinimal(setup, {"CopyrightNotice=(c) %Copyright%", "[SETUP_INFO]",
                                      "DefaultInstallationPath=%Copyright%\\Tool"});
    EXPECT_EQ(0u, config->GetAppDir().find("(c) (c) "));
}

TEST(Variables, FlagsAndNumbers)
{
    ConfigFolder setup;
    auto config = LoadMinimal(setup);
    const struct {
        const char* value;
        bool isTrue;
        unsigned long decimal;
        unsigned long hex;
    } cases[] = {
        {"Yes", true, 0, 0},           {"yes", true, 0, 0},      {"1", true, 1, 1},
        {"True", false, 0, 0},         {"", false, 0, 0},        {"01", false, 1, 1},
        {" 1", false, 1, 1},           {"1x", true, 1, 1},       {"FF0000", false, 0, 0xFF0000},
        {"0x00FF", false, 0, 0xFF},    {"  ff", false, 0, 0xFF}, {"-1", false, 0xFFFFFFFFul, 0xFFFFFFFFul},
        {"%Ref%", true, 12, 0x12},
    };
    config->SetVariable("Ref", "12");
    for (const auto& c : cases) {
        config->SetVariable("V", c.value);
        EXPECT_EQ(c.isTrue, config->IsVariableTrue("V")) << c.value;
        EXPECT_EQ(c.decimal, config->GetVariableNumber("V", 10)) << c.value;
        EXPECT_EQ(c.hex, config->GetVariableNumber("V", 16)) << c.value;
    }
    EXPECT_EQ(0ul, config->GetVariableNumber("Missing", 10));
}

TEST(Variables, CopyValuesStoreOnlyNonEmptyTextsUnexpanded)
{
    ConfigFolder setup;
    auto config = LoadMinimal(setup, {"Path=%AppDir%\\x", "Empty="});
    EXPECT_TRUE(config->CopyIniValue("GENERAL_INFO", "Path"));
    EXPECT_EQ("%AppDir%\\x", config->GetVariable("Path", false));
    EXPECT_TRUE(config->CopyIniValue("GENERAL_INFO", "Path", "Other"));
    EXPECT_EQ("%AppDir%\\x", config->GetVariable("Other", false));
    config->SetVariable("Kept", "old");
    EXPECT_FALSE(config->CopyIniValue("GENERAL_INFO", "Empty", "Kept"));
    EXPECT_FALSE(config->CopyIniValue("GENERAL_INFO", "Missing", "Kept"));
    EXPECT_EQ("old", config->GetVariable("Kept", false));
    EXPECT_TRUE(config->CopyLanguageValue("STRINGS", "1", "Caption"));
    EXPECT_EQ("Caption", config->GetVariable("Caption", false));
}

const std::vector<std::string> kFullSetupIni = {
    "[GENERAL_INFO]",
    "ProductName=Tool",
    "CompanyName=Acme",
    "ProductVersion=1.0",
    "CopyrightNotice=(c) Acme",
    "[SETUP_INFO]",
    "DefaultInstallationPath=%ProgramFiles%\\Tool",
    "DefaultShortcutFolderName=%CompanyName% Tool",
    "SetupLanguages=English,German",
    "RequiredDiskSpace=1200",
    "[SYSTEM_REQUIREMENTS]",
    "WindowsXP=Yes",
    "Windows95=",
    "[RUNAPPS]",
    "RunBeforeInstall=true",
    "BeforeInstall=%SourceDir%\\pre.exe,-q %ProductName%,,1,,1",
    "RunAfterInstall=1",
    "AfterInstall=%AppDir%\\tool.exe",
    "RunBeforeUninstall=no",
    "BeforeUninstall=cleanup.exe",
    "[DIALOGS]",
    "WelcomeDialog=yes",
    "LicenseDialog=true",
    "FinishDialog=Y",
    "SetupWindow=1",
    "[SETUP_WINDOW]",
    "WindowTitle=%ProductName% Setup",
    "HeadingFont=Tahoma,-16,700,0,0,0",
    "[LICENSE_DIALOG]",
    "License_Pathname=license.txt",
    "[FINISH_DIALOG]",
    "Show_ViewReadme_CheckBox=yes",
    "Show_ViewReadme_Checked=no",
    "Readme_Pathname=%AppDir%\\readme.txt",
    "Show_RunApplication_CheckBox=0",
    "Application_Pathname=%AppDir%\\tool.exe",
};

const std::vector<std::string> kEnglish = {
    "[REINSTALL_DIALOG]", "Dialog_Title=Reinstall", "[WELCOME_DIALOG]", "Dialog_Title=Welcome to %ProductName%",
    "Next=Next >", "[LICENSE_DIALOG]", "Dialog_Title=License", "[PROCESS_DIALOG]", "Dialog_Title=Installing",
    "[FINISH_DIALOG]", "Dialog_Title=Done", "Check1=View readme", "Check2=Run it", "[EXIT_SETUP_DIALOG]",
    "Dialog_Title=Exit setup", "Resume=Resume", "[LANGUAGE_DIALOG]", "Dialog_Title=Language",
    "[STRINGS]", "1=Setup", "21=%1 is not supported by %1.",
};

TEST(Load, FullConfigurationFillsTheVariables)
{
    ConfigFolder setup;
    setup.SetupIni(kFullSetupIni);
    setup.Language("English", kEnglish);
    auto config = setup.Load();

    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, MAX_PATH);
    EXPECT_EQ(windows, config->GetVariable("WinDir", false));
    EXPECT_EQ(setup.Folder().Path(), config->GetVariable("SetupDir", false));
    EXPECT_EQ("C:\\Program Files", config->GetVariable("ProgramFiles", false));
    EXPECT_EQ("C:\\Program Files\\Common Files", config->GetVariable("CommonFiles", false));
    std::string temp = config->GetVariable("TempDir", false);
    EXPECT_EQ('\\', temp.back());
    EXPECT_FALSE(config->GetVariable("StartMenuPrograms", false).empty());

    EXPECT_EQ("Tool", config->GetProductName());
    EXPECT_EQ("(c) Acme", config->GetVariable("Copyright", false));
    EXPECT_TRUE(config->HasVariable("ProductURL"));  // always stored, even empty
    EXPECT_EQ("C:\\Program Files\\Tool", config->GetAppDir());
    EXPECT_EQ("C:\\Program Files\\Tool", config->GetDefaultInstallationPath());
    EXPECT_EQ("Tool", config->GetDefaultDirectoryName());
    EXPECT_EQ("Acme Tool", config->GetProgramGroup());
    EXPECT_EQ("1200", config->GetVariable("RequiredDiskSpace", false));
    EXPECT_EQ("Yes", config->GetVariable("SysReqWindowsXP", false));
    EXPECT_FALSE(config->HasVariable("SysReqWindows95"));

    config->SetProgramGroup("My Group");
    EXPECT_EQ(config->GetVariable("StartMenuPrograms", false) + "\\My Group",
              config->GetVariable("AppSCFolder", true));

    // The before-install record was expanded during the load, before SourceDir existed.
    const RunCommand* before = config->GetBeforeInstallCommand();
    ASSERT_NE(nullptr, before);
    EXPECT_EQ("%SourceDir%\\pre.exe", before->GetProgram());
    EXPECT_EQ("-q Tool", before->GetParameters());
    EXPECT_EQ(1, before->GetShowMode());
    EXPECT_TRUE(before->GetNoWait());
    EXPECT_EQ("%AppDir%\\tool.exe", config->GetAfterInstallText());
    EXPECT_EQ("", config->GetBeforeUninstallText());

    EXPECT_EQ("%ProductName% Setup", config->GetVariable("SWWindowTitle", false));
    EXPECT_FALSE(config->HasVariable("License_Pathname"));  // LicenseDialog=true is off
    EXPECT_TRUE(config->GetShowViewReadme());
    EXPECT_FALSE(config->GetViewReadmeChecked());
    EXPECT_EQ("%AppDir%\\readme.txt", config->GetVariable("FinalReadmePathname", false));
    EXPECT_FALSE(config->GetShowRunApplication());
    EXPECT_FALSE(config->HasVariable("Application_Pathname"));

    // Texts of enabled pages only; "true" does not enable the license page.
    EXPECT_EQ("Reinstall", config->GetVariable("ReinstallDialogTitle", false));
    EXPECT_EQ("Welcome to Tool", config->GetVariable("WelcomeTitle", true));
    EXPECT_FALSE(config->HasVariable("LicenseTitle"));
    EXPECT_FALSE(config->HasVariable("LanguageTitle"));
    EXPECT_EQ("Installing", config->GetVariable("ProcessTitle", false));
    EXPECT_EQ("View readme", config->GetVariable("FinishCheck1", false));
    EXPECT_FALSE(config->HasVariable("FinishCheck2"));
    EXPECT_EQ("Exit setup", config->GetVariable("ExitSetupTitle", false));
    EXPECT_FALSE(config->IsPageEnabled(PageLicense));
}

TEST(Load, SettingsEdgeCases)
{
    const struct {
        std::vector<std::string> setupInfo;
        const char* variable;
        const char* expected;
    } cases[] = {
        {{"DefaultInstallationPath=NoBackslash"}, "DefaultDirectoryName", ""},
        {{"DefaultInstallationPath=%SourceDir%\\x"}, "AppDir", "%SourceDir%\\x"},
        {{"DefaultInstallationPath=C:\\A\\"}, "DefaultDirectoryName", ""},
        {{"ProductName = Tool"}, "ProductName", ""},
        {{}, "DefaultInstallationPath", ""},
    };
    for (const auto& c : cases) {
        ConfigFolder setup;
        std::vector<std::string> ini = {"[SETUP_INFO]"};
        ini.insert(ini.end(), c.setupInfo.begin(), c.setupInfo.end());
        setup.SetupIni(ini);
        setup.Language("English", {"[STRINGS]"});
        auto config = setup.Load();
        EXPECT_EQ(c.expected, config->GetVariable(c.variable, false)) << c.variable;
    }
}

TEST(Load, SetupTypeOneSelectsUnattended)
{
    const struct {
        const char* setupType;
        bool unattended;
    } cases[] = {{"1", true}, {"01", true}, {" 1", true}, {"1x", true}, {"0", false}, {"2", false}, {"", false}};
    for (const auto& c : cases) {
        ConfigFolder setup;
        setup.SetupIni({"[SETUP_INFO]", std::string("SetupType=") + c.setupType});
        setup.Language("English", {"[STRINGS]"});
        EXPECT_EQ(c.unattended, setup.Load()->IsUnattended()) << "'" << c.setupType << "'";
    }
}

TEST(Load, MissingFilesThrowTheReportedFileErrors)
{
    const struct {
        bool setupIni;
        bool language;
        bool zip;
        const char* expected;
    } cases[] = {
        {false, true, true, "Can not open file: \"Setup.ini\""},
        {true, false, true, "Can not open file: \"German.dat\""},
        {true, true, false, "File not found: \"setup.zip\""},
    };
    for (const auto& c : cases) {
        ConfigFolder setup;
        if (c.setupIni)
            setup.SetupIni({"[SETUP_INFO]", "DefaultSetupLanguage=German"});
        if (c.language)
            setup.Language("German", {"[STRINGS]"});
        if (!c.zip)
            DeleteFileA((setup.Folder() / "setup.zip").c_str());
        try {
            setup.Load();
            ADD_FAILURE() << c.expected;
        } catch (const FileException& e) {
            EXPECT_EQ(c.expected, e.Describe());
        }
    }
}

TEST(Load, FilesOfAnyContentLoadWithDefaults)
{
    std::string binary;
    for (int i = 0; i < 50000; ++i)
        binary += static_cast<char>((i * 131 + 7) % 256);
    const std::string contents[] = {
        binary,
        "[SETUP_INFO]\nSetupType=1\n[DIALOGS]\nWelcomeDialog=yes\n",
        "[SETUP_INFO]\r\nDefaultInstallationPath=" + std::string(2 * 1024 * 1024, '%') + "\r\n",
        "[DIALOGS]\r\nWelcomeDialog=yes\r\n[WELCOME_DIALOG]\r\n" + binary + "\r\n",
        std::string(1, '\0') + "[SETUP_INFO]\r\n\r\n\r",
    };
    for (const std::string& content : contents) {
        ConfigFolder setup;
        setup.Folder().WriteRaw("Setup.ini", content);
        setup.Folder().WriteRaw("English.dat", content);
        std::unique_ptr<SetupConfig> config;
        ASSERT_NO_THROW(config = setup.Load());
        EXPECT_FALSE(config->IsUnattended());  // the LF-only SetupType=1 is never read
    }
}

TEST(Load, SetupZipIsLookedForInTheCurrentFolder)
{
    ConfigFolder setup;
    setup.SetupIni({"[SETUP_INFO]"});
    setup.Language("English", {"[STRINGS]"});
    TestFolder elsewhere;
    SetCurrentDirectoryA(elsewhere.Path().c_str());
    EXPECT_THROW(SetupConfig config(setup.Folder().Path()), FileException);
    elsewhere.WriteRaw("setup.zip", "");
    EXPECT_NO_THROW(SetupConfig config(setup.Folder().Path()));
}

struct PageCase {
    std::vector<std::string> lines;
    const char* enabled;  // one character per slot 0..11
    int first;
    int current;
    bool exitTexts;  // the page flags, not the table, decide (unattended keeps them)
};

TEST(Pages, TableFollowsTheDialogSwitches)
{
    const PageCase cases[] = {
        {{}, "000000001001", PageProgress, PageEnd, false},
        {{"[DIALOGS]", "FinishDialog=yes"}, "000000001101", PageProgress, PageFinish, true},
        {{"[DIALOGS]", "WelcomeDialog=yes", "StartDialog=1", "FinishDialog=1"}, "010000011101", PageWelcome,
         PageWelcome, true},
        {{"[DIALOGS]", "LanguageDialog=y", "ProgramGroupDialog=Yes"}, "100000101001", PageLanguage, PageLanguage, true},
        {{"[DIALOGS]", "WelcomeDialog=true", "LicenseDialog=no"}, "000000001001", PageProgress, PageEnd, false},
        {{"[SETUP_INFO]", "SetupType=1", "[DIALOGS]", "WelcomeDialog=yes", "FinishDialog=yes"}, "000000001001",
         PageProgress, PageEnd, true},
    };
    for (const PageCase& c : cases) {
        ConfigFolder setup;
        setup.SetupIni(c.lines.empty() ? std::vector<std::string>{"[SETUP_INFO]"} : c.lines);
        setup.Language("English", {"[EXIT_SETUP_DIALOG]", "Dialog_Title=Exit"});
        auto config = setup.Load();
        std::string enabled;
        for (int page = 0; page < PageCount; ++page)
            enabled += config->IsPageEnabled(page) ? '1' : '0';
        SCOPED_TRACE(c.enabled);
        EXPECT_EQ(c.enabled, enabled);
        EXPECT_EQ(c.first, config->GetFirstPage());
        EXPECT_EQ(c.current, config->GetCurrentPage());
        EXPECT_EQ(c.exitTexts, config->HasVariable("ExitSetupTitle"));
    }
}

TEST(Pages, NextAndPreviousSkipDisabledSlots)
{
    ConfigFolder setup;
    setup.SetupIni({"[DIALOGS]", "WelcomeDialog=yes", "TargetDirectoryDialog=yes", "FinishDialog=yes"});
    setup.Language("English", {"[STRINGS]"});
    auto config = setup.Load();
    const struct {
        int current;
        int next;
        int previous;
    } cases[] = {
        {PageWelcome, PageTargetDirectory, -1},
        {PageTargetDirectory, PageProgress, PageWelcome},
        {PageProgress, PageFinish, PageTargetDirectory},
        {PageFinish, PageEnd, PageProgress},
        {PageEnd, -1, PageFinish},
        {-1, PageWelcome, -1},
    };
    for (const auto& c : cases) {
        config->SetCurrentPage(c.current);
        EXPECT_EQ(c.next, config->GetNextPage()) << c.current;
        EXPECT_EQ(c.previous, config->GetPreviousPage()) << c.current;
    }
}

}  // namespace
